// What the configuration steps and the installation's record work on, stated once by
// the page that starts them.
#pragma once

#include <cstdint>
#include <string>

#include "core/InstallState.h"

namespace work {

struct ConfigOrder {
    uint8_t installType = core::InstallNone;  // core::InstallKind
    std::string programDir;  // where the program is, and the component installers
    std::string workDir;     // where the program's optional parts were unpacked
    std::string dataDir;     // where the product's aliases point
};

// The order of an installation in the state its pages left.
inline ConfigOrder ConfigOrderOf(const core::InstallState& state) {
    return {state.InstallType, state.ProgramDir, state.WorkDir, state.DataDir};
}

}  // namespace work
