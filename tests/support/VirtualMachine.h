// A fresh virtual Windows machine in a temporary folder, made current for one test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/host/HostPlatform.h"

namespace testing_support {

class VirtualMachineTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "torvex-vm-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        machine_ = std::make_unique<plat::HostPlatform>(root_);
        plat::SetCurrent(machine_.get());
    }

    void TearDown() override {
        plat::SetCurrent(nullptr);
        machine_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    plat::HostPlatform& Machine() { return *machine_; }

    // Writes a file in the virtual machine (its folder must exist).
    void WriteFile(const std::string& windowsPath, const std::string& content) {
        std::ofstream out(machine_->HostPath(windowsPath), std::ios::binary);
        out << content;
        ASSERT_TRUE(out.good()) << windowsPath;
    }

    std::string ReadFile(const std::string& windowsPath) {
        std::ifstream in(machine_->HostPath(windowsPath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    void MakeFolders(const std::string& windowsPath) {
        std::filesystem::create_directories(machine_->HostPath(windowsPath));
    }

    std::string root_;
    std::unique_ptr<plat::HostPlatform> machine_;
};

}  // namespace testing_support
