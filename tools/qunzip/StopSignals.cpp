#include "tools/qunzip/StopSignals.h"

#include <csignal>
#include <cstdlib>

#include "unzip/UnzipHooks.h"

namespace qunzip {

namespace {

volatile std::sig_atomic_t caughtSignal = 0;

extern "C" void OnStopSignal(int signal) { caughtSignal = signal; }

}  // namespace

void CatchStopSignals() {
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
#ifdef SIGPIPE
    // A closed pipe shows as a failed write instead.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    unzip::UnzipHooks hooks;
    hooks.isKeyDown = [](int) { return StopRequested(); };
    unzip::SetUnzipHooks(hooks);
}

void StopForClosedOutput() {
#ifdef SIGPIPE
    if (!caughtSignal) caughtSignal = SIGPIPE;
#else
    if (!caughtSignal) caughtSignal = SIGTERM;
#endif
}

bool StopRequested() { return caughtSignal != 0; }

void EndAsSignalled() {
    if (!caughtSignal) return;
    const int signal = caughtSignal;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

}  // namespace qunzip
