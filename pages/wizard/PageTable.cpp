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
// folder the pages refuse: a wrong answer. The two numbers without a page show none.
constexpr core::PageTableType kPages = {{
    {core::PageInstallType, "TIType", MakeIType, answers::Outcome::AnswersWrong},
    {core::PageFolders, "TDirs", MakeDirs, answers::Outcome::AnswersWrong},
    {core::PageCopy, "TCopy", MakeCopyPage, answers::Outcome::CopyFailed},
    {core::PageConfig, "TConfig", MakeConfigPage, answers::Outcome::ConfigFailed},
    {core::PageEndScreen, "TEndScreen", MakeEndScreen, answers::Outcome::ConfigFailed},
    {core::PageEnd, "PageEnd", nullptr, answers::Outcome::Installed},
    {core::PageFirstUpgrade, "TFindApp", MakeFindApp, answers::Outcome::NothingToUpgrade},
    {core::PageUpgradeCopy, "TUpgCopy", MakeUpgCopy, answers::Outcome::CopyFailed},
    {core::PageDatabaseUpgrade, "TUpgData", MakeUpgData, answers::Outcome::ConfigFailed},
    {core::PageAfterUpgrade, "PageAfterUpgrade", nullptr, answers::Outcome::Installed},
}};
static_assert(core::RowsInPageOrder(kPages));

}  // namespace

const core::PageTableType& PageTable() { return kPages; }

}  // namespace pages
