#include "work/copy/CopyPlan.h"

#include "work/copy/ReplacementRule.h"
#include "work/engine/EngineCheck.h"
#include "work/engine/EngineRegistry.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "unzip/ArchiveInfo.h"
#include "unzip/OutputPath.h"

namespace work {

std::string PlannedFolderOf(const product::TCompRecord& component, const CopyFolders& folders) {
    switch (component.Target) {
        case product::TargetData:
        case product::TargetDataToo: return folders.data;
        case product::TargetProgram: return folders.program;
        default: return ProgramFilesFolder();
    }
}

std::vector<PlannedMember> PlanMembers(const CopyOrder& order) {
    plat::Platform& machine = plat::Current();
    std::vector<PlannedMember> plan;
    // An engine installed already keeps the engine's archive packed (EngineCheck.h).
    const bool engineStaysPacked = EngineInstalled();
    for (size_t position = 0; position < product::ComponentTable.size(); ++position) {
        const product::TCompRecord& component = product::ComponentTable[position];
        if (!product::Contains(order.selection, int(position)) || component.Name.empty()) continue;
        const std::string archive = plat::JoinPath(order.folders.work, std::string(component.Name) + ".ZIP");
        if (!machine.FileExists(archive)) continue;
        if (component.Target == product::TargetEngine && engineStaysPacked) continue;
        const std::string folder = PlannedFolderOf(component, order.folders);
        const std::string prefix = plat::IncludeTrailingBackslash(folder);
        unzip::ListArchive(archive, "*.*", [&](int32_t value, unzip::ExtractReport* report) {
            if (value != 0 || (report->Time == -1 && report->Attributes == -1)) return;  // the closing call carries the totals
            const std::string stored = report->FileName;
            // The engine writes no member with an unsafe name, and makes folders on its own.
            if (stored.empty() || unzip::IsFolderEntry(stored) || !unzip::IsSafeStoredName(stored)) return;
            PlannedMember member{prefix + stored, uint32_t(report->Size), false, true};
            member.exists = machine.FileExists(member.path);
            member.written = !member.exists || Replaces(order.replacement, component, folder, member.path);
            plan.push_back(std::move(member));
        });
    }
    return plan;
}

std::string DriveOf(const std::string& path) {
    const std::string root = plat::ExtractDriveRoot(path);
    return plat::ToUpperAscii(plat::ExcludeTrailingBackslash(root.empty() ? path : root));
}

void AddNeed(DriveNeeds& needs, const std::string& path, uint64_t bytes) { needs[DriveOf(path)] += bytes; }

std::optional<Shortfall> FindShortfall(const DriveNeeds& needs) {
    for (const auto& [drive, needed] : needs) {
        if (needed == 0) continue;
        const std::optional<uint64_t> free = plat::Current().FreeSpace(drive + "\\");
        if (free && *free < needed) return Shortfall{drive, needed, *free};
    }
    return std::nullopt;
}

}  // namespace work
