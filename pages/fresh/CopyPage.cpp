#include "pages/fresh/CopyPage.h"


namespace pages {

TCopy::TCopy() : TCopyPageForm(core::PageCopy) {}

work::CopyOrder TCopy::Order() {
    work::CopyOrder order = OrderOfThisRun(product::ComponentSets);
    order.replacement = work::Replacement::AllButData;
    return order;
}

std::unique_ptr<ui::TForm> MakeCopyPage() { return std::make_unique<TCopy>(); }

}  // namespace pages
