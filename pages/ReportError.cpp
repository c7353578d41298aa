// The one way the configuration steps and the installation's record tell of a failure.
#include "core/Log.h"
#include "pages/ConfigSteps.h"
#include "ui/MessageBox.h"

namespace pages {

void ReportError(const std::string& text) {
    core::LogNote(text);
    ui::ShowMessageBox(text, kErrorBoxTitle, ui::mtError, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
}

}  // namespace pages
