// The one page of the uninstall (TUninstall), in the look of the configuration page:
// Continue asks once whether to go on, then the uninstall's steps run one after another,
// each row turning from waiting to finished when its step returns. The memo then says
// what was removed, what was kept and why, and where the data stays; "I&esire" ends.
#pragma once

#include <memory>

#include "work/uninstall/UninstallWork.h"
#include "pages/wizard/WizardPage.h"
#include "ui/Edits.h"
#include "ui/Panels.h"

namespace pages {

inline constexpr char kUninstallTitle[] = "Dezinstalare WinTORVEX";

class TUninstall : public TWizardPage {
public:
    explicit TUninstall(work::UninstallWork& work);

    ui::TMemo* Memo1 = nullptr;
    ui::TButtonControl* BExit = nullptr;

    void FormCreate() override;
    void BNextClick();

    // Set once the steps have run.
    bool Done() const { return done_; }

private:
    work::UninstallWork& work_;
    std::vector<ui::TPanel*> rows_;
    bool done_ = false;
};

}  // namespace pages
