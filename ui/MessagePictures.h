// The pictures of the message box kinds, 42 x 64, drawn in code. Their bottom-left
// colour (fuchsia) is the transparent one. The custom kind has an empty picture.
#pragma once

#include "ui/Bitmap.h"
#include "ui/MessageBox.h"

namespace ui {

constexpr int MessagePictureWidth = 42;
constexpr int MessagePictureHeight = 64;

const TBitmap& MessagePicture(TMsgDlgType kind);

}  // namespace ui
