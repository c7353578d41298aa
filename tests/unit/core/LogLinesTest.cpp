// A note that holds the text of a box, with its line breaks, is still one line of the log.
#include <gtest/gtest.h>

#include "core/Log.h"
#include "tests/support/VirtualMachine.h"

namespace {

class LogLinesTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        Machine().SetFixedTime({2026, 12, 7, 9, 5, 7, 42});
        core::LogEnabled = true;
        core::LogOpen("C:\\torvinst.log", "INSTALL");
    }
    void TearDown() override {
        core::LogEnabled = false;
        VirtualMachineTest::TearDown();
    }
};

TEST_F(LogLinesTest, EveryLineBreakOfANoteBecomesOneBlank) {
    const struct {
        const char* note;
        const char* line;
    } cases[] = {
        {"Nu am putut reface fisierele:\rC:\\A\rC:\\B", "  *       Nu am putut reface fisierele: C:\\A C:\\B"},
        {"unu\r\ndoi\ntrei", "  *       unu doi trei"},
        {"Am gasit o instalare\r", "  *       Am gasit o instalare"},
    };
    for (const auto& c : cases) core::LogNote(c.note);
    const std::string log = ReadFile("C:\\torvinst.log");
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(log.substr(start, end - start));
    ASSERT_EQ(lines.size(), 2 + std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(lines[2 + i], std::string(cases[i].line) + " <TIMP 09:05:07.042 > ");
}

}  // namespace
