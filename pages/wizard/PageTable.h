// The product's wizard pages, indexed by page number, as the wizard driver walks them.
#pragma once

#include "core/Wizard.h"

namespace pages {

const core::PageTableType& PageTable();

}  // namespace pages
