#include "core/UpgradeArchive.h"

#include "core/InstallState.h"
#include "platform/Platform.h"
#include "unzip/QuarnUnzip.h"

namespace core {

namespace {
constexpr char kUpgradeArchive[] = "UPGRADE.ZIP";
}

// The upgrade library travels inside UPGRADE.ZIP and is loaded from the program's own
// folder; a fresh installation has no use for the archive. Neither the extraction nor
// the deletion is examined: a missing library is reported when it is loaded.
void PrepareUpgradeArchive() {
    std::string folder = plat::ProgramFolder();
    std::string archive = folder + kUpgradeArchive;
    if (State().IsUpgrade) {
        unzip::TQuarnUnzip unzip;
        unzip.SetFileName(archive);
        unzip.SetDirectoryName(folder);
        unzip.Extract();
    }
    plat::Current().RemoveFile(archive);
}

}  // namespace core
