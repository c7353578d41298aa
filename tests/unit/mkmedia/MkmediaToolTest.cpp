// mkmedia run as the people who make the media run it: a product made into a floppy set
// and a CD folder that verify passes, a damaged set that it does not, and the errors.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "tests/support/RunCommand.h"

namespace fs = std::filesystem;

namespace {

class MkmediaTool : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "mkmedia-test-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        for (const char* component : {"EXE", "VANTIR", "DBDAT", "DBNEW", "BDE32", "HELP", "MIRDAN"})
            Write(root_ / "product" / component / "README.TXT", std::string("component ") + component);
        // Bytes that do not pack, so that the archive spans three small disks.
        std::string big(300000, '\0');
        uint32_t seed = 1995;
        for (char& c : big) c = char((seed = seed * 1103515245u + 12345u) >> 24);
        Write(root_ / "product" / "EXE" / "TORVEX.EXE", big);
        Write(root_ / "product" / "DBNEW" / "NEW" / "DATA" / "FIRMA.DB", "blank");
        Write(root_ / "INSTALL.EXE", std::string(70000, 'I'));
        Write(root_ / "UPGRADE.DLL", "upgrade library");
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const fs::path& path, const std::string& content) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }

    using Outcome = testing_support::CommandOutcome;
    Outcome Run(const std::string& arguments) {
        return testing_support::RunCommand(std::string(MKMEDIA_PATH) + " " + arguments);
    }
    std::string Build(const std::string& options, const std::string& out) {
        return "build " + options + " --installer " + (root_ / "INSTALL.EXE").string() + " --upgrade " +
               (root_ / "UPGRADE.DLL").string() + " " + (root_ / "product").string() + " " + (root_ / out).string();
    }

    fs::path root_;
};

TEST_F(MkmediaTool, MakesAFloppySetAndACdFolderThatVerify) {
    Outcome floppy = Run(Build("--disk-size 150000", "floppy"));
    ASSERT_EQ(floppy.status, 0) << floppy.output;
    ASSERT_TRUE(fs::is_regular_file(root_ / "floppy" / "disk3" / "DISK3")) << floppy.output;
    EXPECT_TRUE(fs::is_regular_file(root_ / "floppy" / "disk1" / "UPGRADE.1"));
    EXPECT_TRUE(fs::is_regular_file(root_ / "floppy" / "disk2" / "EXE.2"));
    std::ifstream config(root_ / "floppy" / "disk1" / "INSTALL.CFG");
    std::string text((std::istreambuf_iterator<char>(config)), {});
    const int disks = int(std::distance(fs::directory_iterator(root_ / "floppy"), fs::directory_iterator()));
    EXPECT_EQ(text, "[General]\r\nNrDiscuri=" + std::to_string(disks) + "\r\n");
    Outcome verified = Run("verify " + (root_ / "floppy").string());
    EXPECT_EQ(verified.status, 0) << verified.output;
    EXPECT_NE(verified.output.find("EXE.ZIP, "), std::string::npos) << verified.output;

    Outcome cd = Run(Build("--cd --disk-size 150000", "cd"));
    ASSERT_EQ(cd.status, 0) << cd.output;
    EXPECT_TRUE(fs::is_regular_file(root_ / "cd" / "EXE.2"));
    Outcome cdVerified = Run("verify " + (root_ / "cd").string());
    EXPECT_EQ(cdVerified.status, 0) << cdVerified.output;
}

TEST_F(MkmediaTool, VerifyFindsAFlippedByte) {
    ASSERT_EQ(Run(Build("--cd", "cd")).status, 0);
    fs::path piece = root_ / "cd" / "EXE.1";
    std::fstream file(piece, std::ios::binary | std::ios::in | std::ios::out);
    file.seekg(2000);
    char byte = 0;
    file.read(&byte, 1);
    file.seekp(2000);
    byte = char(byte ^ 0x10);
    file.write(&byte, 1);
    file.close();
    Outcome verified = Run("verify " + (root_ / "cd").string());
    EXPECT_EQ(verified.status, 5) << verified.output;
    EXPECT_NE(verified.output.find("EXE.ZIP, 1 piece: DAMAGED"), std::string::npos) << verified.output;
}

TEST_F(MkmediaTool, ClearErrorsWithTheirExitStatus) {
    EXPECT_EQ(Run("--help").status, 0);
    EXPECT_EQ(Run("build").status, 1);
    EXPECT_EQ(Run("frobnicate").status, 1);

    Outcome tooSmall = Run(Build("--disk-size 90000", "small"));
    EXPECT_EQ(tooSmall.status, 3) << tooSmall.output;
    EXPECT_NE(tooSmall.output.find("installer set"), std::string::npos) << tooSmall.output;

    Write(root_ / "taken" / "file", "x");
    EXPECT_EQ(Run(Build("", "taken")).status, 4);
    EXPECT_EQ(Run(Build("", "/proc/no/such/place")).status, 4);

    // A signature that cannot be made leaves no media, not even unsigned ones.
    EXPECT_EQ(Run(Build("--timestamp http://ts.example", "out")).status, 1);
    Write(root_ / "not-a-certificate.pfx", "not PKCS#12");
    Outcome unsigned_ = Run(Build("--sign " + (root_ / "not-a-certificate.pfx").string(), "unsigned"));
    EXPECT_EQ(unsigned_.status, 6) << unsigned_.output;
    EXPECT_FALSE(fs::exists(root_ / "unsigned"));

    fs::remove_all(root_ / "product" / "HELP");
    Outcome missing = Run(Build("", "out"));
    EXPECT_EQ(missing.status, 2) << missing.output;
    EXPECT_NE(missing.output.find("HELP"), std::string::npos) << missing.output;
}

}  // namespace
