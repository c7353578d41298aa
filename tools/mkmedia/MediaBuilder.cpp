#include "tools/mkmedia/MediaBuilder.h"

#include <fstream>

#include "product/Components.h"
#include "product/MediaPieces.h"
#include "tools/mkmedia/DiskPlan.h"
#include "tools/mkmedia/MediaNames.h"
#include "tools/mkmedia/ScratchFolder.h"

namespace mkmedia {

namespace {

namespace fs = std::filesystem;

// Archives are made in this share of the job; writing the disks takes the rest.
constexpr double kArchiveShare = 0.9;

BuildResult Fail(Status status, std::string message) { return {status, std::move(message)}; }

std::string MissingInputs(const BuildRequest& request) {
    for (const product::TCompRecord& component : product::ComponentTable)
        if (!fs::is_directory(request.product / component.Name))
            return "missing component folder " + (request.product / component.Name).string();
    if (!fs::is_regular_file(request.installer)) return "missing installer " + request.installer.string();
    if (request.upgradeFiles.empty()) return "no upgrade set given (--upgrade FILE)";
    for (const fs::path& file : request.upgradeFiles)
        if (!fs::is_regular_file(file)) return "missing upgrade file " + file.string();
    if (!request.sign) return {};
    if (!fs::is_regular_file(request.signing.certificate)) return "missing certificate " + request.signing.certificate.string();
    if (!request.signing.passwordFile.empty() && !fs::is_regular_file(request.signing.passwordFile))
        return "missing password file " + request.signing.passwordFile.string();
    return {};
}

bool CopyBytes(const fs::path& from, uint64_t offset, uint64_t size, const fs::path& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    in.seekg(std::streamoff(offset));
    std::vector<char> buffer(1 << 20);
    while (size > 0 && in && out) {
        const uint64_t chunk = std::min<uint64_t>(size, buffer.size());
        in.read(buffer.data(), std::streamsize(chunk));
        out.write(buffer.data(), in.gcount());
        size -= uint64_t(in.gcount());
    }
    out.close();
    return size == 0 && out.good();
}

bool WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return out.good();
}

bool EmptyOrAbsent(const fs::path& folder) {
    std::error_code ignored;
    return !fs::exists(folder, ignored) || (fs::is_directory(folder, ignored) && fs::is_empty(folder, ignored));
}

}  // namespace

BuildResult BuildMedia(const BuildRequest& request, const std::function<void(const std::string&, double)>& progress) {
    if (std::string missing = MissingInputs(request); !missing.empty()) return Fail(MissingInput, missing);
    if (!EmptyOrAbsent(request.output)) return Fail(CannotWrite, request.output.string() + " already holds files");

    ScratchFolder scratch("mkmedia");
    // Signed before anything is laid out: the disks plan for the signed program's size, and
    // a signature that fails leaves no media at all.
    fs::path installer = request.installer;
    if (request.sign) {
        installer = scratch.Path() / kInstallerName;
        if (std::string why = SignProgram(request.signing, request.installer, installer); !why.empty())
            return Fail(CannotSign, "cannot sign " + request.installer.string() + ": " + why);
    }
    std::vector<SizedFile> archives;
    std::string error;
    const double step = kArchiveShare / double(product::ComponentTable.size() + 1);
    double done = 0;
    for (const product::TCompRecord& component : product::ComponentTable) {
        const std::string name(component.Name);
        const fs::path archive = scratch.Path() / (name + ".ZIP");
        auto report = [&](double fraction) { progress(name + ".ZIP", done + fraction * step); };
        if (!WriteFolderArchive(request.product / name, archive, report, &error)) return Fail(CannotWrite, error);
        archives.push_back({name, fs::file_size(archive)});
        done += step;
    }
    const fs::path upgradeSet = scratch.Path() / kUpgradeSetName;
    if (!WriteFilesArchive(request.upgradeFiles, upgradeSet, nullptr, &error)) return Fail(CannotWrite, error);

    const std::vector<SizedFile> installerSet = {
        {kInstallerName, fs::file_size(installer)},
        {kConfigName, ConfigText(99).size()},
        {kUpgradeSetName, fs::file_size(upgradeSet)},
    };
    const DiskPlan plan = PlanDisks(installerSet, archives, request.diskBytes);
    if (!plan.error.empty()) return Fail(DiskTooSmall, plan.error);

    const int diskCount = int(plan.disks.size());
    for (int n = 1; n <= diskCount; ++n) {
        progress(request.cd ? "CD" : FloppyFolderName(n), kArchiveShare + (1 - kArchiveShare) * (n - 1) / diskCount);
        const fs::path folder = request.cd ? request.output : request.output / FloppyFolderName(n);
        std::error_code failure;
        fs::create_directories(folder, failure);
        bool written = !failure && WriteText(folder / product::DiskMarkerName(n), "");
        if (n == 1) {
            written = written && fs::copy_file(installer, folder / kInstallerName, fs::copy_options::overwrite_existing, failure) &&
                      WriteText(folder / kConfigName, ConfigText(diskCount)) &&
                      fs::copy_file(upgradeSet, folder / kUpgradeSetName, fs::copy_options::overwrite_existing, failure);
        }
        for (const Piece& piece : plan.disks[size_t(n - 1)]) {
            written = written && CopyBytes(scratch.Path() / (piece.archive + ".ZIP"), piece.offset, piece.size,
                                           folder / (piece.archive + "." + std::to_string(piece.number)));
        }
        if (!written) return Fail(CannotWrite, "cannot write " + folder.string());
    }
    progress("done", 1.0);
    std::string made = request.cd ? "a CD folder" : std::to_string(diskCount) + " disk folders";
    return {Ok, request.output.string() + ": " + made + " of a " + std::to_string(diskCount) + "-disk set" +
                    (request.sign ? ", INSTALL.EXE signed" : "")};
}

}  // namespace mkmedia
