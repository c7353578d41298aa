// A virtual machine with places to put copies of engine libraries, for the binding's tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "dbengine/DatabaseEngine.h"
#include "tests/support/VirtualMachine.h"

class EngineTestMachine : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override {
        VirtualMachineTest::SetUp();
        // The engine stand-in finds alias folders through the machine's root.
        setenv("TORVEX_HOST_ROOT", root_.c_str(), 1);
        Machine().SetModuleFileName("C:\\INST\\INSTTORV.EXE");
        MakeFolders("C:\\INST");
    }

    void TearDown() override {
        ShutdownBDE();
        for (const char* hook : {"TORVEX_HOST_ROOT", "IDAPI32_FAIL_INIT", "IDAPI32_FAIL_ADD",
                                 "IDAPI32_FAIL_SAVE"})
            unsetenv(hook);
        VirtualMachineTest::TearDown();
    }

    // Copies a host-built library into the machine as `folder`\IDAPI32.DLL.
    void InstallEngine(const std::string& folder, const char* hostLibrary = ENGINE_STANDIN) {
        MakeFolders(folder);
        std::filesystem::copy_file(hostLibrary, Machine().HostPath(folder + "\\IDAPI32.DLL"),
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // The engine's registered library folders, as its installation leaves them.
    void SetDllPath(const std::string& folders) {
        Machine().RegistryWriteString("Software\\Borland\\Database Engine", "DLLPATH", folders);
    }
};
