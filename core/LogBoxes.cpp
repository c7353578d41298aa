#include "core/LogBoxes.h"

#include "core/Log.h"
#include "ui/MessageBox.h"

namespace core {

void ShowLogFailuresInBoxes() {
    SetLogFailureHandler([](const std::string& text) {
        ui::ShowMessageBox(text, "", ui::mtWarning, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
    });
}

}  // namespace core
