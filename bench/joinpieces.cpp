// joinpieces: joins archive pieces the way the file copy page does, through the platform
// file API: piece 1 creates the archive, every later piece is appended, each copied
// through one 2,500,000-byte buffer while a read returns a full buffer.
//   joinpieces ARCHIVE PIECE...
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/host/HostPlatform.h"

namespace {

constexpr int64_t kCopyBuffer = 2500000;

std::string MachinePath(const std::string& hostPath) {
    return plat::HostPlatform::WindowsPathOfHost(std::filesystem::absolute(hostPath).lexically_normal().string());
}

bool AppendPiece(plat::Platform& platform, const std::string& piece, const std::string& archive,
                 bool first, char* buffer) {
    std::unique_ptr<plat::File> in = platform.Open(piece, plat::OpenMode::Read);
    std::unique_ptr<plat::File> out =
        platform.Open(archive, first ? plat::OpenMode::Create : plat::OpenMode::Append);
    if (!in || !out) return false;
    for (;;) {
        const int64_t got = in->Read(buffer, kCopyBuffer);
        if (got < 0 || out->Write(buffer, got) != got) return false;
        if (got < kCopyBuffer) return true;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: joinpieces ARCHIVE PIECE...\n", stderr);
        return 3;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "joinpieces-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 2;
    int status = 0;
    {
        plat::HostPlatform machine(pattern);
        plat::SetCurrent(&machine);
        const std::string archive = MachinePath(argv[1]);
        // One buffer for the whole run, left uninitialised: every byte is read into first.
        std::unique_ptr<char[]> buffer(new char[kCopyBuffer]);
        for (int i = 2; i < argc && status == 0; ++i)
            if (!AppendPiece(machine, MachinePath(argv[i]), archive, i == 2, buffer.get())) {
                std::fprintf(stderr, "joinpieces: cannot append %s\n", argv[i]);
                status = 2;
            }
        plat::SetCurrent(nullptr);
    }
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
    return status;
}
