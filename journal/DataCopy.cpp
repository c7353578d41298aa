#include "journal/DataCopy.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <set>

#include "journal/UpgradeJournal.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "unzip/Crc32.h"

namespace journal {

namespace {

constexpr int64_t kChunk = 1 << 20;
constexpr char kWholeMark[] = ".OK";

plat::Platform& Machine() { return plat::Current(); }

std::string Under(const std::string& folder, const std::string& name) { return folder + "\\" + name; }

void ListInto(const std::string& folder, const std::string& prefix, std::vector<TreeEntry>& tree) {
    for (const plat::DirEntry& entry : Machine().ListDirectory(folder)) {
        if (entry.isDirectory && plat::EqualsIgnoreCase(entry.name, kKeepFolderName)) continue;
        const std::string name = prefix + entry.name;
        tree.push_back({name, entry.isDirectory, entry.isDirectory ? 0 : uint64_t(entry.size)});
        if (entry.isDirectory) ListInto(Under(folder, entry.name), name + "\\", tree);
    }
}

struct Summary {
    uint64_t size = 0;
    uint32_t crc = 0;
};

// One buffer for a whole copy or restore.
class Copier {
public:
    Copier() : buffer_(new char[kChunk]) {}

    std::optional<Summary> Read(const std::string& path) {
        std::unique_ptr<plat::File> in = Machine().Open(path, plat::OpenMode::Read);
        if (!in) return std::nullopt;
        Summary summary;
        uint32_t crc = unzip::kCrcStart;
        for (;;) {
            const int64_t got = in->Read(buffer_.get(), kChunk);
            if (got < 0) return std::nullopt;
            crc = unzip::UpdateCrc32(crc, buffer_.get(), size_t(got));
            summary.size += uint64_t(got);
            if (got < kChunk) break;
        }
        summary.crc = ~crc;
        return summary;
    }

    // Copies and reads the copy back: true when it holds what the original held.
    bool Copy(const std::string& from, const std::string& to) {
        std::optional<Summary> written = Write(from, to);
        const std::optional<Summary> check = written ? Read(to) : std::nullopt;
        return check && check->size == written->size && check->crc == written->crc;
    }

    bool Same(const std::string& a, const std::string& b) {
        const std::optional<Summary> first = Read(a), second = first ? Read(b) : std::nullopt;
        return second && first->size == second->size && first->crc == second->crc;
    }

private:
    std::optional<Summary> Write(const std::string& from, const std::string& to) {
        std::unique_ptr<plat::File> in = Machine().Open(from, plat::OpenMode::Read);
        std::unique_ptr<plat::File> out = in ? Machine().Open(to, plat::OpenMode::Create) : nullptr;
        if (!out) return std::nullopt;
        Summary summary;
        uint32_t crc = unzip::kCrcStart;
        for (;;) {
            const int64_t got = in->Read(buffer_.get(), kChunk);
            if (got < 0 || out->Write(buffer_.get(), got) != got) return std::nullopt;
            crc = unzip::UpdateCrc32(crc, buffer_.get(), size_t(got));
            summary.size += uint64_t(got);
            if (got < kChunk) break;
        }
        summary.crc = ~crc;
        return summary;
    }

    std::unique_ptr<char[]> buffer_;
};

bool MakeFolder(const std::string& folder) {
    return Machine().DirectoryExists(folder) || Machine().MakeDirectory(folder);
}

// Removes what is under `folder` and the tree's names; the paths that stay.
std::vector<std::string> RemoveEntries(const std::string& folder, const std::vector<TreeEntry>& entries) {
    std::vector<std::string> stayed;
    // Deepest first: a folder's files before the folder.
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const std::string path = Under(folder, entry->name);
        const bool gone = entry->isFolder ? Machine().RemoveEmptyDirectory(path) : Machine().RemoveFile(path);
        if (!gone) stayed.push_back(path);
    }
    return stayed;
}

}  // namespace

std::vector<TreeEntry> ListTree(const std::string& folder) {
    std::vector<TreeEntry> tree;
    ListInto(plat::ExcludeTrailingBackslash(folder), "", tree);
    return tree;
}

uint64_t BytesOf(const std::vector<TreeEntry>& tree) {
    uint64_t bytes = 0;
    for (const TreeEntry& entry : tree) bytes += entry.size;
    return bytes;
}

std::string WholeMarkOf(const std::string& copy) { return copy + kWholeMark; }

std::string CopyTree(const std::string& folder, const std::string& copy) {
    const std::string from = plat::ExcludeTrailingBackslash(folder);
    if (!MakeFolder(copy)) return copy;
    Copier copier;
    for (const TreeEntry& entry : ListTree(from)) {
        const std::string to = Under(copy, entry.name);
        if (entry.isFolder ? !MakeFolder(to) : !copier.Copy(Under(from, entry.name), to)) return to;
    }
    const std::string mark = WholeMarkOf(copy);
    std::unique_ptr<plat::File> file = Machine().Open(mark, plat::OpenMode::AppendDurable);
    const std::string text = from + "\r\n";
    if (!file || file->Write(text.data(), int64_t(text.size())) != int64_t(text.size())) return mark;
    return {};
}

std::vector<std::string> RestoreTree(const std::string& copy, const std::string& folder) {
    const std::string to = plat::ExcludeTrailingBackslash(folder);
    std::vector<std::string> problems;
    std::set<std::string> kept;
    Copier copier;
    if (!MakeFolder(to)) return {to};
    for (const TreeEntry& entry : ListTree(copy)) {
        kept.insert(plat::ToUpperAscii(entry.name));
        const std::string path = Under(to, entry.name), original = Under(copy, entry.name);
        if (entry.isFolder) {
            if (!MakeFolder(path)) problems.push_back(path);
        } else if (!(Machine().FileExists(path) && copier.Same(original, path)) && !copier.Copy(original, path)) {
            problems.push_back(path);
        }
    }
    // What the library added goes.
    std::vector<TreeEntry> added = ListTree(to);
    std::erase_if(added, [&](const TreeEntry& entry) { return kept.count(plat::ToUpperAscii(entry.name)) != 0; });
    const std::vector<std::string> stayed = RemoveEntries(to, added);
    problems.insert(problems.end(), stayed.begin(), stayed.end());
    return problems;
}

bool RemoveCopy(const std::string& copy) {
    plat::Platform& machine = Machine();
    const std::string mark = WholeMarkOf(copy);
    if (machine.FileExists(mark) && !machine.RemoveFile(mark)) return false;
    if (!machine.DirectoryExists(copy)) return true;
    return RemoveEntries(copy, ListTree(copy)).empty() && machine.RemoveEmptyDirectory(copy);
}

}  // namespace journal
