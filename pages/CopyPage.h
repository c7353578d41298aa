// Page 2 of a fresh installation, the file copy page (TCopy): Continue asks for the disks,
// joins the archive pieces, unpacks the archives of the chosen kind of installation and
// deletes them. The work itself is CopyWork's; the page shows it and turns its outcome
// into the page's result: 1 when done, 2 when a disk was refused, and when the copy
// failed the page stays open with its buttons enabled (Continue tries again).
#pragma once

#include <memory>

#include "pages/CopyWork.h"
#include "pages/WizardPage.h"
#include "ui/Labels.h"
#include "ui/Panels.h"
#include "ui/StdControls.h"

namespace pages {

class TCopy : public TWizardPage {
public:
    TCopy();

    ui::TLabel* LGroupName = nullptr;
    ui::TPanel* GaugePanel = nullptr;
    ui::TGauge* CopyProgress = nullptr;
    ui::TGauge* UnzipProgress = nullptr;

    void FormCreate() override;
    void BNextClick();

    // What the copy work shows on this page: the status line and the two gauges.
    CopyView View();
};

std::unique_ptr<ui::TForm> MakeCopyPage();

}  // namespace pages
