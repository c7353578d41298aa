#include "core/WorkFolder.h"

#include <algorithm>
#include <iterator>

#include "core/Log.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

namespace core {

namespace {

constexpr size_t kNameDigits = 16;  // 64 bits from the generator
constexpr int kNameAttempts = 16;
// The running program's file, moved aside to go when the system next starts.
constexpr char kParkedPrefix[] = "~TORV";
constexpr size_t kParkedDigits = 8;
constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string RandomDigits(size_t count) {
    std::string bytes((count + 1) / 2, '\0');
    plat::Current().RandomBytes(bytes.data(), bytes.size());
    std::string digits;
    for (const unsigned char byte : bytes) {
        digits += kHexDigits[byte >> 4];
        digits += kHexDigits[byte & 0x0F];
    }
    digits.resize(count);
    return digits;
}

bool SamePath(const std::string& a, const std::string& b) {
    return plat::EqualsIgnoreCase(plat::ExcludeTrailingBackslash(a), plat::ExcludeTrailingBackslash(b));
}

// A running program's file cannot be removed, but it can be moved on its drive: out of
// the folder, which can then go, to where the system removes it when it next starts.
bool ParkRunningProgram(const std::string& file, const std::string& besideFolder) {
    auto& platform = plat::Current();
    const std::string parked = besideFolder + kParkedPrefix + RandomDigits(kParkedDigits) + ".TMP";
    if (!platform.RenameFile(file, parked, false)) return false;
    if (!platform.RemoveFileAtRestart(parked)) LogNote("Programul de instalare a ramas in " + parked);
    return true;
}

}  // namespace

std::optional<std::string> MakeWorkFolder(const std::string& parent, std::string* failure) {
    auto& platform = plat::Current();
    std::string folder;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        folder = parent + WorkFolderPrefix + RandomDigits(kNameDigits);
        // Made here and now, never taken over: a name that exists already is another's.
        if (platform.MakeDirectory(folder)) return folder + "\\";
        if (!platform.DirectoryExists(folder) && !platform.FileExists(folder)) break;
    }
    *failure = "Nu pot crea folderul de lucru\r" + folder;
    return std::nullopt;
}

bool IsWorkFolder(const std::string& folder) {
    const std::string name = plat::ExtractFileName(plat::ExcludeTrailingBackslash(folder));
    const size_t prefix = std::size(WorkFolderPrefix) - 1;
    if (name.size() != prefix + kNameDigits || !plat::EqualsIgnoreCase(name.substr(0, prefix), WorkFolderPrefix))
        return false;
    return std::all_of(name.begin() + prefix, name.end(),
                       [](char c) { return std::find(kHexDigits, kHexDigits + 16, c) != kHexDigits + 16; });
}

void RemoveWorkFolder(const std::string& folder) {
    auto& platform = plat::Current();
    const std::string path = plat::ExcludeTrailingBackslash(folder);
    if (!IsWorkFolder(path) || !platform.DirectoryExists(path)) return;
    const std::string running = platform.ModuleFileName();
    for (const plat::DirEntry& entry : platform.ListDirectory(path)) {
        // Only the files: a folder in it is not followed, so that a link laid there cannot
        // lead a program with administrator rights to remove anything elsewhere.
        if (entry.isDirectory) continue;
        const std::string file = plat::JoinPath(path, entry.name);
        // The running program's own file is refused at once (no use waiting for it).
        if (SamePath(file, running) ? ParkRunningProgram(file, plat::ExtractFilePath(path)) : platform.RemoveFile(file))
            continue;
        LogNote("Nu am putut sterge " + file);
    }
    if (!platform.RemoveEmptyDirectory(path)) LogNote("Folderul de lucru " + path + " ramane");
}

}  // namespace core
