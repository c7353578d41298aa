// Connects the archive engine to the user interface: while it unpacks, pending window
// messages run between units of work, a few times a second, and the Escape key is watched.
#pragma once

namespace core {
void ConnectArchiveEngineToInterface();
}
