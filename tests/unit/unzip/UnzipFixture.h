// Shared set-up of the engine's tests: a fresh virtual machine per test, archives written
// into it, the reports an extraction makes, and runs of the independent archivers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/VirtualMachine.h"
#include "unzip/ExtractReport.h"
#include "unzip/UnzipHooks.h"

namespace unzip_test {

// One call of a report procedure, as the procedure saw it.
struct ReportCall {
    int32_t value;
    int32_t status;
    std::string fileName;
    int32_t size;
    uint16_t packMethod;
};

class UnzipTest : public testing_support::VirtualMachineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes bytes to a file of the machine, making its folders.
    void PutFile(const std::string& windowsPath, const std::string& bytes);
    bool Exists(const std::string& windowsPath);
    // Host path of a machine path, for the outside archivers.
    std::string Host(const std::string& windowsPath) { return Machine().HostPath(windowsPath); }

    // A report procedure that records every call into `calls`.
    unzip::ExtractReportProc Recorder(std::vector<ReportCall>& calls);
    // The statuses of the calls, in order.
    static std::vector<int32_t> Statuses(const std::vector<ReportCall>& calls);
    // The sum of the StatusBytesWritten values.
    static int64_t BytesWritten(const std::vector<ReportCall>& calls);

    // Runs a shell command on the host; true when it exited 0.
    static bool Run(const std::string& command);
    // Runs python3 with a script; true when it exited 0.
    static bool Python(const std::string& script);
    static bool HaveTool(const std::string& name);

    // Info-ZIP's own test of an archive, the independent oracle.
    bool InfoZipAccepts(const std::string& windowsPath);

    unzip::UnzipHooks savedHooks_;
};

// Deterministic test data.
std::string RandomBytes(size_t count, uint32_t seed);
// Text with repeats at every distance, words of a small vocabulary.
std::string SampleText(size_t count, uint32_t seed);
// Data that fills a shrink table quickly: many distinct short strings.
std::string VariedText(size_t count, uint32_t seed);

}  // namespace unzip_test
