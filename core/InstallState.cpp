#include "core/InstallState.h"

#include "record/Recording.h"

namespace core {

namespace {
InstallState state;
}

InstallState& State() { return state; }

void ResetState() {
    state = InstallState{};
    record::ForgetThisRun();
}

}  // namespace core
