#include "tools/mkmedia/Verify.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <ostream>

#include "product/Components.h"
#include "product/MediaPieces.h"
#include "platform/Paths.h"
#include "platform/host/HostPlatform.h"
#include "tools/mkmedia/MediaNames.h"
#include "tools/mkmedia/ScratchFolder.h"
#include "tools/mkmedia/Signature.h"
#include "unzip/QuarnUnzip.h"

namespace mkmedia {

namespace {

namespace fs = std::filesystem;

std::string Windows(const fs::path& host) { return plat::HostPlatform::WindowsPathOfHost(fs::absolute(host).string()); }

// The disks of the set, in order: the folder itself when it holds DISK1, else disk1, disk2, ...
std::vector<fs::path> DisksOf(const fs::path& media) {
    if (fs::is_regular_file(media / product::DiskMarkerName(1))) return {media};
    std::vector<fs::path> disks;
    for (int n = 1; fs::is_directory(media / FloppyFolderName(n)); ++n) disks.push_back(media / FloppyFolderName(n));
    return disks;
}

struct ArchiveTest {
    int members = 0;
    std::string problem;  // empty when every member unpacked
};

ArchiveTest TestArchive(const std::string& archive, const std::string& folder) {
    ArchiveTest test;
    unzip::TQuarnUnzip unzip;
    unzip.SetFileName(archive);
    unzip.SetDirectoryName(folder);
    unzip.SetReportProc([&](int32_t value, unzip::ExtractReport* report) {
        if (report->Status == unzip::StatusFileFailed && test.problem.empty())
            test.problem = std::string(report->FileName) + ": " + unzip::ResultCodeName(value);
    });
    const int32_t result = unzip.Extract();
    if (result < 0 && test.problem.empty()) test.problem = unzip::ResultCodeName(result);
    test.members = result;
    return test;
}

// One line on the program's signature; false when it has one that does not verify.
bool ReportSignature(const fs::path& program, const fs::path& authority, std::ostream& out) {
    const SignatureCheck check = CheckSignature(program, authority);
    out << kInstallerName << ": ";
    if (check.state == SignatureState::Unsigned) {
        out << "unsigned\n";
        return true;
    }
    out << "signed" << (check.signer.empty() ? "" : " by " + check.signer);
    if (check.state == SignatureState::Sound) {
        out << ": ok\n";
        return true;
    }
    out << ": the signature does NOT verify (" << check.problem << ")\n";
    return false;
}

}  // namespace

bool VerifyMedia(const fs::path& media, const fs::path& authority, std::ostream& out) {
    const std::vector<fs::path> disks = DisksOf(media);
    if (disks.empty()) {
        out << media.string() << ": neither a CD folder (with DISK1) nor a floppy set (with disk1)\n";
        return false;
    }
    bool sound = true;
    for (const char* name : kInstallerSetNames) {
        if (!fs::is_regular_file(disks[0] / name)) {
            out << "disk 1 lacks " << name << "\n";
            sound = false;
        }
    }
    ScratchFolder scratch("mkmedia-verify");
    plat::HostPlatform machine((scratch.Path() / "machine").string());
    plat::SetCurrent(&machine);
    const fs::path joined = scratch.Path() / "joined";
    fs::create_directories(joined);

    product::PieceJoiner joiner;
    std::map<std::string, int> pieces;  // archive name (upper case) -> pieces joined
    for (size_t n = 0; n < disks.size(); ++n) {
        if (!fs::is_regular_file(disks[n] / product::DiskMarkerName(int(n + 1)))) {
            out << disks[n].string() << " lacks its marker " << product::DiskMarkerName(int(n + 1)) << "\n";
            sound = false;
        }
        const std::string source = Windows(disks[n]);
        for (const std::string& piece : product::PiecesInJoiningOrder(machine.ListDirectory(source), kAllComponents)) {
            const std::string archive = plat::ToUpperAscii(product::PieceArchiveName(piece));
            if (joiner.Append(plat::JoinPath(source, piece), Windows(joined / archive), product::PieceStartsArchive(piece)) !=
                product::JoinFault::None) {
                out << "cannot join " << piece << "\n";
                sound = false;
            }
            ++pieces[archive];
        }
    }

    std::vector<std::pair<std::string, std::string>> archives;  // shown name, Windows path
    for (const product::TCompRecord& component : product::ComponentTable) {
        const std::string name = std::string(component.Name) + ".ZIP";
        if (!pieces.count(name)) {
            out << name << ": no pieces on the media\n";
            sound = false;
            continue;
        }
        archives.emplace_back(name, Windows(joined / name));
    }
    archives.emplace_back(kUpgradeSetName, Windows(disks[0] / kUpgradeSetName));
    for (const auto& [name, path] : archives) {
        const ArchiveTest test = TestArchive(path, Windows(scratch.Path() / "out" / name));
        out << name;
        if (pieces.count(name)) out << ", " << pieces[name] << (pieces[name] == 1 ? " piece" : " pieces");
        if (test.problem.empty()) {
            out << ", " << test.members << (test.members == 1 ? " member" : " members") << ": ok\n";
        } else {
            out << ": DAMAGED (" << test.problem << ")\n";
            sound = false;
        }
    }
    plat::SetCurrent(nullptr);
    if (fs::is_regular_file(disks[0] / kInstallerName)) sound = ReportSignature(disks[0] / kInstallerName, authority, out) && sound;
    return sound;
}

}  // namespace mkmedia
