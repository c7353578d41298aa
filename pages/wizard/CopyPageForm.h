// The form both copy pages share: the fresh installation's TCopy (page 2) and the
// upgrade's TUpgCopy (page 7). Status line, copy and extraction gauges, Back, Continue
// and Abandon; Continue asks for the disks, joins the pieces, unpacks the page's
// selection of components with the page's settings and deletes the archives. The work
// itself is CopyWork's; the form shows it and turns its outcome into the page's result:
// 1 when done, 2 when a disk was refused, and when the copy failed the page stays open
// with its buttons enabled (Continue tries again).
//
// A copy page derives from it and says what it unpacks and how, in one order:
//
//   class TCopy : public TCopyPageForm {
//       TCopy() : TCopyPageForm(core::PageCopy) {}
//       work::CopyOrder Order() override { ... }
//   };
#pragma once

#include <array>
#include <string>

#include "product/Components.h"
#include "work/copy/CopyWork.h"
#include "pages/wizard/WizardPage.h"
#include "ui/Labels.h"
#include "ui/Panels.h"
#include "ui/StdControls.h"

namespace pages {

class TCopyPageForm : public TWizardPage {
public:
    explicit TCopyPageForm(int pageNo);

    ui::TLabel* LGroupName = nullptr;
    ui::TPanel* GaugePanel = nullptr;
    ui::TGauge* CopyProgress = nullptr;
    ui::TGauge* UnzipProgress = nullptr;

    void FormCreate() override;
    void BNextClick();

    // What the copy work shows on this page: the status line and the two gauges.
    work::CopyView View();

protected:
    // What the page unpacks and how, read when Continue is pressed.
    virtual work::CopyOrder Order() = 0;
    // The order as this run's state gives it: its source, its folders, the components of
    // `selections` for its kind of installation, what it knows of the engine. The page adds
    // how files are replaced and what else its copy needs.
    static work::CopyOrder OrderOfThisRun(const std::array<product::ComponentSet, 4>& selections);
};

}  // namespace pages
