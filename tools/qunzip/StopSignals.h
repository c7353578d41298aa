// Stopping qunzip cleanly. Ctrl+C, a termination request or a closed output pipe do not
// end the process on the spot: they ask the engine to stop (as the Escape key does in
// the installer), so that the member being written and the scratch folder are removed
// before qunzip ends, with the status a signal gives.
#pragma once

namespace qunzip {

// Catches the signals and lets the engine's abort check see them.
void CatchStopSignals();
// Called when writing the output failed (the reader went away): stop as for a signal.
void StopForClosedOutput();
bool StopRequested();
// Ends the process as the caught signal would have, after the caller cleaned up.
void EndAsSignalled();

}  // namespace qunzip
