// The company's data kept aside while the upgrade library changes it: a folder with all
// its subfolders copied into a folder of the same drive, each file read back and checked
// against its original by size and CRC-32. A mark beside the copy ("DATE1.OK" beside
// "DATE1") says the copy is whole; only a whole copy is ever put back, and the mark goes
// first when the copy goes, so that a copy cut short is never taken for the data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace journal {

// One file or folder under a folder, named from it ("FIRMA.DB", "LUNA\L.DB").
struct TreeEntry {
    std::string name;
    bool isFolder = false;
    uint64_t size = 0;
};

// Everything under `folder`, each folder before what it holds. The upgrade's own folder
// ("~TORVUPG"), should the data lie at a drive's root, is no part of it.
std::vector<TreeEntry> ListTree(const std::string& folder);
uint64_t BytesOf(const std::vector<TreeEntry>& tree);

// Copies `folder` into `copy` and checks every file. Empty when the copy is whole and
// marked; otherwise the path that could not be copied or did not match its original.
std::string CopyTree(const std::string& folder, const std::string& copy);

// The mark that says `copy` is whole.
std::string WholeMarkOf(const std::string& copy);

// Makes `folder` hold exactly what the whole copy holds: files that differ or are missing
// are copied back, files and folders the copy lacks are removed. The paths that could not
// be put back; none when `folder` is as it was.
std::vector<std::string> RestoreTree(const std::string& copy, const std::string& folder);

// Removes the copy, its mark first. False when something of it stays.
bool RemoveCopy(const std::string& copy);

}  // namespace journal
