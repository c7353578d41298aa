// Page 7, the upgrade copy page (TUpgCopy): unpacks the upgrade's archives over the
// installed product by the replacement rule (work/copy/ReplacementRule.h): every archive of the
// upgrade selection is handed to the engine, and there is no database engine archive to
// check. The copy is all or nothing, through the upgrade's journal: a copy that fails, or
// a disk refused, leaves the installation as it was. A copy that succeeds leaves the
// journal open for the database upgrade page, which commits or undoes the whole upgrade
// (a CLIENT that leaves the server's database alone commits at once). The copy page form
// does the rest (CopyPageForm.h).
#pragma once

#include <memory>

#include "pages/wizard/CopyPageForm.h"

namespace pages {

class TUpgCopy : public TCopyPageForm {
public:
    TUpgCopy();

protected:
    work::CopyOrder Order() override;
};

std::unique_ptr<ui::TForm> MakeUpgCopy();

}  // namespace pages
