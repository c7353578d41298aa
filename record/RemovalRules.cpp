#include "record/RemovalRules.h"

#include <algorithm>
#include <charconv>

#include "product/Components.h"
#include "platform/Paths.h"

namespace record {

namespace {

// A path as paths compare: upper case, one kind of separator, no final one.
std::string Comparable(const std::string& path) {
    std::string text = plat::ToUpperAscii(plat::ExcludeTrailingBackslash(path));
    for (char& c : text)
        if (c == '/') c = '\\';
    return text;
}

int CountOf(const std::optional<std::string>& text) {
    if (!text) return 0;
    int value = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    return error == std::errc() ? value : 0;
}

template <typename T, typename Same>
void AddMissing(std::vector<T>& into, const std::vector<T>& from, Same same) {
    for (const T& item : from)
        if (std::none_of(into.begin(), into.end(), [&](const T& kept) { return same(kept, item); }))
            into.push_back(item);
}

bool SameValue(const RecordedValue& a, const RecordedValue& b) {
    return plat::EqualsIgnoreCase(a.key, b.key) && plat::EqualsIgnoreCase(a.name, b.name);
}

bool SameName(const std::string& a, const std::string& b) { return plat::EqualsIgnoreCase(a, b); }

void MergeFiles(std::vector<RecordedFile>& kept, const std::vector<RecordedFile>& run) {
    for (const RecordedFile& file : run) {
        auto found = std::find_if(kept.begin(), kept.end(),
                                  [&](const RecordedFile& k) { return SamePath(k.path, file.path); });
        if (found == kept.end())
            kept.push_back(file);
        else
            *found = file;
    }
}

void MergeBelongings(Belongings& kept, const Belongings& run) {
    MergeFiles(kept.files, run.files);
    AddMissing(kept.folders, run.folders, SamePath);
    AddMissing(kept.values, run.values, SameValue);
    AddMissing(kept.keys, run.keys, SameName);
}

}  // namespace

bool Within(const std::string& path, const std::string& folder) {
    const std::string p = Comparable(path), f = Comparable(folder);
    if (f.empty()) return false;
    return p == f || (p.size() > f.size() && p.compare(0, f.size(), f) == 0 && p[f.size()] == '\\');
}

bool SamePath(const std::string& a, const std::string& b) {
    return Comparable(a) == Comparable(b);
}

std::vector<std::string> DataFolders(const InstallRecord& record) {
    if (record.dataDir.empty()) return {};
    if (!SamePath(record.dataDir, record.programDir)) return {record.dataDir};
    std::vector<std::string> folders;
    for (std::string_view alias : product::AliasFolders) {
        const std::string top = plat::JoinPath(record.dataDir, alias.substr(0, alias.find('\\')));
        if (std::none_of(folders.begin(), folders.end(), [&](const std::string& f) { return SamePath(f, top); }))
            folders.push_back(top);
    }
    return folders;
}

bool IsDataPath(const InstallRecord& record, const std::string& path) {
    const std::vector<std::string> folders = DataFolders(record);
    return std::any_of(folders.begin(), folders.end(), [&](const std::string& folder) { return Within(path, folder); });
}

FileFate FateOf(const InstallRecord& record, const RecordedFile& file, const std::optional<FileFacts>& now,
                const std::string& home) {
    if (IsDataPath(record, file.path)) return FileFate::Data;
    if (!Within(file.path, home) || SamePath(file.path, home)) return FileFate::Outside;
    if (!now) return FileFate::Gone;
    return now->size == file.size && now->crc == file.crc ? FileFate::Remove : FileFate::Changed;
}

bool EngineMayGo(const InstallRecord& record, const std::optional<std::string>& useCount) {
    return record.engineUnpacked && CountOf(useCount) - record.useCountRaised <= 0;
}

std::optional<std::string> LoweredUseCount(const InstallRecord& record, const std::optional<std::string>& useCount) {
    if (record.useCountRaised <= 0) return std::nullopt;
    return std::to_string(std::max(0, CountOf(useCount) - record.useCountRaised));
}

std::vector<std::string> DeepestFirst(std::vector<std::string> folders) {
    auto depth = [](const std::string& path) { return std::count(path.begin(), path.end(), '\\'); };
    std::stable_sort(folders.begin(), folders.end(),
                     [&](const std::string& a, const std::string& b) { return depth(a) > depth(b); });
    return folders;
}

std::vector<std::string> FoldersBelow(const std::string& root, const std::vector<RecordedFile>& files) {
    std::vector<std::string> folders;
    for (const RecordedFile& file : files) {
        std::string folder = plat::ExcludeTrailingBackslash(file.path);
        for (;;) {
            const size_t cut = folder.find_last_of("\\/");
            if (cut == std::string::npos) break;
            folder.resize(cut);
            if (!Within(folder, root) || SamePath(folder, root)) break;
            if (std::none_of(folders.begin(), folders.end(), [&](const std::string& f) { return SamePath(f, folder); }))
                folders.push_back(folder);
        }
    }
    return DeepestFirst(folders);
}

void Merge(InstallRecord& kept, const InstallRecord& run) {
    if (!run.kind.empty()) kept.kind = run.kind;
    if (!run.programDir.empty()) kept.programDir = run.programDir;
    if (!run.dataDir.empty()) kept.dataDir = run.dataDir;
    if (!run.group.empty()) {
        // A group the Program Manager made once is its to remove, whatever a later run made.
        const bool byProgramManager = !kept.group.empty() && kept.groupWay == GroupWay::ProgramManager;
        kept.groupWay = byProgramManager ? GroupWay::ProgramManager : run.groupWay;
        kept.group = run.group;
    }
    MergeFiles(kept.shortcuts, run.shortcuts);
    kept.engineUnpacked = kept.engineUnpacked || run.engineUnpacked;
    kept.useCountRaised += run.useCountRaised;
    MergeBelongings(kept.product, run.product);
    MergeBelongings(kept.engine, run.engine);
    AddMissing(kept.aliases, run.aliases, SameName);
    AddMissing(kept.profile, run.profile, SameValue);
}

}  // namespace record
