// Page 0 of a fresh installation: the kind of installation (LOCAL, SERVER, CLIENT), kept
// in InstallType for the pages after it.
#pragma once

#include <memory>

#include "pages/wizard/WizardPage.h"
#include "ui/StdControls.h"

namespace pages {

// Item i of the list stands for the kind i + 1; kind 0 (none chosen yet) selects no item.
int ItemOfInstallType(int installType);
int InstallTypeOfItem(int itemIndex);

class TIType : public TWizardPage {
public:
    TIType();

    ui::TMRadioGroup* IType = nullptr;

    void FormCreate() override;
    void FormShow() override;
    void ITypeModify();
    void BNextClick();
    bool FillFromAnswers(const answers::Answers& given) override;
    void RecordAnswers(answers::Answers& taken) const override;

private:
    bool firstShow_ = false;
};

std::unique_ptr<ui::TForm> MakeIType();

}  // namespace pages
