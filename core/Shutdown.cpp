#include "core/Shutdown.h"

#include "dbengine/DatabaseEngine.h"
#include "upgrade/UpgradeLibrary.h"

namespace core {

void ReleaseOutsideComponents() {
    ShutdownBDE();
    UnloadUpgradeDll();
}

}  // namespace core
