// The component installers' stand-ins record how they were called, beside themselves.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class StandinProgramsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "torvex-standins-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
    }
    void TearDown() override {
        unsetenv("TREGSVR_EXIT");
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // Runs a copy of `program` placed in the test folder; returns its exit code.
    int Run(const char* program, const std::string& arguments) {
        const fs::path copy = fs::path(folder_) / fs::path(program).filename();
        fs::copy_file(program, copy, fs::copy_options::overwrite_existing);
        const int status = std::system(("'" + copy.string() + "' " + arguments).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Journal() {
        std::ifstream in(fs::path(folder_) / "STANDINS.LOG", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string folder_;
};

TEST_F(StandinProgramsTest, EachCallIsAppendedWithItsArgumentsAndQuotedBlanks) {
    EXPECT_EQ(Run(HHUPD_STANDIN, "-s"), 0);
    EXPECT_EQ(Run(TREGSVR_STANDIN, "'C:\\Program Files\\Torvex\\CFX32.OCX' /s"), 0);
    EXPECT_EQ(Journal(),
              "HHUPD.EXE -s\r\n"
              "TREGSVR.EXE \"C:\\Program Files\\Torvex\\CFX32.OCX\" /s\r\n");
}

TEST_F(StandinProgramsTest, ExitCodeCanBeChosenByATest) {
    setenv("TREGSVR_EXIT", "3", 1);
    EXPECT_EQ(Run(TREGSVR_STANDIN, ""), 3);
    EXPECT_EQ(Journal(), "TREGSVR.EXE\r\n");
}

}  // namespace
