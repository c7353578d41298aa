// What may go, and what stays, when the installation is taken back; and how the record
// of a later run joins the one already kept. Pure rules over the record and facts read
// from the machine, so that each can be tried on its own.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "record/InstallRecord.h"

namespace record {

// Two paths name the same place: letter case, '/' for '\' and a final separator aside.
bool SamePath(const std::string& a, const std::string& b);
// `path` is `folder` or lies below it.
bool Within(const std::string& path, const std::string& folder);

// The data: the SERVER's or CLIENT's data folder, or the DATA and NEW folders of a LOCAL
// data folder that is the program folder. Nothing in them, and none of them, is removed.
std::vector<std::string> DataFolders(const InstallRecord& record);
bool IsDataPath(const InstallRecord& record, const std::string& path);

enum class FileFate {
    Remove,   // as the installation left it
    Changed,  // its size or CRC-32 differ: somebody's work now; kept
    Data,     // lies among the data; kept whatever the record says
    Gone,     // not there any more
    Outside,  // not in the folder its owner keeps its files in: the record is wrong there
};
struct FileFacts {
    uint64_t size = 0;
    uint32_t crc = 0;
};
// `now`: the file as it is, or nothing when it is not there; `home`: the folder its owner
// keeps its files in (the program folder, the engine's folder).
FileFate FateOf(const InstallRecord& record, const RecordedFile& file, const std::optional<FileFacts>& now,
                const std::string& home);

// The engine's files and keys go only when this installation unpacked the engine and no
// other program counts on it: its use count (`useCount`, the registry's text) is not above
// zero once this installation's own raises are taken back.
bool EngineMayGo(const InstallRecord& record, const std::optional<std::string>& useCount);
// The use count with this installation's raises taken back, never below zero; nothing
// when the installation raised none.
std::optional<std::string> LoweredUseCount(const InstallRecord& record, const std::optional<std::string>& useCount);

// The folders that hold `files` below `root`, deepest first (`root` itself not included).
std::vector<std::string> FoldersBelow(const std::string& root, const std::vector<RecordedFile>& files);
// Folders in the order they can be removed: deepest first.
std::vector<std::string> DeepestFirst(std::vector<std::string> folders);

// A later run (an upgrade, another visit of the configuration page) joined to the record
// kept so far: files it wrote take their new sizes and CRCs, new things are added, and
// what a value held before the first run is kept.
void Merge(InstallRecord& kept, const InstallRecord& run);

}  // namespace record
