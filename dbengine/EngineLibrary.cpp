#include "dbengine/EngineLibrary.h"

#include <array>
#include <cstring>

#include "dbengine/BdeErrors.h"
#include "dbengine/EngineLoader.h"

namespace bde {

namespace {

// A zero-terminated copy of `text` in the machine's ANSI code page, the engine's own, in
// a buffer of the engine's size. Refused when the code page cannot hold a letter of it (a
// '?' in its place would name another folder) or when it does not fit.
using TextBuffer = std::array<char, kEngineTextBuffer>;

DBIResult FillBuffer(const std::string& text, TextBuffer* buffer) {
    const plat::AnsiText ansi = plat::Current().Utf8ToAnsi(text);
    if (!ansi.Whole()) return kTextNotInCodePage;
    if (ansi.text.size() >= buffer->size()) return kTextTooLong;
    std::memcpy(buffer->data(), ansi.text.c_str(), ansi.text.size() + 1);
    return kOk;
}

template <typename Proc>
Proc AsProc(void* address) {
    return reinterpret_cast<Proc>(address);
}

}  // namespace

DBIResult EngineLibrary::Init() {
    const bool loadedHere = !library_;
    if (loadedHere) {
        DBIResult code = kOk;
        library_ = LoadEngineLibrary(plat::Current(), &code);
        if (!library_) return code;
    }
    auto init = AsProc<DbiInitFnProc>(library_->Symbol(kInitName));
    const DBIResult result = init ? init(kInterfaceVersion, nullptr) : kNoInitEntry;
    if (result == kOk) {
        ++useCount_;
    } else if (loadedHere) {
        Release();
    }
    return result;
}

DBIResult EngineLibrary::Exit() {
    if (!library_) return kLibraryNotLoadable;
    auto exit = AsProc<DbiExitProc>(library_->Symbol(kExitName));
    if (!exit) return kMissingEntry;
    const DBIResult result = exit();
    if (result == kOk && useCount_ > 0 && --useCount_ == 0) Release();
    return result;
}

template <typename Proc>
DBIResult EngineLibrary::BindOrdinal(int ordinal, Proc* slot) {
    if (*slot) return kOk;
    if (!library_) {
        DBIResult code = kOk;
        library_ = LoadEngineLibrary(plat::Current(), &code);
        if (!library_) return kLibraryNotLoadable;
    }
    *slot = AsProc<Proc>(library_->Ordinal(ordinal));
    return *slot ? kOk : kMissingEntry;
}

template <typename Proc>
DBIResult EngineLibrary::BindName(const char* name, Proc* slot) {
    if (*slot) return kOk;
    if (!library_) return kLibraryNotLoadable;
    *slot = AsProc<Proc>(library_->Symbol(name));
    return *slot ? kOk : kMissingEntry;
}

DBIResult EngineLibrary::OpenDatabase(const std::string& name, DBIOpenMode openMode,
                                      DBIShareMode shareMode, hDBIDb* db) {
    if (DBIResult bound = BindOrdinal(kOrdinalOpenDatabase, &openDatabase_)) return bound;
    TextBuffer nameBuffer;
    if (DBIResult filled = FillBuffer(name, &nameBuffer)) return filled;
    return openDatabase_(nameBuffer.data(), nullptr, openMode, shareMode, nullptr, 0, nullptr,
                         nullptr, db);
}

DBIResult EngineLibrary::CloseDatabase(hDBIDb* db) {
    if (DBIResult bound = BindOrdinal(kOrdinalCloseDatabase, &closeDatabase_)) return bound;
    return closeDatabase_(db);
}

DBIResult EngineLibrary::AddAlias(const std::string& name, const std::string& driverType,
                                  const std::string& params, bool persistent) {
    if (DBIResult bound = BindOrdinal(kOrdinalAddAlias, &addAlias_)) return bound;
    TextBuffer nameBuffer, driverBuffer, paramsBuffer;
    if (DBIResult filled = FillBuffer(name, &nameBuffer)) return filled;
    if (DBIResult filled = FillBuffer(driverType, &driverBuffer)) return filled;
    if (DBIResult filled = FillBuffer(params, &paramsBuffer)) return filled;
    return addAlias_(nullptr, nameBuffer.data(), driverBuffer.data(), paramsBuffer.data(),
                     persistent ? 1 : 0);
}

DBIResult EngineLibrary::CfgSave(bool persistent) {
    if (DBIResult bound = BindOrdinal(kOrdinalCfgSave, &cfgSave_)) return bound;
    return cfgSave_(nullptr, nullptr, persistent ? 1 : 0);
}

DBIResult EngineLibrary::DeleteAlias(const std::string& name) {
    if (DBIResult bound = BindName(kDeleteAliasName, &deleteAlias_)) return bound;
    TextBuffer nameBuffer;
    if (DBIResult filled = FillBuffer(name, &nameBuffer)) return filled;
    return deleteAlias_(nullptr, nameBuffer.data());
}

void EngineLibrary::Release() {
    openDatabase_ = nullptr;
    closeDatabase_ = nullptr;
    addAlias_ = nullptr;
    cfgSave_ = nullptr;
    deleteAlias_ = nullptr;
    library_.reset();
    useCount_ = 0;
}

}  // namespace bde
