// Finding windows the way a person sees them: visible top-level windows by their exact
// title, controls inside them by caption. Windows of other processes are read with
// WM_GETTEXT under a time-out, so a hung program cannot hang the driver.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tvdriver {

std::wstring WindowTextOf(HWND window);
std::wstring ClassNameOf(HWND window);

std::vector<HWND> VisibleTopLevelWindows();
// The first visible top-level window whose title equals `title`, or nullptr.
HWND FindVisibleTopLevel(std::wstring_view title);

// Every descendant, parents before their children, in z-order.
std::vector<HWND> Descendants(HWND window);

// The descendant whose text matches `caption` (see CaptionMatches): a visible and enabled
// one before a visible one before a hidden one; nullptr when none matches.
HWND FindControl(HWND window, std::wstring_view caption);

// "0x" and the handle in hexadecimal, as printed by wait-window and list.
std::wstring HandleText(HWND window);

}  // namespace tvdriver
