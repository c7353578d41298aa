#include "ui/Pilot.h"

#include "ui/Backend.h"
#include "ui/Control.h"
#include "platform/Platform.h"

namespace ui {

namespace {
Pilot* currentPilot = nullptr;

bool Reachable(const TControl& control) { return control.Showing() && control.EnabledChain(); }
}  // namespace

Pilot* CurrentPilot() { return currentPilot; }
void SetPilot(Pilot* pilot) { currentPilot = pilot; }

bool PressAsPerson(TControl& control) {
    if (!Reachable(control)) return false;
    if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed && windowed->TabStop) windowed->SetFocus();
    control.Click();
    return true;
}

void ShowPlainMessage(const std::string& text) {
    static const std::string noTitle;
    const MessageRequest request{text, noTitle, mtInformation, Buttons({mbOK}), MessagePurpose::Report};
    if (currentPilot && currentPilot->AnswerMessage(request)) return;
    plat::Current().ShowPlainMessage(text);
}

bool TypeAsPerson(TControl& control, const std::string& text) {
    if (!Reachable(control)) return false;
    if (auto* windowed = dynamic_cast<TWinControl*>(&control)) windowed->SetFocus();
    control.TextChangedByUser(text);
    if (control.Handle) CurrentBackend().ControlChanged(control);
    return true;
}

}  // namespace ui
