// Installation media on the virtual machine for the tests of the copy and its pages: a
// product of one stored archive per component (so that a flipped byte is a CRC error), as
// three floppies behind drive A: or as one CD folder on D:, with the program, data and
// Program Files folders ready; or an installed product with the upgrade's CD. Whoever
// runs the copy says who answers what it tells (Work).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/InstallState.h"
#include "work/copy/CopyWork.h"
#include "tests/support/VirtualMachine.h"
#include "tests/support/oldzip/ZipWriter.h"

namespace copy_test {

using Files = std::map<std::string, std::string>;  // stored name -> content

// The product: one archive per component, stored, so that a flipped byte is a CRC error.
inline const std::map<std::string, Files>& Product() {
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

inline std::string ArchiveOf(const Files& files) {
    std::vector<oldzip::ZipMember> members;
    for (const auto& [name, content] : files) members.push_back(oldzip::StoredMember(name, content));
    return oldzip::WriteZip(members);
}

class CopyMedia : public testing_support::VirtualMachineTest {
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
        WriteFile(Machine().ModuleFileName(), "the running installer");  // what becomes the uninstaller
        Machine().RegistryWriteString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                                      "C:\\Program Files");
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

    // An installed product to upgrade, program and LOCAL data in C:\WINTORV\, and the
    // upgrade's CD: a new program, an engine file the upgrade must keep, new data.
    void MakeUpgrade() {
        core::State().ProgramDir = core::State().WorkDir = "C:\\WINTORV\\";
        core::State().DataDir = "C:\\WINTORV";
        MakeFolders("C:\\WINTORV\\DATA");
        MakeFolders("C:\\WINTORV\\NEW\\DATA");
        const Files installed = {{"TORVEX.EXE", "old main"}, {"IDAPI32.CFG", "old engine"},
                                 {"DATA\\FIRMA.DB", "old firm"}, {"NEW\\DATA\\X.DB", "old blank"}};
        for (const auto& [name, content] : installed) WriteFile("C:\\WINTORV\\" + name, content);
        archives_.clear();
        archives_["EXE"] =
            ArchiveOf({{"TORVEX.EXE", "new main"}, {"IDAPI32.CFG", "new engine"}, {"SERVICE.EXE", "new service"}});
        archives_["DBDAT"] = ArchiveOf({{"DATA\\FIRMA.DB", "new firm"}, {"DATA\\NOU.DB", "new table"}});
        archives_["DBNEW"] = ArchiveOf({{"new\\data\\x.db", "new blank"}, {"new\\luna\\l.db", "new month"}});
        archives_["HELP"] = ArchiveOf({{"TORVEX.HLP", "new help"}});
        MakeCd();
    }

    // The fresh installation's order, from the run's state.
    static work::CopyOrder FreshOrder() {
        const core::InstallState& state = core::State();
        work::CopyOrder order;
        order.source = {state.SourceDir, state.DiskCount};
        order.folders = {state.WorkDir, state.ProgramDir, state.DataDir};
        order.selection = product::ComponentSets[state.InstallType];
        return order;
    }

    work::CopyWork Work(const work::CopyOrder& order, work::Reports& reports) {
        work::CopyView view;
        view.showCopyProgress = [this](int disk, int count) { copyGauge_.push_back(std::to_string(disk) + "/" + std::to_string(count)); };
        view.showUnzipProgress = [this](int percent) { unzipGauge_ = percent; };
        return work::CopyWork(order, view, reports);
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
    std::vector<std::string> copyGauge_;
    int unzipGauge_ = -1;
};

}  // namespace copy_test
