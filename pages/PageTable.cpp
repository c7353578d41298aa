#include "pages/PageTable.h"

#include "pages/ConfigPage.h"
#include "pages/CopyPage.h"
#include "pages/Dirs.h"
#include "pages/EndScreen.h"
#include "pages/FindApp.h"
#include "pages/IType.h"
#include "pages/UpgCopy.h"
#include "pages/UpgData.h"

namespace pages {

// Page numbers 5 (the end) and 9 (after the upgrade, turned into 4) have no page.
// A page joins the wizard by putting its form class here; a number without one ends
// the wizard with the driver's "missing page" note.
const core::PageTableType& PageTable() {
    static const core::PageTableType table = {{
        {"TIType", MakeIType},
        {"TDirs", MakeDirs},
        {"TCopy", MakeCopyPage},
        {"TConfig", MakeConfigPage},
        {"TEndScreen", MakeEndScreen},
        {"PageEnd", nullptr},
        {"TFindApp", MakeFindApp},
        {"TUpgCopy", MakeUpgCopy},
        {"TUpgData", MakeUpgData},
        {"PageAfterUpgrade", nullptr},
    }};
    return table;
}

}  // namespace pages
