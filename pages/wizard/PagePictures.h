// The pictures the pages draw for themselves: the folder glyph of the browse buttons and
// the end page's picture. White, the bottom-left colour, is transparent.
#pragma once

#include "ui/Bitmap.h"

namespace pages {

// 16 x 16: an open yellow folder.
const ui::TBitmap& FolderGlyph();
// 64 x 64: a monitor with a green tick on its screen.
const ui::TBitmap& FinishedPicture();

}  // namespace pages
