// The first thing every start does: an upgrade copy that was interrupted (the program
// killed, the machine off) is undone, or finished when it had completed, from its journal;
// the run log says which. A damaged journal, or files that cannot be put back, are shown
// in a box, and nothing more is touched.
#pragma once

namespace core {

void RecoverInterruptedUpgrade();

}  // namespace core
