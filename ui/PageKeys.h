// The key handling every page shares: Alt+M shows or hides the backdrop (the main form)
// and brings the page back to the front. Pages call it first in their FormKeyDown.
#pragma once

#include "ui/Types.h"

namespace ui {

class TForm;

// True (and `key` set to 0) when the key was the page's own.
bool HandlePageKeys(TForm& page, int& key, TShiftState shift);

}  // namespace ui
