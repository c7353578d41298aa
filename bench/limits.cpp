// limits: the two bounds that extraction is measured against, over a folder of files
// already extracted:
//   limits copy FROM TO   copies every file to the same place under TO, 32 KB at a time,
//                         as `cat` would (the cost of reading and writing the bytes alone)
//   limits crc FROM       the CRC-32 of every file (or of the one file FROM), with the engine's own routine (the cost
//                         of checking the bytes alone)
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "unzip/Crc32.h"

namespace {

namespace fs = std::filesystem;
constexpr size_t kChunk = 32768;

// Reads a file chunk by chunk; `use` sees each chunk. False when the file cannot be read.
template <class Use>
bool ForEachChunk(const fs::path& file, Use use) {
    const int fd = open(file.c_str(), O_RDONLY);
    if (fd < 0) return false;
    static char buffer[kChunk];
    ssize_t got;
    bool ok = true;
    while ((got = read(fd, buffer, kChunk)) > 0)
        if (!use(buffer, size_t(got))) {
            ok = false;
            break;
        }
    close(fd);
    return ok && got == 0;
}

bool CopyTree(const fs::path& from, const fs::path& to) {
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory()) {
            fs::create_directories(target);
            continue;
        }
        const int out = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0) return false;
        const bool copied = ForEachChunk(entry.path(), [out](const char* data, size_t size) {
            return write(out, data, size) == ssize_t(size);
        });
        close(out);
        if (!copied) return false;
    }
    return true;
}

// A folder's files, or the one file `from` names.
std::vector<fs::path> FilesOf(const fs::path& from) {
    if (!fs::is_directory(from)) return {from};
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(from))
        if (!entry.is_directory()) files.push_back(entry.path());
    return files;
}

bool CrcTree(const fs::path& from) {
    uint32_t combined = 0;
    for (const fs::path& file : FilesOf(from)) {
        uint32_t crc = unzip::kCrcStart;
        if (!ForEachChunk(file, [&crc](const char* data, size_t size) {
                crc = unzip::UpdateCrc32(crc, data, size);
                return true;
            }))
            return false;
        combined ^= ~crc;
    }
    std::printf("%08x\n", combined);  // keeps the work from being optimised away
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    bool ok;
    if (mode == "copy" && argc == 4) {
        fs::create_directories(argv[3]);
        ok = CopyTree(argv[2], argv[3]);
    } else if (mode == "crc" && argc == 3) {
        ok = CrcTree(argv[2]);
    } else {
        std::fprintf(stderr, "usage: limits copy FROM TO | limits crc FROM\n");
        return 2;
    }
    if (!ok) std::fprintf(stderr, "limits: a file could not be read or written\n");
    return ok ? 0 : 1;
}
