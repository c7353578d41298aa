#include "pages/wizard/BoxReports.h"

#include <optional>

#include "ui/Application.h"
#include "ui/MessageBox.h"
#include "ui/Pilot.h"

namespace pages {

namespace {

struct ButtonSet {
    ui::TMsgDlgButtons buttons;
    ui::TMsgDlgBtn defaultButton;
};

ButtonSet ButtonsOf(work::Choices choices) {
    switch (choices) {
        case work::Choices::OkCancel: return {ui::Buttons({ui::mbOK, ui::mbCancel}), ui::mbOK};
        case work::Choices::RetryCancel: return {ui::Buttons({ui::mbRetry, ui::mbCancel}), ui::mbRetry};
        case work::Choices::CancelOnly: return {ui::Buttons({ui::mbCancel}), ui::mbCancel};
        case work::Choices::YesNo: return {ui::Buttons({ui::mbYes, ui::mbNo}), ui::mbYes};
        case work::Choices::Ok: break;
    }
    return {ui::Buttons({ui::mbOK}), ui::mbOK};
}

std::optional<ui::MessagePurpose> PurposeOf(work::Purpose purpose) {
    switch (purpose) {
        case work::Purpose::Report: return ui::MessagePurpose::Report;
        case work::Purpose::Failure: return ui::MessagePurpose::Failure;
        case work::Purpose::MediaRequest: return ui::MessagePurpose::MediaRequest;
        case work::Purpose::Decision: return ui::MessagePurpose::Decision;
        case work::Purpose::ByLook: break;
    }
    return std::nullopt;
}

}  // namespace

work::Answer BoxReports::Tell(const work::Notice& notice) {
    if (notice.plain) {
        ui::ShowPlainMessage(notice.text);
        return work::Answer::Ok;
    }
    std::optional<ui::MessageHeadingScope> heading;
    if (notice.heading) heading.emplace(*notice.heading);
    std::optional<ui::MessagePurposeScope> purpose;
    if (auto given = PurposeOf(notice.purpose)) purpose.emplace(*given);
    const ButtonSet set = ButtonsOf(notice.choices);
    const uint16_t result = ui::ShowMessageBox(notice.text, notice.title,
                                               notice.look == work::Look::Error ? ui::mtError : ui::mtWarning,
                                               notice.leftAligned ? ui::taLeftJustify : ui::taCenter, set.buttons,
                                               set.defaultButton, 0);
    if (result == ui::mrOk || result == ui::mrRetry || result == ui::mrYes) return work::Answer::Ok;
    return result == ui::mrCancel || result == ui::mrNo ? work::Answer::Cancel : work::Answer::Other;
}

void BoxReports::SetHeading(const std::string& heading) { ui::MessageHeading = heading; }

void BoxReports::KeepAlive() { ui::ProcessMessages(); }

}  // namespace pages
