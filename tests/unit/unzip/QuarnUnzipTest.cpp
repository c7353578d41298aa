#include <gtest/gtest.h>

#include "tests/support/oldzip/ZipWriter.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/QuarnUnzip.h"

namespace {

using unzip::TQuarnUnzip;

class QuarnUnzip : public unzip_test::UnzipTest {};

TEST_F(QuarnUnzip, TextPropertiesReadBackWithTheirTerminator) {
    TQuarnUnzip component;
    EXPECT_EQ(component.FileSpecs(), std::string("*.*\0", 4));
    EXPECT_EQ(component.FileName(), std::string(1, '\0'));
    const std::string path(254, 'p');
    component.SetFileName(path);
    EXPECT_EQ(component.FileName().size(), 255u);
    EXPECT_EQ(component.FileName().back(), '\0');
    component.SetDirectoryName("C:\\WINTORV\\");
    EXPECT_EQ(component.DirectoryName().size(), std::string("C:\\WINTORV\\").size() + 1);
}

TEST_F(QuarnUnzip, MissingSettingsGiveMinus500WithoutReports) {
    TQuarnUnzip component;
    std::vector<unzip_test::ReportCall> calls;
    component.SetReportProc(Recorder(calls));
    component.SetFileName("C:\\A.ZIP");
    EXPECT_EQ(component.Extract(), unzip::ZipMissingParameter);
    component.SetFileName("");
    component.SetDirectoryName("C:\\OUT");
    EXPECT_EQ(component.Extract(), unzip::ZipMissingParameter);
    EXPECT_TRUE(calls.empty());
    TQuarnUnzip silent;
    silent.SetFileName("C:\\A.ZIP");
    EXPECT_EQ(silent.List(), unzip::ZipMissingParameter);
}

TEST_F(QuarnUnzip, ANewComponentExtractsEveryMember) {
    PutFile("C:\\WORK\\EXE.ZIP", oldzip::WriteZip({oldzip::StoredMember("TORVEX.EXE", "program"),
                                                   oldzip::StoredMember("HELP/T.HLP", "help")}));
    TQuarnUnzip component;
    std::vector<unzip_test::ReportCall> calls;
    component.SetReportProc(Recorder(calls));
    component.SetFileName("C:\\WORK\\EXE.ZIP");
    EXPECT_EQ(component.ArchiveSize(), 11);
    EXPECT_EQ(component.CompressedTotal(), 11);
    component.SetDirectoryName("C:\\WINTORV");
    EXPECT_EQ(component.Extract(), 2);
    EXPECT_EQ(ReadFile("C:\\WINTORV\\TORVEX.EXE"), "program");
    EXPECT_EQ(ReadFile("C:\\WINTORV\\HELP\\T.HLP"), "help");
    EXPECT_EQ(BytesWritten(calls), 11);

    calls.clear();
    component.SetFileSpecs("*.EXE");
    EXPECT_EQ(component.List(), 1);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(QuarnUnzip, ArchiveSizeOfFilesThatAreNotArchives) {
    PutFile("C:\\PLAIN.ZIP", std::string(4321, 'x'));
    TQuarnUnzip component;
    component.SetFileName("C:\\PLAIN.ZIP");
    EXPECT_EQ(component.ArchiveSize(), 4321);
    EXPECT_EQ(component.CompressedTotal(), 4321);
    component.SetFileName("C:\\MISSING.ZIP");
    EXPECT_EQ(component.ArchiveSize(), 0);
    EXPECT_EQ(component.CompressedTotal(), 0);
}

TEST_F(QuarnUnzip, DestroyingTheComponentClearsTheEngineProcedures) {
    unzip::SetReportProc([](int32_t, unzip::ExtractReport*) {});
    unzip::SetQueryProc([](unzip::ExtractReport*) { return true; });
    { TQuarnUnzip component; }
    EXPECT_FALSE(unzip::CurrentReportProc());
    EXPECT_FALSE(unzip::CurrentQueryProc());
}

}  // namespace
