// Archives written by independent archivers at run time: Info-ZIP's zip and Python's
// zipfile. Test data of this kind is made by the tests, never checked in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/Extraction.h"
#include "unzip/ZipCodes.h"

namespace {

using unzip_test::ReportCall;

class ArchiverInterop : public unzip_test::UnzipTest {
protected:
    // Writes `files` (name -> content) under a host folder.
    void MakeTree(const std::string& folder, const std::map<std::string, std::string>& files) {
        for (const auto& [name, content] : files) PutFile(folder + "\\" + name, content);
    }
    void ExpectTree(const std::string& folder, const std::map<std::string, std::string>& files) {
        for (const auto& [name, content] : files) {
            std::string windowsName = name;
            std::replace(windowsName.begin(), windowsName.end(), '/', '\\');
            EXPECT_TRUE(ReadFile(folder + "\\" + windowsName) == content) << name;
        }
    }
};

TEST_F(ArchiverInterop, InfoZipStoredAndDeflatedMembersInNestedFolders) {
    if (!HaveTool("zip")) GTEST_SKIP() << "zip is not installed";
    const std::map<std::string, std::string> files = {
        {"readme.txt", unzip_test::SampleText(3000, 1)},
        {"bin/tool.bin", unzip_test::RandomBytes(70000, 2)},
        {"data/year/2024/ledger.txt", unzip_test::SampleText(400000, 3)},
        {"data/empty.txt", ""},
        {"data/a.txt", "a"},
    };
    MakeTree("C:\\SRC", files);
    ASSERT_TRUE(Run("cd '" + Host("C:\\SRC") + "' && zip -qr ../ARCH.ZIP . && zip -q0 ../STORE.ZIP -r ."));
    for (const char* archive : {"C:\\ARCH.ZIP", "C:\\STORE.ZIP"}) {
        std::vector<ReportCall> calls;
        const int32_t count = unzip::ExtractArchive(archive, "C:\\OUT", "", Recorder(calls), nullptr);
        EXPECT_EQ(count, 9) << archive;  // five files and four folder entries
        ExpectTree("C:\\OUT", files);
        std::filesystem::remove_all(Host("C:\\OUT"));
    }
}

TEST_F(ArchiverInterop, InfoZipArchiveOfALargeDirectory) {
    if (!HaveTool("zip")) GTEST_SKIP() << "zip is not installed";
    std::map<std::string, std::string> files;
    for (int i = 0; i < 1200; ++i)
        files["dir-with-a-long-name/file-number-" + std::to_string(i) + ".txt"] = std::to_string(i * 7);
    MakeTree("C:\\SRC", files);
    ASSERT_TRUE(Run("cd '" + Host("C:\\SRC") + "' && zip -qr ../MANY.ZIP ."));
    std::vector<ReportCall> calls;
    EXPECT_EQ(unzip::ExtractArchive("C:\\MANY.ZIP", "C:\\OUT", "", Recorder(calls), nullptr), 1201);
    ExpectTree("C:\\OUT", files);
}

TEST_F(ArchiverInterop, PythonStreamedArchiveWithDataDescriptors) {
    const std::string text = unzip_test::SampleText(90000, 9);
    PutFile("C:\\IN.TXT", text);
    // Written to a pipe, zipfile cannot seek back: sizes and CRCs follow the data in
    // descriptors that start with the PK 07 08 signature.
    ASSERT_TRUE(Python("import sys, zipfile\n"
                       "data = open(r'" + Host("C:\\IN.TXT") + "', 'rb').read()\n"
                       "class Pipe:\n"
                       "    def __init__(self, f): self.f = f\n"
                       "    def write(self, b): return self.f.write(b)\n"
                       "    def flush(self): self.f.flush()\n"
                       "with open(r'" + Host("C:\\") + "/PIPE.ZIP', 'wb') as f:\n"
                       "    with zipfile.ZipFile(Pipe(f), 'w', zipfile.ZIP_DEFLATED) as z:\n"
                       "        z.writestr('text/one.txt', data)\n"
                       "        z.writestr('text/two.txt', data[:1000])\n"
                       "        z.writestr('small.txt', b'x')\n"));
    std::vector<ReportCall> calls;
    EXPECT_EQ(unzip::ExtractArchive("C:\\PIPE.ZIP", "C:\\OUT", "", Recorder(calls), nullptr), 3);
    EXPECT_EQ(ReadFile("C:\\OUT\\text\\one.txt"), text);
    EXPECT_EQ(ReadFile("C:\\OUT\\text\\two.txt"), text.substr(0, 1000));
    EXPECT_EQ(ReadFile("C:\\OUT\\small.txt"), "x");
}

TEST_F(ArchiverInterop, PythonArchiveWithOddMethodsAndAComment) {
    ASSERT_TRUE(Python("import zipfile\n"
                       "with zipfile.ZipFile(r'" + Host("C:\\") + "/ODD.ZIP', 'w') as z:\n"
                       "    z.comment = b'c' * 5000\n"
                       "    z.writestr(zipfile.ZipInfo('stored.txt'), b'plain')\n"
                       "    z.writestr('bz.txt', b'b' * 1000, compress_type=zipfile.ZIP_BZIP2)\n"
                       "    z.writestr('lz.txt', b'l' * 1000, compress_type=zipfile.ZIP_LZMA)\n"
                       "    z.writestr('defl.txt', b'd' * 100000, compress_type=zipfile.ZIP_DEFLATED)\n"));
    std::vector<ReportCall> calls;
    EXPECT_EQ(unzip::ExtractArchive("C:\\ODD.ZIP", "C:\\OUT", "", Recorder(calls), nullptr), 2);
    std::vector<int32_t> failures;
    for (const ReportCall& call : calls)
        if (call.status == -1003) failures.push_back(call.value);
    EXPECT_EQ(failures, (std::vector<int32_t>{unzip::ZipUnsupported, unzip::ZipUnsupported}));
    EXPECT_EQ(ReadFile("C:\\OUT\\defl.txt"), std::string(100000, 'd'));
}

}  // namespace
