// Builds installation media from a product folder: one deflated archive per component,
// the upgrade set UPGRADE.1, INSTALL.EXE signed when asked, then the disks: DISK<n> markers, INSTALL.EXE, INSTALL.CFG
// and UPGRADE.1 on disk 1, and the archives cut into pieces NAME.1, NAME.2, ... that fill
// the disks in order. A floppy set is one folder per disk (disk1, disk2, ...); a CD is
// the same set in one folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/mkmedia/ArchiveWriter.h"
#include "tools/mkmedia/Signature.h"

namespace mkmedia {

struct BuildRequest {
    std::filesystem::path product;    // one sub-folder per component: EXE, VANTIR, ...
    std::filesystem::path installer;  // INSTALL.EXE
    std::vector<std::filesystem::path> upgradeFiles;
    std::filesystem::path output;     // created; must not hold files yet
    uint64_t diskBytes = 0;
    bool cd = false;
    bool sign = false;  // INSTALL.EXE goes on the media signed as `signing` says
    SigningRequest signing;
};

// Exit statuses of the tool.
enum Status { Ok = 0, Usage = 1, MissingInput = 2, DiskTooSmall = 3, CannotWrite = 4, Broken = 5, CannotSign = 6 };

struct BuildResult {
    Status status = Ok;
    std::string message;  // what went wrong, or what was made
};

// `progress` gets a line of text and the fraction of the whole job done.
BuildResult BuildMedia(const BuildRequest& request,
                       const std::function<void(const std::string&, double)>& progress);

}  // namespace mkmedia
