// The uninstall's rules of what may go, on the virtual machine: every step of the uninstall
// page in its order, against a record of what the installation made.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "record/Recording.h"
#include "work/engine/EngineRegistry.h"
#include "work/uninstall/UninstallWork.h"
#include "tests/support/VirtualMachine.h"

namespace {

using record::InstallRecord;
using Lines = std::vector<std::string>;

const std::string kListKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\WinTORVEX";
const std::string kEngineDir = "C:\\Program Files\\Borland\\Common Files\\BDE";

// The engine lies in the system's default Program Files folder, which no value names here.
class UninstallWorkTest : public testing_support::VirtualMachineTest {
protected:
    // An installation in `programDir`, listed among the system's programs, with its
    // uninstaller; `dataDir` empty: a LOCAL one, its data in the program folder.
    InstallRecord Installation(const std::string& programDir = "C:\\WinTorv", const std::string& dataDir = "") {
        InstallRecord r;
        r.kind = dataDir.empty() ? "LOCAL" : "SERVER";
        r.programDir = programDir;
        r.dataDir = dataDir.empty() ? programDir : dataDir;
        r.product.folders = {programDir};
        r.product.values = {{kListKey, "DisplayName", std::nullopt}};
        r.product.keys = {kListKey};
        MakeFolders(programDir);
        Machine().RegistryWriteString(kListKey, "DisplayName", "WinTORVEX");
        WriteFile(programDir + "\\DEZINST.EXE", "uninstaller");
        return r;
    }

    // Writes the file as the installation made it, and notes it among `files`.
    void Install(std::vector<record::RecordedFile>& files, const std::string& path) {
        MakeFolders(path.substr(0, path.rfind('\\')));
        WriteFile(path, "as installed");
        const std::optional<record::FileFacts> facts = record::MeasureFile(path);
        ASSERT_TRUE(facts) << path;
        files.push_back({path, facts->size, facts->crc});
    }
    void Install(record::Belongings& owner, const std::string& path) { Install(owner.files, path); }

    std::string RecordPath(const InstallRecord& r) { return r.programDir + "\\DEZINST.INI"; }

    // Every step of the uninstall page, in its order, from the record as written.
    work::UninstallOutcome Uninstall(const InstallRecord& r) {
        EXPECT_TRUE(record::WriteRecordFile(RecordPath(r), r));
        work::UninstallWork work(record::ReadRecordFile(RecordPath(r)).record, RecordPath(r));
        for (auto step : {&work::UninstallWork::RemoveProgramFiles, &work::UninstallWork::RemoveGroup,
                          &work::UninstallWork::RemoveAliases, &work::UninstallWork::RestoreProfile,
                          &work::UninstallWork::TakeBackEngine, &work::UninstallWork::RemoveFromSystem})
            (work.*step)();
        return work.Outcome();
    }
};

TEST_F(UninstallWorkTest, AProgramFileGoesOnlyAsTheInstallationLeftItAndTheRestIsListedWithWhy) {
    struct Case {
        const char* path;
        bool recorded;
        const char* atUninstall;  // its content then; nullptr: removed meanwhile
        const char* why;          // kept, as the outcome lists it; nullptr: it goes
    } cases[] = {
        {"C:\\WinTorv\\TORVEX.EXE", true, "as installed", nullptr},
        {"C:\\WinTorv\\HELP\\TORVEX.HLP", true, "as installed", nullptr},
        {"C:\\WinTorv\\VANTIR.EXE", true, nullptr, nullptr},
        {"C:\\WinTorv\\TORVEX.INI", true, "as INSTALLED", " (schimbat dupa instalare)"},  // same size, other CRC
        {"C:\\WinTorv\\SERVICE.EXE", true, "as installed, then patched", " (schimbat dupa instalare)"},
        {"C:\\WinTorv\\MAI.TXT", false, "the user's report", " (nu este al instalarii)"},
        {"C:\\WINDOWS\\CTL3D.DLL", true, "as installed", " (in afara folderului C:\\WinTorv)"},
    };
    InstallRecord r = Installation();
    r.product.folders.push_back("C:\\WinTorv\\HELP");
    for (const Case& c : cases) {
        if (c.recorded) Install(r.product, c.path);
        if (!c.atUninstall)
            Machine().RemoveFile(c.path);
        else
            WriteFile(c.path, c.atUninstall);
    }
    const work::UninstallOutcome outcome = Uninstall(r);
    Lines kept;
    for (const Case& c : cases) {
        EXPECT_EQ(Machine().FileExists(c.path), c.why != nullptr) << c.path;
        if (c.why) kept.push_back(c.path + std::string(c.why));
    }
    auto sorted = [](Lines lines) { return std::sort(lines.begin(), lines.end()), lines; };
    EXPECT_EQ(sorted(outcome.kept), sorted(kept)) << "nor the record nor the uninstaller is the user's";
    EXPECT_TRUE(outcome.failures.empty());
    EXPECT_FALSE(Machine().DirectoryExists("C:\\WinTorv\\HELP")) << "a folder goes once empty";
    EXPECT_TRUE(Machine().DirectoryExists("C:\\WinTorv")) << "it still holds what was kept";
}

TEST_F(UninstallWorkTest, TheDataStaysWhateverTheRecordSays) {
    struct Case {
        const char* dataDir;  // empty: the program folder
        Lines files;          // noted as the installation's, as installed
        Lines dataFolders;    // where the outcome says the data stays
    } cases[] = {
        {"", {"C:\\WinTorv\\DATA\\FIRMA.DB", "C:\\WinTorv\\NEW\\LUNA\\L.DB"},
         {"C:\\WinTorv\\NEW", "C:\\WinTorv\\DATA"}},
        {"C:\\TorvDate", {"C:\\TorvDate\\FIRMA.DB", "C:\\TorvDate\\TORVEX.EXE"}, {"C:\\TorvDate"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dataDir);
        TearDown();
        SetUp();
        InstallRecord r = Installation("C:\\WinTorv", c.dataDir);
        for (const std::string& file : c.files) {
            Install(r.product, file);
            r.product.folders.push_back(file.substr(0, file.rfind('\\')));
        }
        const std::string own = c.files[0] + ".BAK";  // made by the user among the data
        WriteFile(own, "the user's");
        const work::UninstallOutcome outcome = Uninstall(r);
        for (const std::string& file : c.files) EXPECT_EQ(ReadFile(file), "as installed") << file;
        EXPECT_EQ(ReadFile(own), "the user's");
        EXPECT_EQ(outcome.data, c.dataFolders);
        EXPECT_TRUE(outcome.AllRemoved()) << "the data is no file kept";
    }
}

TEST_F(UninstallWorkTest, NothingOnANetworkDriveIsRemoved) {
    Machine().AddDrive('N', plat::DriveType::Remote);
    InstallRecord r = Installation("N:\\WinTorv", "C:\\TorvDate");
    const Lines files = {"N:\\WinTorv\\TORVEX.EXE", "N:\\WinTorv\\HELP\\TORVEX.HLP"};
    for (const std::string& file : files) Install(r.product, file);
    r.product.folders.push_back("N:\\WinTorv\\HELP");
    const work::UninstallOutcome outcome = Uninstall(r);
    EXPECT_TRUE(outcome.failures.empty());
    for (const std::string& file : files) EXPECT_EQ(ReadFile(file), "as installed") << file;
    // The program stays on the share with what can remove it, and the user is told.
    EXPECT_TRUE(Machine().FileExists("N:\\WinTorv\\DEZINST.INI"));
    EXPECT_TRUE(Machine().FileExists("N:\\WinTorv\\DEZINST.EXE"));
    EXPECT_EQ(outcome.kept.size(), files.size() + 2);
    EXPECT_FALSE(outcome.AllRemoved());
}

TEST_F(UninstallWorkTest, TheEngineGoesOnlyWhenThisInstallationUnpackedItAndNobodyElseCountsIt) {
    struct Case {
        bool unpacked;
        int raised;
        std::optional<std::string> useCount;  // before the uninstall
        bool goes;
        std::optional<std::string> useCountAfter;
    } cases[] = {
        {true, 0, std::nullopt, true, std::nullopt},
        {true, 1, "1", true, "0"},
        {true, 0, "1", false, "1"},  // another program's installer counted it
        {true, 1, "2", false, "1"},
        {false, 1, "4", false, "3"},  // installed before: only its count goes back
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.useCount.value_or("no count") + (c.unpacked ? ", unpacked" : ""));
        TearDown();
        SetUp();
        InstallRecord r = Installation();
        r.engineUnpacked = c.unpacked;
        r.useCountRaised = c.raised;
        for (const char* file : {"\\IDAPI32.DLL", "\\IDAPI32.CFG"}) Install(r.engine, kEngineDir + file);
        WriteFile(kEngineDir + "\\IDAPI32.CFG", "TORVEX=C:\\WinTorv\\DATA\r\n");  // the aliases changed it since
        r.engine.folders = {"C:\\Program Files\\Borland", "C:\\Program Files\\Borland\\Common Files", kEngineDir};
        r.engine.values = {{work::kEngineKey, "DLLPATH", std::nullopt}};
        Machine().RegistryWriteString(work::kEngineKey, "DLLPATH", kEngineDir);
        if (c.useCount) Machine().RegistryWriteString(work::kEngineKey, work::kUseCountValue, *c.useCount);
        EXPECT_TRUE(Uninstall(r).AllRemoved());
        for (const char* file : {"\\IDAPI32.DLL", "\\IDAPI32.CFG"})
            EXPECT_EQ(Machine().FileExists(kEngineDir + file), !c.goes) << file;
        EXPECT_EQ(Machine().DirectoryExists("C:\\Program Files\\Borland"), !c.goes);
        EXPECT_EQ(Machine().RegistryReadString(work::kEngineKey, "DLLPATH").has_value(), !c.goes);
        EXPECT_EQ(Machine().RegistryReadString(work::kEngineKey, work::kUseCountValue), c.useCountAfter);
    }
}

TEST_F(UninstallWorkTest, AGroupOfShortcutsGoesWithoutAProgramManagerAsFarAsItIsTheInstallations) {
    const std::string folder = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\WinTORVEX";
    // A shortcut the user changed since, another program's shortcut put in the folder.
    const struct Case { const char* changed; const char* added; Lines kept; } cases[] = {
        {nullptr, nullptr, {}},
        {"Torvex.lnk", nullptr, {folder + "\\Torvex.lnk (schimbat dupa instalare)"}},
        {nullptr, "Altul.lnk", {}},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        Machine().SetDdeBehaviour(plat::DdeResult::NoConversation);
        InstallRecord r = Installation();
        r.group = "WinTORVEX";
        r.groupWay = record::GroupWay::Shortcuts;
        for (const char* name : {"Torvex.lnk", "Vantir.lnk"}) Install(r.shortcuts, folder + "\\" + name);
        if (c.changed) WriteFile(folder + "\\" + c.changed, "edited by the user");
        if (c.added) WriteFile(folder + "\\" + c.added, "another program's");
        const work::UninstallOutcome outcome = Uninstall(r);
        EXPECT_EQ(outcome.failures, Lines{}) << "no Program Manager is asked";
        EXPECT_EQ(outcome.kept, c.kept);
        EXPECT_EQ(Machine().FileExists(folder + "\\Torvex.lnk"), c.changed != nullptr);
        EXPECT_FALSE(Machine().FileExists(folder + "\\Vantir.lnk"));
        EXPECT_EQ(Machine().DirectoryExists(folder), c.changed || c.added);
    }
}

TEST_F(UninstallWorkTest, AfterAFailureTheRecordTheListEntryAndTheUninstallerStayForAnotherRun) {
    struct Case {
        const char* what;
        std::function<void()> fault;  // nothing: nothing fails
        Lines failures;
    } cases[] = {
        {"nothing", nullptr, {}},
        {"a file held open", [this] { Machine().HoldFile("C:\\WinTorv\\TORVEX.EXE"); },
         {"C:\\WinTorv\\TORVEX.EXE (in uz)"}},
        {"no shell", [this] { Machine().SetDdeBehaviour(plat::DdeResult::NoConversation); },
         {"grupul de programe WinTORVEX (Program Manager nu raspunde)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        InstallRecord r = Installation();
        r.group = "WinTORVEX";
        Install(r.product, "C:\\WinTorv\\TORVEX.EXE");
        Install(r.product, "C:\\WinTorv\\SERVICE.EXE");
        if (c.fault) c.fault();
        EXPECT_EQ(Uninstall(r).failures, c.failures);
        const bool failed = !c.failures.empty();
        EXPECT_EQ(Machine().FileExists(RecordPath(r)), failed);
        EXPECT_EQ(Machine().FileExists("C:\\WinTorv\\DEZINST.EXE"), failed);
        EXPECT_EQ(Machine().RegistryKeyExists(kListKey), failed);
        EXPECT_EQ(Machine().DirectoryExists("C:\\WinTorv"), failed);
        EXPECT_FALSE(Machine().FileExists("C:\\WinTorv\\SERVICE.EXE"));
        if (!failed) continue;
        // The fault gone, a run from the record left takes the rest (a file it forgot would
        // be kept as unknown), and only the rest: the shell is asked once in all to remove the group.
        Machine().ReleaseFile("C:\\WinTorv\\TORVEX.EXE");
        Machine().SetDdeBehaviour(plat::DdeResult::Executed);
        const record::RecordReading left = record::ReadRecordFile(RecordPath(r));
        ASSERT_EQ(left.problem, "");
        EXPECT_TRUE(Uninstall(left.record).AllRemoved());
        EXPECT_EQ(Machine().DdeJournal().size(), 1u);
    }
}

}  // namespace
