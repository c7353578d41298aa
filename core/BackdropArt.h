// The backdrop's pictures, drawn in code: a ledger-and-chart artwork, a banner under it
// and a small coin stack beside the product name.
#pragma once

#include "ui/Bitmap.h"

namespace core {

ui::TBitmap LedgerArtwork();  // 446 x 218, fuchsia is transparent
ui::TBitmap BannerArtwork();  // 197 x 70, fuchsia is transparent
ui::TBitmap CoinArtwork();    // 65 x 45, drawn opaque on the backdrop's colour

}  // namespace core
