#include "ui/ProgressPace.h"

#include "platform/Platform.h"

namespace ui {

bool ProgressPace::Due() {
    if (lastShown_ && plat::Current().TickCount() - *lastShown_ < intervalMs_) return false;
    Shown();
    return true;
}

void ProgressPace::Shown() { lastShown_ = plat::Current().TickCount(); }

}  // namespace ui
