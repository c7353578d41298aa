// Pressing keys in another program's window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/KeyChords.h"

namespace tvdriver {

// Brings `window` to the front and types the strokes through the system's input queue,
// so that the program sees real key state (GetKeyState, GetAsyncKeyState) as well as
// the messages. When the window cannot be brought to the front the strokes are posted
// to its focused control instead. False, with `error` set, when nothing could be sent.
bool PressKeys(HWND window, const std::vector<KeyStroke>& strokes, std::wstring& error);

// Types `text` into the focused control of `window` as characters (any character, "\"
// and ":" included), through the input queue when the window comes to the front, else
// posted to the focused control.
bool TypeCharacters(HWND window, const std::wstring& text, std::wstring& error);

}  // namespace tvdriver
