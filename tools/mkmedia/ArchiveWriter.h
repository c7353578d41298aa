// Writes a deflated ZIP archive with libzip: the files of a folder and its sub-folders
// under their relative names, or a list of files under their own names.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace mkmedia {

// Called while libzip compresses, with the fraction done (0..1).
using ProgressFn = std::function<void(double)>;

// True when written; otherwise `error` says why.
bool WriteFolderArchive(const std::filesystem::path& folder, const std::filesystem::path& archive,
                        const ProgressFn& progress, std::string* error);
bool WriteFilesArchive(const std::vector<std::filesystem::path>& files, const std::filesystem::path& archive,
                       const ProgressFn& progress, std::string* error);

}  // namespace mkmedia
