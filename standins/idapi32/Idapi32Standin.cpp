// IDAPI32.DLL stand-in: the few database engine operations the setup program uses.
//
// Aliases live in IDAPI32.CFG beside this library ("NAME=PATH" lines, names in any case).
// DbiInitFn reads the file; DbiAddAlias and DbiDeleteAlias change the aliases in memory
// (a deleted persistent alias leaves the file at once, as the engine's own does); DbiCfgSave writes
// the persistent ones back; DbiOpenDatabase succeeds when the alias exists and its folder
// does (natively the folder is looked up in the virtual Windows machine, see
// standins/common/StandinSupport.h).
//
// Its own result codes (any non-zero code is a failure to the caller):
//   0x3F01 not initialised        0x3F02 unknown alias       0x3F03 alias folder missing
//   0x3F04 invalid argument       0x3F05 file not written    0x3F06 failure asked for by a test
//
// Test hooks, from the environment:
//   IDAPI32_FAIL_INIT=n   the next n initialisations fail (counted down in the environment)
//   IDAPI32_FAIL_ADD=A,B  adding alias A or B fails
//   IDAPI32_FAIL_SAVE=n   the next n configuration saves fail
#include <cstring>
#include <memory>
#include <string>

#include "dbengine/BdeApi.h"
#include "standins/common/AliasFile.h"
#include "standins/common/StandinSupport.h"

#if defined(_WIN32)
#define STANDIN_EXPORT extern "C"  // exported by name and ordinal through Idapi32.def
#else
#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

using namespace bde;

namespace {

constexpr DBIResult kNotInitialised = 0x3F01;
constexpr DBIResult kUnknownAlias = 0x3F02;
constexpr DBIResult kFolderMissing = 0x3F03;
constexpr DBIResult kInvalidArgument = 0x3F04;
constexpr DBIResult kNotWritten = 0x3F05;
constexpr DBIResult kFailureAsked = 0x3F06;

constexpr char kPathParam[] = "PATH:";

struct Engine {
    int initCount = 0;
    standin::AliasTable persistent;  // what the file holds after the next save
    standin::AliasTable session;     // what this process sees, non-persistent ones too
};

Engine& State() {
    static Engine engine;
    return engine;
}

struct Database {
    std::string alias;
};

std::string ThisLibrary() { return standin::ModulePath(reinterpret_cast<const void*>(&State)); }

std::string AliasFilePath() {
    return standin::FolderOf(ThisLibrary()) + standin::kAliasFileName;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           standin::EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

STANDIN_EXPORT DBIResult DBIFN DbiInitFn(uint16_t version, pDBIEnv) {
    if (version != kInterfaceVersion) return kInvalidArgument;
    if (standin::TakeCountdown("IDAPI32_FAIL_INIT")) return kFailureAsked;
    Engine& engine = State();
    if (engine.initCount == 0) {
        if (!engine.persistent.Load(AliasFilePath())) return kNotWritten;
        engine.session = engine.persistent;
    }
    ++engine.initCount;
    return 0;
}

STANDIN_EXPORT DBIResult DBIFN DbiExit() {
    Engine& engine = State();
    if (engine.initCount == 0) return kNotInitialised;
    if (--engine.initCount == 0) {
        engine.persistent.Clear();
        engine.session.Clear();
    }
    return 0;
}

STANDIN_EXPORT DBIResult DBIFN DbiOpenDatabase(char* dbName, char*, DBIOpenMode, DBIShareMode,
                                               char*, uint16_t, void*, void*, hDBIDb* db) {
    if (State().initCount == 0) return kNotInitialised;
    if (!dbName || !db) return kInvalidArgument;
    *db = nullptr;
    const auto path = State().session.PathOf(dbName);
    if (!path) return kUnknownAlias;
    if (!standin::WindowsFolderExists(*path, ThisLibrary())) return kFolderMissing;
    *db = new Database{dbName};
    return 0;
}

STANDIN_EXPORT DBIResult DBIFN DbiCloseDatabase(hDBIDb* db) {
    if (State().initCount == 0) return kNotInitialised;
    if (!db || !*db) return kInvalidArgument;
    delete static_cast<Database*>(*db);
    *db = nullptr;
    return 0;
}

STANDIN_EXPORT DBIResult DBIFN DbiAddAlias(hDBICfg cfg, char* aliasName, char* driverType,
                                           char* params, DBIBool persistent) {
    if (State().initCount == 0) return kNotInitialised;
    if (cfg || !aliasName || !*aliasName || !params) return kInvalidArgument;
    if (driverType && !standin::EqualsNoCase(driverType, "PARADOX") &&
        !standin::EqualsNoCase(driverType, "STANDARD"))
        return kInvalidArgument;
    const std::string paramText = params;
    if (!StartsWithNoCase(paramText, kPathParam)) return kInvalidArgument;
    if (standin::ListedIn("IDAPI32_FAIL_ADD", aliasName)) return kFailureAsked;
    const std::string path = paramText.substr(std::strlen(kPathParam));
    State().session.Set(aliasName, path);
    if (persistent) State().persistent.Set(aliasName, path);
    return 0;
}

STANDIN_EXPORT DBIResult DBIFN DbiDeleteAlias(hDBICfg cfg, char* aliasName) {
    if (State().initCount == 0) return kNotInitialised;
    if (cfg || !aliasName || !*aliasName) return kInvalidArgument;
    const bool inSession = State().session.Remove(aliasName);
    const bool persistent = State().persistent.Remove(aliasName);
    if (!inSession && !persistent) return kUnknownAlias;
    if (persistent && !State().persistent.Save(AliasFilePath())) return kNotWritten;
    return 0;
}

STANDIN_EXPORT DBIResult DBIFN DbiCfgSave(hDBICfg cfg, char* cfgFile, DBIBool) {
    if (State().initCount == 0) return kNotInitialised;
    if (cfg || cfgFile) return kInvalidArgument;  // only the engine's own file is kept
    if (standin::TakeCountdown("IDAPI32_FAIL_SAVE")) return kFailureAsked;
    return State().persistent.Save(AliasFilePath()) ? 0 : kNotWritten;
}

#if !defined(_WIN32)
// The host platform finds "export ordinal N" of a library as the symbol torvex_ordinal_N.
STANDIN_EXPORT DBIResult torvex_ordinal_4(char* dbName, char* dbType, DBIOpenMode openMode,
                                          DBIShareMode shareMode, char* password,
                                          uint16_t optionalFields, void* descs, void* params,
                                          hDBIDb* db) {
    return DbiOpenDatabase(dbName, dbType, openMode, shareMode, password, optionalFields, descs,
                           params, db);
}
STANDIN_EXPORT DBIResult torvex_ordinal_5(hDBIDb* db) { return DbiCloseDatabase(db); }
STANDIN_EXPORT DBIResult torvex_ordinal_1207(hDBICfg cfg, char* aliasName, char* driverType,
                                             char* params, DBIBool persistent) {
    return DbiAddAlias(cfg, aliasName, driverType, params, persistent);
}
STANDIN_EXPORT DBIResult torvex_ordinal_400(hDBICfg cfg, char* cfgFile, DBIBool persistent) {
    return DbiCfgSave(cfg, cfgFile, persistent);
}
#endif
