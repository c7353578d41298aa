// Page 2 of a fresh installation, the file copy page (TCopy): unpacks the archives of the
// chosen kind of installation, every existing file replaced (the copy page form does the
// rest, CopyPageForm.h).
#pragma once

#include <memory>

#include "pages/CopyPageForm.h"

namespace pages {

class TCopy : public TCopyPageForm {
public:
    TCopy();

protected:
    core::ComponentSet Selection() const override;
    ExtractionSettings Settings() override { return {}; }
};

std::unique_ptr<ui::TForm> MakeCopyPage();

}  // namespace pages
