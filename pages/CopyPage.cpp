#include "pages/CopyPage.h"

#include "core/InstallState.h"

namespace pages {

TCopy::TCopy() : TCopyPageForm("TCopy", 2) {}

core::ComponentSet TCopy::Selection() const { return core::ComponentSets[core::State().InstallType]; }

std::unique_ptr<ui::TForm> MakeCopyPage() { return std::make_unique<TCopy>(); }

}  // namespace pages
