#include "pages/wizard/PageTable.h"

#include "answers/ExitCodes.h"
#include "pages/fresh/ConfigPage.h"
#include "pages/fresh/CopyPage.h"
#include "pages/fresh/Dirs.h"
#include "pages/wizard/EndScreen.h"
#include "pages/upgrade/FindApp.h"
#include "pages/fresh/IType.h"
#include "pages/upgrade/UpgCopy.h"
#include "pages/upgrade/UpgData.h"

namespace pages {

namespace {

// The end and the number after the upgrade (turned into the end page) have no page. A
// page joins the wizard by putting its form class here; a number without one ends the
// wizard with the driver's "missing page" note. A failure on the folders page is a
// folder the pages refuse: a wrong answer; at PageEnd, the upgrade library did not load.
constexpr core::PageTableType kPages = {{
    {core::PageInstallType, "TIType", MakeIType, answers::ExitBadAnswers},
    {core::PageFolders, "TDirs", MakeDirs, answers::ExitBadAnswers},
    {core::PageCopy, "TCopy", MakeCopyPage, answers::ExitCopyFailed},
    {core::PageConfig, "TConfig", MakeConfigPage, answers::ExitConfigFailed},
    {core::PageEndScreen, "TEndScreen", MakeEndScreen, answers::ExitConfigFailed},
    {core::PageEnd, "PageEnd", nullptr, answers::ExitNotFound},
    {core::PageFirstUpgrade, "TFindApp", MakeFindApp, answers::ExitNotFound},
    {core::PageUpgradeCopy, "TUpgCopy", MakeUpgCopy, answers::ExitCopyFailed},
    {core::PageDatabaseUpgrade, "TUpgData", MakeUpgData, answers::ExitConfigFailed},
    {core::PageAfterUpgrade, "PageAfterUpgrade", nullptr, answers::ExitConfigFailed},
}};
static_assert(core::RowsInPageOrder(kPages));

}  // namespace

const core::PageTableType& PageTable() { return kPages; }

}  // namespace pages
