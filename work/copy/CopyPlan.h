// What a copy will write, known before it writes anything: the members of the selection's
// archives with where each goes and how big it is, and what that asks of each drive.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "product/Components.h"
#include "work/copy/CopyOrder.h"

namespace work {

struct PlannedMember {
    std::string path;     // the output path, as the engine builds it
    uint64_t size = 0;    // uncompressed
    bool exists = false;  // a file of that name is there now
    bool written = true;  // false for an existing file that the copy keeps as it is
};

// Where a component unpacks: its folder, without side effects (the engine's archive is
// planned for its folder under Program Files, installed engine or not).
std::string PlannedFolderOf(const product::TCompRecord& component, const CopyFolders& folders);

// The members of the archives of the order's selection that lie in its working folder;
// none of the engine's archive when an installed engine means it stays packed.
std::vector<PlannedMember> PlanMembers(const CopyOrder& order);

// Bytes needed per drive ("C:", "\\SERVER\SHARE"), and the first drive that lacks them.
using DriveNeeds = std::map<std::string, uint64_t>;
std::string DriveOf(const std::string& path);
void AddNeed(DriveNeeds& needs, const std::string& path, uint64_t bytes);
struct Shortfall {
    std::string drive;
    uint64_t needed = 0, free = 0;
};
std::optional<Shortfall> FindShortfall(const DriveNeeds& needs);

}  // namespace work
