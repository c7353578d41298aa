#include "core/InstallState.h"

namespace core {

namespace {
InstallState state;
}

InstallState& State() { return state; }

void ResetState() { state = InstallState{}; }

}  // namespace core
