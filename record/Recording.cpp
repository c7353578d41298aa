#include "record/Recording.h"

#include <vector>

#include "platform/Platform.h"
#include "unzip/Crc32.h"

namespace record {

namespace {

// A value no profile holds: what comes back when the key is missing.
constexpr char kNoValue[] = "\x01\x02";
constexpr int64_t kChunk = 1 << 16;

InstallRecord& Record() {
    static InstallRecord run;
    return run;
}

}  // namespace

InstallRecord& ThisRun() { return Record(); }
void ForgetThisRun() { Record() = InstallRecord{}; }

void NoteFile(Belongings& owner, const std::string& path) {
    for (const RecordedFile& file : owner.files)
        if (file.path == path) return;
    owner.files.push_back({path, 0, 0});
}

void NoteFolder(Belongings& owner, const std::string& path) {
    for (const std::string& folder : owner.folders)
        if (folder == path) return;
    owner.folders.push_back(path);
}

void NoteRegistryValue(Belongings& owner, const std::string& key, const std::string& name) {
    auto& platform = plat::Current();
    for (size_t cut = key.find('\\'); ; cut = key.find('\\', cut + 1)) {
        const std::string level = key.substr(0, cut);
        bool known = false;
        for (const std::string& made : owner.keys) known = known || made == level;
        if (!known && !platform.RegistryKeyExists(level)) owner.keys.push_back(level);
        if (cut == std::string::npos) break;
    }
    for (const RecordedValue& value : owner.values)
        if (value.key == key && value.name == name) return;
    owner.values.push_back({key, name, platform.RegistryReadString(key, name)});
}

void NoteProfileValue(const std::string& section, const std::string& key) {
    for (const RecordedValue& value : Record().profile)
        if (value.key == section && value.name == key) return;
    std::string now = plat::Current().ProfileString(section, key, kNoValue);
    Record().profile.push_back({section, key, now == kNoValue ? std::nullopt : std::optional<std::string>(now)});
}

std::optional<FileFacts> MeasureFile(const std::string& path) {
    auto file = plat::Current().Open(path, plat::OpenMode::Read);
    if (!file) return std::nullopt;
    FileFacts facts;
    uint32_t crc = unzip::kCrcStart;
    std::vector<char> buffer(kChunk);
    for (;;) {
        const int64_t got = file->Read(buffer.data(), kChunk);
        if (got < 0) return std::nullopt;
        crc = unzip::UpdateCrc32(crc, buffer.data(), size_t(got));
        facts.size += uint64_t(got);
        if (got < kChunk) break;
    }
    facts.crc = ~crc;
    return facts;
}

}  // namespace record
