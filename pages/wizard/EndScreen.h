// Page 4, the last page of both paths: the installation succeeded, the product's default
// user and password (or, after an upgrade undone when a database step failed, that the
// old version stands); "I&esire" leaves the program, "&Inapoi" goes back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pages/wizard/WizardPage.h"
#include "ui/Edits.h"
#include "ui/Panels.h"

namespace pages {

// The user name and access password the installed product starts with.
inline constexpr char DefaultUserName[] = "Master";
inline constexpr char DefaultPassword[] = "1";

// The five lines of the page's message, as the run's state has it.
std::vector<std::string> EndMessageLines();

class TEndScreen : public TWizardPage {
public:
    TEndScreen();

    ui::TMemo* Memo1 = nullptr;
    ui::TImage* Image1 = nullptr;

    void FormCreate() override;
    // "Iesire" goes on: it ends the wizard with Continue's result.
    ui::TButtonControl* ForwardButton() const override { return BCancel; }
};

std::unique_ptr<ui::TForm> MakeEndScreen();

}  // namespace pages
