// The modal results that buttons carry and ShowModal returns.
#pragma once

namespace ui {

constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
              mrYes = 6, mrNo = 7, mrAll = 8;

}  // namespace ui
