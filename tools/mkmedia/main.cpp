// mkmedia: makes the installation media of WinTORVEX from a product folder, and checks a
// set before it ships. `mkmedia --help` says how.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "tools/mkmedia/DiskPlan.h"
#include "tools/mkmedia/MediaBuilder.h"
#include "tools/mkmedia/Verify.h"

namespace {

constexpr char kHelp[] = R"(usage:
  mkmedia build [--cd] [--disk-size BYTES] --installer INSTALL.EXE --upgrade FILE...
                [--sign FILE.pfx [--sign-password-file FILE] [--timestamp URL]] PRODUCT OUT
  mkmedia verify [--ca FILE] MEDIA
  mkmedia --help

build   makes installation media in the folder OUT (created; it must not hold files).
        PRODUCT holds one folder per component, with the files as they are to be
        unpacked: EXE, VANTIR, DBDAT, DBNEW, BDE32, HELP, MIRDAN. Each becomes a
        deflated archive NAME.ZIP, cut into pieces NAME.1, NAME.2, ... that fill the
        disks in order. Disk 1 also carries INSTALL.EXE, INSTALL.CFG (NrDiscuri, the
        number of disks) and UPGRADE.1, the archive of the --upgrade files (UPGRADE.DLL).
        Every disk n carries its marker file DISKn.
        Without --cd: a floppy set, one folder per disk (OUT/disk1, OUT/disk2, ...).
        With --cd: the same set in the one folder OUT.
  --disk-size BYTES   what one disk holds (default 1457664, a 1.44 MB floppy)
  --sign FILE.pfx     signs the media's INSTALL.EXE (Authenticode, SHA-256) with the
                      certificate and key in FILE.pfx, through osslsigncode; the working
                      copy and the uninstaller the program makes of itself carry it too
  --sign-password-file FILE   the password of FILE.pfx, on the first line of FILE
  --timestamp URL     has the signature time-stamped by this RFC 3161 server, so that it
                      stays valid after the certificate expires

verify  joins the pieces of a floppy set or a CD folder as the installer does and tests
        every archive with the installer's own engine. A signed INSTALL.EXE is checked
        and its signer named; an unsigned one is only reported as unsigned.
  --ca FILE           the certificate to trust as the signer's root (a self-signed one);
                      without it, the system's certificate authorities

exit status: 0 done, 1 wrong usage, 2 an input is missing, 3 a disk is too small for
the installer set, 4 the output cannot be written, 5 verify found a broken set,
6 INSTALL.EXE could not be signed (no media are made).
)";

int Usage(const std::string& message) {
    std::cerr << "mkmedia: " << message << "\n(mkmedia --help says how to use it)\n";
    return mkmedia::Usage;
}

// A bar on a terminal; nothing when the error output is a file or a pipe.
class ProgressBar {
public:
    ProgressBar() : shown_(isatty(STDERR_FILENO)) {}
    ~ProgressBar() {
        if (shown_ && drawn_) std::fputs("\n", stderr);
    }
    void Show(const std::string& what, double fraction) {
        if (!shown_) return;
        constexpr int kWidth = 40;
        const int filled = int(fraction * kWidth + 0.5);
        std::fprintf(stderr, "\r[%-*s] %3d%% %-16s", kWidth, std::string(size_t(filled), '#').c_str(),
                     int(fraction * 100 + 0.5), what.c_str());
        std::fflush(stderr);
        drawn_ = true;
    }

private:
    bool shown_;
    bool drawn_ = false;
};

int Build(int argc, char** argv) {
    mkmedia::BuildRequest request;
    request.diskBytes = mkmedia::kFloppyBytes;
    std::vector<std::string> positional;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--cd") {
            request.cd = true;
        } else if (arg == "--disk-size") {
            const char* text = value();
            char* end = nullptr;
            const unsigned long long bytes = text ? std::strtoull(text, &end, 10) : 0;
            if (!text || *end || bytes == 0) return Usage("--disk-size needs a number of bytes");
            request.diskBytes = bytes;
        } else if (arg == "--installer") {
            const char* text = value();
            if (!text) return Usage("--installer needs a file");
            request.installer = text;
        } else if (arg == "--upgrade") {
            const char* text = value();
            if (!text) return Usage("--upgrade needs a file");
            request.upgradeFiles.emplace_back(text);
        } else if (arg == "--sign" || arg == "--sign-password-file" || arg == "--timestamp") {
            const char* text = value();
            if (!text) return Usage(arg + " needs a value");
            if (arg == "--sign") request.signing.certificate = text;
            if (arg == "--sign-password-file") request.signing.passwordFile = text;
            if (arg == "--timestamp") request.signing.timestampServer = text;
        } else if (arg.starts_with("--")) {
            return Usage("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) return Usage("build needs a PRODUCT folder and an OUT folder");
    if (request.installer.empty()) return Usage("build needs --installer");
    request.sign = !request.signing.certificate.empty();
    if (!request.sign && (!request.signing.passwordFile.empty() || !request.signing.timestampServer.empty()))
        return Usage("--sign-password-file and --timestamp go with --sign");
    request.product = positional[0];
    request.output = positional[1];
    mkmedia::BuildResult result;
    {
        ProgressBar bar;
        result = mkmedia::BuildMedia(request, [&](const std::string& what, double done) { bar.Show(what, done); });
    }
    if (result.status != mkmedia::Ok) {
        std::cerr << "mkmedia: " << result.message << "\n";
        return result.status;
    }
    std::cout << result.message << "\n";
    return mkmedia::Ok;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kHelp;
        return mkmedia::Ok;
    }
    if (command == "build") return Build(argc, argv);
    if (command == "verify") {
        const bool withCa = argc > 2 && std::string(argv[2]) == "--ca";
        if (argc != (withCa ? 5 : 3)) return Usage("verify needs one MEDIA folder, after --ca FILE if given");
        const bool sound = mkmedia::VerifyMedia(argv[argc - 1], withCa ? argv[3] : "", std::cout);
        std::cout << (sound ? "the set is sound\n" : "the set is BROKEN\n");
        return sound ? mkmedia::Ok : mkmedia::Broken;
    }
    return Usage(command.empty() ? "no command given" : "unknown command " + command);
}
