// A virtual machine ready for the configuration steps and their page: the stand-in engine
// unpacked into its folder under Program Files, ProgramFilesDir registered, and a regedit
// that notes the file it imports and registers the engine's folder as the real import would.
#pragma once

#include <cstdlib>
#include <string>

#include "core/InstallState.h"
#include "core/Log.h"
#include "dbengine/DatabaseEngine.h"
#include "tests/support/Standins.h"
#include "tests/support/VirtualMachine.h"

namespace config_test {

inline const std::string kEngineDir = "C:\\Program Files\\Borland\\Common Files\\BDE";
inline const std::string kBdeReg = kEngineDir + "\\bde.reg";
inline const std::string kEngineKey = "Software\\Borland\\Database Engine";

class ConfigMachine : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        setenv("TORVEX_HOST_ROOT", root_.c_str(), 1);
        core::ResetState();
        MakeFolders(kEngineDir);
        testing_support::InstallStandin(Machine(), IDAPI32_STANDIN, kEngineDir + "\\IDAPI32.DLL");
        Machine().RegistryWriteString("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                                      "C:\\Program Files");
        // The import is what registers the engine's folder; the stand-in regedit notes
        // the file as it was when imported.
        Machine().MapProgram("regedit", [this](const std::string&) {
            imported_ = ReadFile(kBdeReg);
            Machine().RegistryWriteString(kEngineKey, "DLLPATH", kEngineDir);
            return int64_t{0};
        });
    }
    void TearDown() override {
        ShutdownBDE();
        core::LogEnabled = false;
        unsetenv("TORVEX_HOST_ROOT");
        VirtualMachineTest::TearDown();
    }
    std::string Aliases() { return ReadFile(kEngineDir + "\\IDAPI32.CFG"); }
    std::string LogText() { return ReadFile("C:\\torvinst.log"); }
    void StartLog() {
        core::LogEnabled = true;
        core::LogOpen("c:\\torvinst.log", "TEST");
    }

    std::string imported_;
};

}  // namespace config_test
