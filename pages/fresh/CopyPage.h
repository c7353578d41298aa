// Page 2 of a fresh installation, the file copy page (TCopy): unpacks the archives of the
// chosen kind of installation, every existing file replaced but the data's: a data folder
// that is there already (kept by an uninstall, or another installation's) keeps its
// databases, and the product's sample databases fill in only what is missing. The copy
// page form does the rest (CopyPageForm.h).
#pragma once

#include <memory>

#include "pages/wizard/CopyPageForm.h"

namespace pages {

class TCopy : public TCopyPageForm {
public:
    TCopy();

protected:
    work::CopyOrder Order() override;
};

std::unique_ptr<ui::TForm> MakeCopyPage();

}  // namespace pages
