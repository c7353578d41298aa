// The copy work on the virtual machine: media of three floppies behind drive A: and the
// same set in one CD folder, joined and unpacked into the program, data and engine
// folders; disk refusal; and the failures that must not pass for success.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/InstallState.h"
#include "core/Log.h"
#include "pages/CopyWork.h"
#include "tests/support/VirtualMachine.h"
#include "tests/support/oldzip/ZipWriter.h"
#include "ui/MessageForm.h"
#include "ui/headless/ScriptedUser.h"

using namespace pages;

namespace {

using Files = std::map<std::string, std::string>;  // stored name -> content

// The product: one archive per component, stored, so that a flipped byte is a CRC error.
const std::map<std::string, Files>& Product() {
    static const std::map<std::string, Files> product = {
        {"EXE", {{"TORVEX.EXE", std::string(3000, 'T') + "main"}, {"SERVICE.EXE", "service"}}},
        {"VANTIR", {{"VANTIR.EXE", "vantir"}}},
        {"DBDAT", {{"DATA\\FIRMA.DB", "sample firm"}}},
        {"DBNEW", {{"NEW\\DATA\\FIRMA.DB", "blank firm"}}},
        {"BDE32", {{"IDAPI32.DLL", "engine"}}},
        {"HELP", {{"TORVEX.HLP", "help"}}},
        {"MIRDAN", {{"MIRDAN.EXE", "mirdan"}}},
    };
    return product;
}

std::string ArchiveOf(const Files& files) {
    std::vector<oldzip::ZipMember> members;
    for (const auto& [name, content] : files) members.push_back(oldzip::StoredMember(name, content));
    return oldzip::WriteZip(members);
}

class CopyWorkTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        core::ResetState();
        core::State().InstallType = core::InstallLocal;
        core::State().DataDir = "C:\\TorvData\\";
        core::State().DiskCount = 3;
        MakeFolders("C:\\WinTorv");
        MakeFolders("C:\\TorvData");
        MakeFolders("C:\\Program Files");
        Machine().RegistryWriteString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                                      "C:\\Program Files");
        ui::MessageHeading.clear();
        for (const auto& [name, files] : Product()) archives_[name] = ArchiveOf(files);
    }

    std::string DiskFolder(int disk) { return root_ + "/disk" + std::to_string(disk); }

    // Three disks: EXE split over disks 1 and 2, the rest on disks 2 and 3.
    void MakeFloppies() {
        const std::string& exe = archives_["EXE"];
        const size_t half = exe.size() / 2;
        std::map<int, Files> disks = {
            {1, {{"DISK1", ""}, {"EXE.1", exe.substr(0, half)}, {"SETUP.EXE", "x"}}},
            {2, {{"DISK2", ""}, {"EXE.2", exe.substr(half)}, {"VANTIR.1", archives_["VANTIR"]},
                 {"DBDAT.1", archives_["DBDAT"]}}},
            {3, {{"DISK3", ""}, {"DBNEW.1", archives_["DBNEW"]}, {"BDE32.1", archives_["BDE32"]},
                 {"HELP.1", archives_["HELP"]}, {"MIRDAN.1", archives_["MIRDAN"]}}},
        };
        for (const auto& [disk, files] : disks) WriteHostFiles(DiskFolder(disk), files);
        Machine().AddDrive('A', plat::DriveType::Removable, DiskFolder(1));
        core::State().SourceDir = "A:\\";
    }

    // Every piece in one folder of a CD.
    void MakeCd(const Files& extra = {}) {
        Files files = {{"DISK1", ""}, {"DISK2", ""}, {"INSTALL.EXE", "installer"}};
        for (const auto& [name, archive] : archives_) files[name + ".1"] = archive;
        for (const auto& [name, content] : extra) files[name] = content;
        WriteHostFiles(root_ + "/cd", files);
        Machine().AddDrive('D', plat::DriveType::CdRom, root_ + "/cd");
        core::State().SourceDir = "D:\\";
    }

    void WriteHostFiles(const std::string& folder, const Files& files) {
        std::filesystem::create_directories(folder);
        for (const auto& [name, content] : files) WriteFile(plat::HostPlatform::WindowsPathOfHost(folder + "/" + name), content);
    }

    // A disk request puts the next disk behind A: and answers OK.
    void ChangeDiskOnRequest(ui::headless::Script& script, int disk) {
        script.OnMessage([this, disk](ui::TMessageForm& box) {
            requests_.push_back(box.Text);
            Machine().AddDrive('A', plat::DriveType::Removable, DiskFolder(disk));
            ui::headless::Click(box, "OK");
        });
    }

    CopyWork Work() {
        CopyView view;
        view.showCopyProgress = [this](int disk, int count) { copyGauge_.push_back(std::to_string(disk) + "/" + std::to_string(count)); };
        view.showUnzipProgress = [this](int percent) { unzipGauge_ = percent; };
        return CopyWork(core::ComponentSets[core::State().InstallType], view);
    }

    void ExpectProductInstalled() {
        EXPECT_EQ(ReadFile("C:\\WinTorv\\TORVEX.EXE"), Product().at("EXE").at("TORVEX.EXE"));
        EXPECT_EQ(ReadFile("C:\\WinTorv\\MIRDAN.EXE"), "mirdan");
        EXPECT_EQ(ReadFile("C:\\TorvData\\DATA\\FIRMA.DB"), "sample firm");
        EXPECT_EQ(ReadFile("C:\\TorvData\\NEW\\DATA\\FIRMA.DB"), "blank firm");
        EXPECT_EQ(ReadFile("C:\\Program Files\\Borland\\Common Files\\BDE\\IDAPI32.DLL"), "engine");
        for (const auto& [name, files] : Product())
            EXPECT_FALSE(Machine().FileExists("C:\\WinTorv\\" + name + ".ZIP")) << name;
        EXPECT_EQ(unzipGauge_, 100);
    }

    std::map<std::string, std::string> archives_;
    std::vector<std::string> requests_;
    std::vector<std::string> copyGauge_;
    int unzipGauge_ = -1;
};

TEST_F(CopyWorkTest, ThreeFloppiesAreRequestedJoinedAndUnpacked) {
    MakeFloppies();
    WriteFile("C:\\WinTorv\\OLD.ZIP", "the user's own archive");
    ui::headless::Script script;
    ChangeDiskOnRequest(script, 2);
    ChangeDiskOnRequest(script, 3);
    EXPECT_EQ(Work().Run({}), CopyOutcome::Done);
    ASSERT_TRUE(script.Ok()) << script.Error();
    ASSERT_EQ(requests_.size(), 2u);
    EXPECT_EQ(requests_[0], "PENTRU CONTINUARE,\r\rintrodu discul de instalare cu numarul \r2");
    EXPECT_EQ(script.Messages()[1].kind, ui::mtWarning);
    EXPECT_EQ(copyGauge_, (std::vector<std::string>{"0/3", "1/3", "2/3", "3/3"}));
    ExpectProductInstalled();
    EXPECT_EQ(ReadFile("C:\\WinTorv\\OLD.ZIP"), "the user's own archive");
    EXPECT_EQ(core::State().SourceDir, "A:");
    EXPECT_EQ(plat::Current().CurrentDirectory(), "C:\\WinTorv");
}

TEST_F(CopyWorkTest, OneCdFolderIsOneDiskAndOnePass) {
    MakeCd();
    ui::headless::Script script;
    EXPECT_EQ(Work().Run({}), CopyOutcome::Done);
    EXPECT_TRUE(script.Messages().empty());
    EXPECT_EQ(core::State().DiskCount, 1);
    EXPECT_EQ(copyGauge_, (std::vector<std::string>{"0/1", "1/1"}));
    ExpectProductInstalled();
}

TEST_F(CopyWorkTest, AFolderNamedLikeTheMarkerIsNoDiskAndRefusalKeepsWhatWasJoined) {
    MakeFloppies();
    std::filesystem::create_directories(DiskFolder(4) + "/DISK2");
    ui::headless::Script script;
    ChangeDiskOnRequest(script, 4);  // a disk with a folder DISK2: asked again
    script.AnswerMessage("Renunt");
    EXPECT_EQ(Work().Run({}), CopyOutcome::DiskRefused);
    ASSERT_TRUE(script.Ok()) << script.Error();
    EXPECT_TRUE(Machine().FileExists("C:\\WinTorv\\EXE.ZIP")) << "joined so far, stays";
    EXPECT_FALSE(Machine().FileExists("C:\\WinTorv\\TORVEX.EXE")) << "nothing unpacked";
}

TEST_F(CopyWorkTest, MissingArchivesAreNoFailureAndTheClientGetsNoDatabases) {
    archives_.erase("VANTIR");
    archives_.erase("HELP");
    core::State().InstallType = core::InstallClient;
    MakeCd();
    ui::headless::Script script;
    EXPECT_EQ(Work().Run({}), CopyOutcome::Done);
    EXPECT_TRUE(script.Messages().empty());
    EXPECT_TRUE(Machine().FileExists("C:\\WinTorv\\MIRDAN.EXE"));
    EXPECT_FALSE(Machine().FileExists("C:\\TorvData\\DATA\\FIRMA.DB"));
    EXPECT_FALSE(Machine().FileExists("C:\\WinTorv\\DBDAT.ZIP")) << "pieces of other components are not joined";
}

// Each failure: an error box naming the file and the reason, the run ends as Failed
// (the page stays open), the rest of the product still unpacks.
TEST_F(CopyWorkTest, AFailedCopyIsReportedAndNotTakenForSuccess) {
    struct Case {
        const char* what;
        std::function<void()> fault;
        const char* named;
        const char* reason;
    } cases[] = {
        {"damaged piece", [this] { archives_["EXE"][200] ^= 0x40; }, "C:\\WinTorv\\TORVEX.EXE",
         "eroare CRC"},
        {"piece unreadable", [this] { Machine().FailOpen("D:\\EXE.1"); }, "D:\\EXE.1",
         "Nu pot citi"},
        {"archive not written", [this] { Machine().FailWritesAfter("WinTorv\\HELP.ZIP", 10); },
         "C:\\WinTorv\\HELP.ZIP", "Nu pot scrie"},
        {"disk full", [this] { Machine().FailWritesAfter("MIRDAN.EXE", 2); },
         "C:\\WinTorv\\MIRDAN.EXE", "disc plin"},
        {"engine folder", [this] { Machine().FailCreateDirectory("C:\\Program Files\\Borland"); },
         "C:\\Program Files\\Borland", "Nu pot crea"},
        {"not an archive", [this] { archives_["DBNEW"] = "not a zip at all"; }, "DBNEW.ZIP",
         "deteriorata"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        c.fault();
        MakeCd();
        core::LogEnabled = false;
        ui::headless::Script script;
        script.AnswerMessage("OK");
        EXPECT_EQ(Work().Run({}), CopyOutcome::Failed);
        ASSERT_TRUE(script.Ok()) << script.Error();
        const ui::headless::ShownMessage& box = script.Messages()[0];
        EXPECT_EQ(box.kind, ui::mtError);
        EXPECT_NE(box.text.find("EROARE LA COPIERE,"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(c.named), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(c.reason), std::string::npos) << box.text;
        EXPECT_EQ(ReadFile("C:\\TorvData\\DATA\\FIRMA.DB"), "sample firm") << "the rest still unpacks";
        Machine().ClearFaults();
    }
}

TEST_F(CopyWorkTest, TheUpgradeShapeAsksBeforeReplacingAndSeesTheTargetFolder) {
    core::State().InstallType = core::InstallClient;
    MakeCd();
    WriteFile("C:\\WinTorv\\TORVEX.EXE", "installed program");
    WriteFile("C:\\WinTorv\\SERVICE.EXE", "installed service");
    std::vector<std::string> asked;
    std::vector<size_t> cutLengths;
    ExtractionSettings upgrade;
    upgrade.skipMissingModules = false;
    upgrade.query = [&](unzip::ExtractReport* report) {
        asked.push_back(report->FileName);
        return std::string(report->FileName).ends_with("SERVICE.EXE");
    };
    upgrade.beforeExtract = [&](const core::TCompRecord&, const unzip::TQuarnUnzip& unzip) {
        cutLengths.push_back(unzip.DirectoryName().size());
    };
    CopyView view;
    view.showUnzipProgress = [this](int percent) { unzipGauge_ = percent; };
    CopyWork work(core::UpgradeComponentSets[core::InstallClient], view);
    ui::headless::Script script;
    EXPECT_EQ(work.Run(upgrade), CopyOutcome::Done);
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\WinTorv\\SERVICE.EXE", "C:\\WinTorv\\TORVEX.EXE"}));
    EXPECT_EQ(ReadFile("C:\\WinTorv\\TORVEX.EXE"), "installed program");
    EXPECT_EQ(ReadFile("C:\\WinTorv\\SERVICE.EXE"), "service");
    EXPECT_EQ(cutLengths, (std::vector<size_t>(4, std::string("C:\\WinTorv").size() + 1)));
    EXPECT_EQ(unzipGauge_, 100);
    EXPECT_FALSE(Machine().DirectoryExists("C:\\Program Files\\Borland")) << "no engine in an upgrade";
}

}  // namespace
