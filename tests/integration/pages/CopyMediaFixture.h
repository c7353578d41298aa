// The installation media of tests/support/CopyMedia.h, for the copy pages' tests: what the
// copy tells is shown in the kit's boxes, which the test's script answers.
#pragma once

#include "pages/wizard/BoxReports.h"
#include "tests/support/CopyMedia.h"
#include "ui/MessageForm.h"
#include "ui/headless/ScriptedUser.h"

namespace copy_test {

class CopyMediaTest : public CopyMedia {
protected:
    void SetUp() override {
        CopyMedia::SetUp();
        ui::MessageHeading.clear();
    }

    // A disk request puts the next disk behind A: and answers OK.
    void ChangeDiskOnRequest(ui::headless::Script& script, int disk) {
        script.OnMessage([this, disk](ui::TMessageForm& box) {
            requests_.push_back(box.Text);
            Machine().AddDrive('A', plat::DriveType::Removable, DiskFolder(disk));
            ui::headless::Click(box, "OK");
        });
    }

    work::CopyWork Work(const work::CopyOrder& order = FreshOrder()) { return CopyMedia::Work(order, reports_); }

    pages::BoxReports reports_;  // boxes the test's script answers
    std::vector<std::string> requests_;
};

}  // namespace copy_test
