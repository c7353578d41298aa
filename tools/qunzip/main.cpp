// qunzip: lists, tests and extracts ZIP archives with the setup program's own engine.
// Natively it runs over the virtual Windows machine (host paths are its drive Z:); built
// for Windows it runs over the real system, which is how the engine is tried under Wine.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>

#include "platform/win32/Win32Platform.h"
#else
#include <unistd.h>

#include "platform/host/HostPlatform.h"
#endif
#include "tools/qunzip/DiscardingPlatform.h"
#include "tools/qunzip/MemberLines.h"
#include "tools/qunzip/StopSignals.h"
#include "tools/qunzip/TerminalText.h"
#include "unzip/ArchiveInfo.h"
#include "unzip/Extraction.h"
#include "unzip/ZipCodes.h"
#include "unzip/ZipDirectory.h"

namespace {

using qunzip::ForTerminal;

constexpr int kExitAllGood = 0;
constexpr int kExitMemberFailed = 1;
constexpr int kExitArchiveUnreadable = 2;
constexpr int kExitUsage = 3;

// Where `qunzip t` sends its output: a drive the virtual machine does not have.
constexpr const char* kDiscardedFolder = "T:\\";

const char* const kUsage =
    "usage: qunzip [--verbose] l ARCHIVE [SPEC]      list the members that match SPEC (default *.*)\n"
    "       qunzip [--verbose] t ARCHIVE             decode every member and check its CRC; write nothing\n"
    "       qunzip [--verbose] x ARCHIVE DIR [SPEC]  extract the members that match SPEC into DIR\n"
    "       qunzip --help\n"
    "Paths are host paths (or Windows paths of the virtual machine, the host being Z:).\n"
    "SPEC is one pattern: *.EXT, NAME*, NAME.*, *.* or an exact stored name.\n"
    "One line per member in words; --verbose adds the engine's status and result code.\n"
    "Exit status: 0 every member succeeded, 1 some member failed, 2 the archive could not\n"
    "be read or a serious error stopped it, 3 wrong usage.\n";

#ifdef _WIN32
// The real system; paths are used as given.
class ScratchMachine {
public:
    ScratchMachine() { plat::SetCurrent(&system_); }
    ~ScratchMachine() { plat::SetCurrent(nullptr); }
    plat::Platform* Machine() { return &system_; }

private:
    plat::Win32Platform system_;
};

std::string MachinePath(const std::string& argument) { return argument; }
bool ProgressAllowed() { return _isatty(2) != 0; }
#else
// A scratch machine root for the time of one run.
class ScratchMachine {
public:
    ScratchMachine() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qunzip-XXXXXX").string();
        if (mkdtemp(pattern.data())) root_ = pattern;
        if (!root_.empty()) machine_ = std::make_unique<plat::HostPlatform>(root_);
    }
    ~ScratchMachine() {
        plat::SetCurrent(nullptr);
        machine_.reset();
        std::error_code ignored;
        if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
    }
    plat::Platform* Machine() { return machine_.get(); }

private:
    std::string root_;
    std::unique_ptr<plat::HostPlatform> machine_;
};

std::string MachinePath(const std::string& argument) {
    if (argument.size() >= 2 && argument[1] == ':') return argument;  // already Windows
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(argument, error);
    return plat::HostPlatform::WindowsPathOfHost(error ? argument : absolute.lexically_normal().string());
}
bool ProgressAllowed() { return isatty(STDERR_FILENO) == 1; }
#endif

// -11 when the archive's directory cannot be read at all.
bool DirectoryReadable(const std::string& archive) {
    unzip::ZipDirCursor cursor;
    return unzip::OpenZipDir(archive, cursor) != unzip::ZipArchiveError;
}

int Refuse(const std::string& argument, int32_t code) {
    const char* reason = code == unzip::ZipNotArchive ? "not a ZIP archive"
                         : code == unzip::ZipArchiveError ? "the archive is damaged"
                                                          : "cannot read the archive";
    std::fprintf(stderr, "qunzip: %s: %s (%d)\n", ForTerminal(argument).c_str(), reason, int(code));
    return kExitArchiveUnreadable;
}

// A file that is missing or cannot be read is named with the system's reason.
bool Openable(const std::string& argument) {
#ifndef _WIN32
    if (argument.size() >= 2 && argument[1] == ':') return true;  // a path of the virtual machine
#endif
    std::FILE* file = std::fopen(argument.c_str(), "rb");
    if (file) {
        std::fclose(file);
        return true;
    }
    std::fprintf(stderr, "qunzip: %s: %s\n", ForTerminal(argument).c_str(), std::strerror(errno));
    return false;
}

const char* MethodName(uint16_t method) {
    switch (method) {
        case 0: return "Stored";
        case 1: return "Shrunk";
        case 6: return "Implod";
        case 8: return "Deflat";
        default: return "Other";
    }
}

int List(const std::string& argument, const std::string& spec) {
    if (!Openable(argument)) return kExitArchiveUnreadable;
    const std::string archive = MachinePath(argument);
    if (unzip::LooksLikeZip(archive) && !DirectoryReadable(archive))
        return Refuse(argument, unzip::ZipArchiveError);
    std::printf("%10s %10s %5s %-6s %-16s %s\n", "Length", "Packed", "Saved", "Method",
                "Date", "Name");
    const int32_t count = unzip::ListArchive(
        archive, spec, [](int32_t value, unzip::ExtractReport* report) {
            const bool closing = report->Time == -1 && report->Attributes == -1;
            const uint32_t time = uint32_t(report->Time);
            if (closing) {
                std::printf("%10u %10u %4d%% %-6s %-16s %d members\n", uint32_t(report->Size),
                            uint32_t(report->CompressSize), int(int8_t(report->Ratio)), "", "",
                            int(value));
                return;
            }
            const unsigned date = time >> 16;
            std::printf("%10u %10u %4d%% %-6s %04u-%02u-%02u %02u:%02u %s\n",
                        uint32_t(report->Size), uint32_t(report->CompressSize),
                        int(int8_t(report->Ratio)), MethodName(report->PackMethod),
                        1980 + (date >> 9), (date >> 5) & 15, date & 31, (time >> 11) & 31,
                        (time >> 5) & 63, ForTerminal(report->FileName).c_str());
        });
    if (count < 0) return Refuse(argument, count);
    return kExitAllGood;
}

struct RunOptions {
    qunzip::MemberLines::Mode mode;
    bool verbose;
};

int Extract(const std::string& argument, const std::string& folder, const std::string& spec,
            RunOptions run) {
    if (!Openable(argument)) return kExitArchiveUnreadable;
    const std::string archive = MachinePath(argument);
    if (!unzip::LooksLikeZip(archive)) return Refuse(argument, unzip::ZipNotArchive);
    if (!DirectoryReadable(archive)) return Refuse(argument, unzip::ZipArchiveError);

    std::string prefix = folder;
    if (prefix.back() != '\\') prefix += '\\';
    qunzip::MemberLines lines(stdout, prefix, {run.mode, run.verbose, ProgressAllowed()});
    const int32_t result = unzip::ExtractArchive(
        archive, folder, spec,
        [&lines](int32_t value, unzip::ExtractReport* report) { lines.OnReport(value, *report); },
        nullptr);
    if (result == unzip::ZipNotArchive) return Refuse(argument, result);
    const bool testing = run.mode == qunzip::MemberLines::Mode::Test;
    std::printf("%d %s, %d failed%s\n", lines.Succeeded(), testing ? "tested" : "extracted",
                lines.Failed(), lines.Stopped() ? ", stopped" : "");
    if (result == unzip::ZipArchiveError) return Refuse(argument, result);
    if (result == unzip::ZipSeriousError || lines.Stopped()) return kExitArchiveUnreadable;
    return lines.Failed() > 0 ? kExitMemberFailed : kExitAllGood;
}

int Run(std::vector<std::string> args) {
    const bool verbose = !args.empty() && args[0] == "--verbose";
    if (verbose) args.erase(args.begin());
    const bool listing = args.size() >= 2 && args.size() <= 3 && args[0] == "l";
    const bool testing = args.size() == 2 && args[0] == "t";
    const bool extracting = args.size() >= 3 && args.size() <= 4 && args[0] == "x";
    if (!listing && !testing && !extracting) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }

    ScratchMachine scratch;
    if (!scratch.Machine()) {
        std::fputs("qunzip: cannot make a scratch folder\n", stderr);
        return kExitArchiveUnreadable;
    }
    plat::SetCurrent(scratch.Machine());

    if (listing) return List(args[1], args.size() == 3 ? args[2] : "");
    if (extracting) {
        return Extract(args[1], MachinePath(args[2]), args.size() == 4 ? args[3] : "",
                       {qunzip::MemberLines::Mode::Extract, verbose});
    }
    qunzip::DiscardingPlatform discarding(*scratch.Machine(), kDiscardedFolder);
    plat::SetCurrent(&discarding);
    const int status = Extract(args[1], kDiscardedFolder, "", {qunzip::MemberLines::Mode::Test, verbose});
    plat::SetCurrent(scratch.Machine());
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return kExitAllGood;
    }
    qunzip::UseTerminalCharacterSet();
    qunzip::CatchStopSignals();
    const int status = Run(std::move(args));
    // The scratch folder and any partial member are gone by now.
    qunzip::EndAsSignalled();
    return status;
}
