#include "pages/fresh/CopyPage.h"

#include "core/InstallState.h"

namespace pages {

TCopy::TCopy() : TCopyPageForm(core::PageCopy) {}

work::CopyOrder TCopy::Order() {
    const core::InstallState& state = core::State();
    work::CopyOrder order;
    order.source = {state.SourceDir, state.DiskCount};
    order.folders = {state.WorkDir, state.ProgramDir, state.DataDir};
    order.selection = product::ComponentSets[state.InstallType];
    order.replacement = work::Replacement::AllButData;
    order.oldEngine = state.OldEngineFlag;
    return order;
}

std::unique_ptr<ui::TForm> MakeCopyPage() { return std::make_unique<TCopy>(); }

}  // namespace pages
