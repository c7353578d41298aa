#include "pages/fresh/IType.h"

#include <algorithm>

#include "answers/Answers.h"
#include "core/InstallState.h"
#include "ui/Panels.h"
#include "ui/Pilot.h"

namespace pages {

int ItemOfInstallType(int installType) { return installType - 1; }
int InstallTypeOfItem(int itemIndex) { return itemIndex + 1; }

TIType::TIType() : TWizardPage(core::PageInstallType, "Alegeti tipul instalarii!") {
    Font = BoldPageFont();
    AddStandardButton({PageButton::Cancel, ui::Bounds(17, 52, 67, 50)});
    AddStandardButton({PageButton::Next, ui::Bounds(84, 52, 67, 50)});
    BNext->OnClick = [this] { BNextClick(); };

    auto& panel = Add<ui::TPanel>("Panel1");
    panel.BevelOuter = ui::bvLowered;
    panel.SetBounds(160, 31, 470, 77);
    IType = &panel.Add<ui::TMRadioGroup>("IType");
    IType->SetBounds(6, 4, 458, 69);
    IType->Items = {
        " &LOCAL     - programul va fi folosit numai pe acest calculator",
        " &SERVER  - acest calculator va contine baza de date",
        " CLIEN&T    - programul va folosi o baza de date aflata la distanta",
    };
    IType->OnChange = [this] { ITypeModify(); };
    FormCreate();
}

void TIType::FormCreate() {
    const int installType = core::State().InstallType;
    BNext->Enabled = installType != core::InstallNone;
    IType->ItemIndex = ItemOfInstallType(installType);
    // Enter on the first focus must not end the installation: the chosen kind, or the first.
    ActiveControl = IType->Button(std::max(0, IType->ItemIndex.get()));
    firstShow_ = true;
}

void TIType::FormShow() {
    if (!firstShow_) return;
    BringToFront();
    firstShow_ = false;
}

void TIType::ITypeModify() { BNext->Enabled = true; }

void TIType::BNextClick() { core::State().InstallType = static_cast<uint8_t>(InstallTypeOfItem(IType->ItemIndex)); }

bool TIType::FillFromAnswers(const answers::Answers& given) {
    ui::TRadioButton* item = IType->Button(ItemOfInstallType(given.installType.value_or(core::InstallNone)));
    return item && ui::PressAsPerson(*item);
}

void TIType::RecordAnswers(answers::Answers& taken) const { taken.installType = core::State().InstallType; }

std::unique_ptr<ui::TForm> MakeIType() { return std::make_unique<TIType>(); }

}  // namespace pages
