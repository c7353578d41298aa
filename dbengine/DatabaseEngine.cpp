#include "dbengine/DatabaseEngine.h"

#include "dbengine/BdeErrors.h"
#include "dbengine/EngineLibrary.h"

namespace bde {

EngineLibrary& Engine() {
    // Never destroyed: the library is released by ShutdownBDE, not by the order in which
    // static objects happen to be torn down at exit.
    static EngineLibrary* engine = new EngineLibrary;
    return *engine;
}

namespace {
bool initialised = false;
}

}  // namespace bde

bool InitBDE() {
    if (bde::initialised) return true;
    bde::initialised = bde::Engine().Init() == bde::kOk;
    return bde::initialised;
}

bool BDEAliasExists() {
    if (!InitBDE()) return false;
    bde::hDBIDb db = nullptr;
    if (bde::Engine().OpenDatabase(bde::kProductAlias, bde::dbiREADONLY, bde::dbiOPENSHARED, &db) !=
        bde::kOk)
        return false;
    bde::Engine().CloseDatabase(&db);
    return true;
}

bool AddBDEAliases(const std::vector<std::string>& names, const std::vector<std::string>& folders) {
    if (names.size() != folders.size() || !InitBDE()) return false;
    bool allAdded = true;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string params = std::string(bde::kAliasPathPrefix) + folders[i];
        if (bde::Engine().AddAlias(names[i], bde::kAliasDriver, params, true) != bde::kOk)
            allAdded = false;
    }
    const bool saved = bde::Engine().CfgSave(false) == bde::kOk;
    return allAdded && saved;
}

bool RemoveBDEAliases(const std::vector<std::string>& names) {
    if (!InitBDE()) return false;
    bool allRemoved = true;
    for (const std::string& name : names)
        if (bde::Engine().DeleteAlias(name) != bde::kOk) allRemoved = false;
    return allRemoved;
}

void ShutdownBDE() {
    if (!bde::initialised) return;
    bde::Engine().Exit();
    bde::initialised = false;
}
