// UPGRADE.ZIP beside the program: the upgrade library's archive.
#pragma once

namespace core {

// Unpacks (upgrade) or only deletes (fresh installation) UPGRADE.ZIP beside the program.
void PrepareUpgradeArchive();

}  // namespace core
