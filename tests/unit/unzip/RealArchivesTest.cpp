// Archives written by other programs (PKZIP's shrink and implode among them), read from the
// shared test data folder; their members' CRCs come from members.json.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "tests/support/oldzip/ReferenceCrc.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/Extraction.h"
#include "unzip/ZipCodes.h"


namespace {

struct KnownMember {
    std::string archive, name;
    uint32_t crc;
    size_t size;
};

// The value after `"key":` at `at`, without quotes; `at` moves past it.
std::string NextValue(const std::string& json, const std::string& key, size_t& at) {
    const size_t found = json.find("\"" + key + "\":", at);
    if (found == std::string::npos) return {};
    size_t start = json.find_first_not_of(" \"", found + key.size() + 3);
    size_t end = json.find_first_of("\",\n}", start);
    at = end;
    return json.substr(start, end - start);
}

// The archives and members listed in members.json: "file", then per member "name",
// "usize" and "crc32" in that order.
std::vector<KnownMember> ReadCatalogue() {
    std::ifstream in(std::string(TORVEX_SHARED_TESTDATA) + "/members.json");
    const std::string json((std::istreambuf_iterator<char>(in)), {});
    std::vector<KnownMember> members;
    size_t at = 0;
    for (;;) {
        const size_t nextFile = json.find("\"file\":", at);
        const size_t nextName = json.find("\"name\":", at);
        if (nextName == std::string::npos) break;
        std::string archive = members.empty() ? std::string() : members.back().archive;
        if (nextFile < nextName) archive = NextValue(json, "file", at);
        KnownMember member{archive, NextValue(json, "name", at), 0, 0};
        member.size = std::stoul(NextValue(json, "usize", at));
        member.crc = uint32_t(std::stoul(NextValue(json, "crc32", at), nullptr, 16));
        members.push_back(member);
    }
    return members;
}

std::string Unescaped(const std::string& jsonName) {
    // Names in the catalogue may carry \uXXXX escapes; turn them into UTF-8.
    std::string out;
    for (size_t i = 0; i < jsonName.size(); ++i) {
        if (jsonName.compare(i, 2, "\\u") == 0 && i + 6 <= jsonName.size()) {
            const unsigned code = unsigned(std::stoul(jsonName.substr(i + 2, 4), nullptr, 16));
            if (code < 0x80) {
                out += char(code);
            } else if (code < 0x800) {
                out += char(0xC0 | (code >> 6));
                out += char(0x80 | (code & 0x3F));
            } else {
                out += char(0xE0 | (code >> 12));
                out += char(0x80 | ((code >> 6) & 0x3F));
                out += char(0x80 | (code & 0x3F));
            }
            i += 5;
        } else {
            out += jsonName[i];
        }
    }
    return out;
}

class RealArchives : public unzip_test::UnzipTest {};

TEST_F(RealArchives, EveryMemberExtractsWithItsKnownCrc) {
    const std::vector<KnownMember> members = ReadCatalogue();
    if (members.empty()) GTEST_SKIP() << "no shared test data at " << TORVEX_SHARED_TESTDATA;
    ASSERT_EQ(members.size(), 8u);
    std::set<std::string> archives;
    for (const KnownMember& m : members) archives.insert(m.archive);
    for (const std::string& archive : archives) {
        const std::string path = plat::HostPlatform::WindowsPathOfHost(
            std::string(TORVEX_SHARED_TESTDATA) + "/" + archive);
        std::vector<unzip_test::ReportCall> calls;
        const std::string folder = "C:\\OUT\\" + archive;
        size_t expected = 0;
        for (const KnownMember& m : members) expected += m.archive == archive;
        EXPECT_EQ(unzip::ExtractArchive(path, folder, "", Recorder(calls), nullptr), int32_t(expected))
            << archive;
        for (const KnownMember& m : members) {
            if (m.archive != archive) continue;
            std::string name = Unescaped(m.name);
            std::replace(name.begin(), name.end(), '/', '\\');
            const std::string content = ReadFile(folder + "\\" + name);
            EXPECT_EQ(content.size(), m.size) << archive << " " << name;
            EXPECT_EQ(oldzip::ReferenceCrc32(content), m.crc) << archive << " " << name;
        }
    }
}

}  // namespace
