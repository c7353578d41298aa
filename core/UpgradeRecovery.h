// The first thing every start does: an upgrade that was interrupted (the program killed,
// the machine off), in its copy or its database upgrade, is undone with its data, or
// finished when it had completed, from its journal; the run log says which. A damaged journal, files that cannot be put back, or a journal
// on a drive that is not there, are shown in a box, and nothing more is touched; what
// could not be done waits in the journal for the next start.
#pragma once

namespace core {

void RecoverInterruptedUpgrade();

}  // namespace core
