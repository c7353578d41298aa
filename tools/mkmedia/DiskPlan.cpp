#include "tools/mkmedia/DiskPlan.h"

#include <algorithm>

namespace mkmedia {

uint64_t ClusterBytes(uint64_t size) { return (size + kClusterBytes - 1) / kClusterBytes * kClusterBytes; }

DiskPlan PlanDisks(const std::vector<SizedFile>& installerSet, const std::vector<SizedFile>& archives,
                   uint64_t diskBytes) {
    DiskPlan plan;
    uint64_t installer = 0;
    for (const SizedFile& file : installerSet) installer += ClusterBytes(file.size);
    if (diskBytes < installer + kMinPieceRoom) {
        plan.error = "disk 1 cannot hold the installer set (" + std::to_string(installer) +
                     " bytes) and leave " + std::to_string(kMinPieceRoom) + " bytes for pieces; disks hold " +
                     std::to_string(diskBytes) + " bytes";
        return plan;
    }
    plan.disks.emplace_back();
    uint64_t used = installer;
    for (const SizedFile& archive : archives) {
        uint64_t offset = 0;
        int number = 1;
        do {
            uint64_t room = (diskBytes - used) / kClusterBytes * kClusterBytes;
            if (room == 0) {
                plan.disks.emplace_back();
                used = 0;
                room = diskBytes / kClusterBytes * kClusterBytes;
            }
            const uint64_t size = std::min(room, archive.size - offset);
            plan.disks.back().push_back({archive.name, number++, offset, size});
            used += ClusterBytes(size);
            offset += size;
        } while (offset < archive.size);
    }
    return plan;
}

}  // namespace mkmedia
