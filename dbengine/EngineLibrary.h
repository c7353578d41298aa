// The database engine library bound at run time. Initialise and shut down are looked up
// by name on every call; a use count, raised by each successful initialise and lowered by
// each successful shut down, releases the library when it returns to 0. The four
// operations bound by export ordinal are looked up on their first call and kept until the
// library is released (after which they are looked up again, never called stale).
//
// Every operation returns the engine's 16-bit code; the binding's own failures are the
// codes of dbengine/BdeErrors.h. Texts are handed to the engine in the machine's ANSI code
// page (the program's own are UTF-8), in 256-byte buffers: longer texts are refused with
// kTextTooLong, texts with a letter the code page cannot hold with kTextNotInCodePage.
#pragma once

#include <memory>
#include <string>

#include "dbengine/BdeApi.h"
#include "platform/Platform.h"

namespace bde {

inline constexpr size_t kEngineTextBuffer = 256;  // bytes, with the terminating zero

class EngineLibrary {
public:
    EngineLibrary() = default;
    EngineLibrary(const EngineLibrary&) = delete;
    EngineLibrary& operator=(const EngineLibrary&) = delete;

    DBIResult Init();
    DBIResult Exit();
    DBIResult OpenDatabase(const std::string& name, DBIOpenMode openMode, DBIShareMode shareMode,
                           hDBIDb* db);
    DBIResult CloseDatabase(hDBIDb* db);
    DBIResult AddAlias(const std::string& name, const std::string& driverType,
                       const std::string& params, bool persistent);
    DBIResult CfgSave(bool persistent);
    // Removes a persistent alias from the engine's configuration.
    DBIResult DeleteAlias(const std::string& name);

    bool IsLoaded() const { return library_ != nullptr; }
    int UseCount() const { return useCount_; }

private:
    // Makes sure a library is loaded for an ordinal-bound operation, then binds it.
    template <typename Proc>
    DBIResult BindOrdinal(int ordinal, Proc* slot);
    template <typename Proc>
    DBIResult BindName(const char* name, Proc* slot);
    void Release();

    std::unique_ptr<plat::Library> library_;
    int useCount_ = 0;
    DbiOpenDatabaseProc openDatabase_ = nullptr;
    DbiCloseDatabaseProc closeDatabase_ = nullptr;
    DbiAddAliasProc addAlias_ = nullptr;
    DbiCfgSaveProc cfgSave_ = nullptr;
    DbiDeleteAliasProc deleteAlias_ = nullptr;
};

}  // namespace bde
