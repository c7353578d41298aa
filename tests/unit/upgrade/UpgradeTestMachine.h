// A virtual machine whose running program can be given an upgrade library beside it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/VirtualMachine.h"
#include "upgrade/UpgradeLibrary.h"

class UpgradeTestMachine : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        RunProgramFrom(kTempFolder);
    }

    void TearDown() override {
        UnloadUpgradeDll();
        unsetenv("UPGRADE_ALIAS_FILE");
        unsetenv("UPGRADE_FAIL");
        VirtualMachineTest::TearDown();
    }

    // The running installer is `folder`\INSTTORV.EXE.
    void RunProgramFrom(const std::string& folder) {
        MakeFolders(folder);
        Machine().SetModuleFileName(folder + "\\INSTTORV.EXE");
        programFolder_ = folder;
    }

    // Puts a host-built library beside the running program as UPGRADE.DLL.
    void PlaceUpgradeDll(const char* hostLibrary = UPGRADE_STANDIN) {
        std::filesystem::copy_file(hostLibrary,
                                   Machine().HostPath(programFolder_ + "\\UPGRADE.DLL"),
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // What the stand-in wrote to its journal beside itself.
    std::string Journal() { return ReadFile(programFolder_ + "\\STANDINS.LOG"); }

    static constexpr char kTempFolder[] = "C:\\TEMP";
    std::string programFolder_;
};
