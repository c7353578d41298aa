// How the installation set is laid out over disks of a given size: the installer set on
// disk 1, then each component's archive, in the component table's order, cut into pieces
// that fill every disk before the next one starts. Space is counted in whole clusters, as
// a floppy's file system allots it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mkmedia {

// A 3.5" 1.44 MB floppy: the bytes its file system gives to files, in 512-byte clusters.
inline constexpr uint64_t kFloppyBytes = 1457664;
inline constexpr uint64_t kClusterBytes = 512;
// Disk 1 must leave at least this much room for pieces after the installer set.
inline constexpr uint64_t kMinPieceRoom = 64 * 1024;

struct SizedFile {
    std::string name;
    uint64_t size = 0;
};

struct Piece {
    std::string archive;  // the archive's stem, "EXE"
    int number = 0;       // 1 starts the archive
    uint64_t offset = 0;  // where in the archive the piece begins
    uint64_t size = 0;
};

struct DiskPlan {
    std::vector<std::vector<Piece>> disks;  // disks[0] is disk 1
    std::string error;                      // empty when the set fits
};

uint64_t ClusterBytes(uint64_t size);
// The installer set goes on disk 1; `archives` are named by stem, in the order to lay out.
DiskPlan PlanDisks(const std::vector<SizedFile>& installerSet, const std::vector<SizedFile>& archives,
                   uint64_t diskBytes);

}  // namespace mkmedia
