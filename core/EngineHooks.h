// Connects the archive engine to the user interface: while it unpacks, pending window
// messages run between units of work and the Escape key is watched.
#pragma once

namespace core {
void ConnectArchiveEngineToInterface();
}
