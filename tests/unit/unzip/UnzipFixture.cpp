#include "tests/unit/unzip/UnzipFixture.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "unzip/ExtractReport.h"

namespace unzip_test {

void UnzipTest::SetUp() {
    VirtualMachineTest::SetUp();
    savedHooks_ = unzip::SetUnzipHooks({});
    unzip::SetReportProc(nullptr);
    unzip::SetQueryProc(nullptr);
}

void UnzipTest::TearDown() {
    unzip::SetUnzipHooks(savedHooks_);
    unzip::SetReportProc(nullptr);
    unzip::SetQueryProc(nullptr);
    VirtualMachineTest::TearDown();
}

void UnzipTest::PutFile(const std::string& windowsPath, const std::string& bytes) {
    const std::filesystem::path host = Machine().HostPath(windowsPath);
    std::filesystem::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good()) << windowsPath;
}

bool UnzipTest::Exists(const std::string& windowsPath) {
    return std::filesystem::exists(Machine().HostPath(windowsPath));
}

unzip::ExtractReportProc UnzipTest::Recorder(std::vector<ReportCall>& calls) {
    return [&calls](int32_t value, unzip::ExtractReport* report) {
        calls.push_back({value, report->Status, report->FileName, report->Size, report->PackMethod});
    };
}

std::vector<int32_t> UnzipTest::Statuses(const std::vector<ReportCall>& calls) {
    std::vector<int32_t> statuses;
    for (const ReportCall& call : calls) statuses.push_back(call.status);
    return statuses;
}

int64_t UnzipTest::BytesWritten(const std::vector<ReportCall>& calls) {
    int64_t total = 0;
    for (const ReportCall& call : calls)
        if (call.status == -1001) total += call.value;
    return total;
}

bool UnzipTest::Run(const std::string& command) { return std::system(command.c_str()) == 0; }

bool UnzipTest::Python(const std::string& script) {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("unzip-test-" + std::to_string(getpid()) + ".py"))
            .string();
    {
        std::ofstream out(file);
        out << script;
    }
    const bool ok = Run("python3 " + file);
    std::filesystem::remove(file);
    return ok;
}

bool UnzipTest::HaveTool(const std::string& name) {
    return Run("command -v " + name + " >/dev/null 2>&1");
}

bool UnzipTest::InfoZipAccepts(const std::string& windowsPath) {
    return Run("unzip -tqq '" + Host(windowsPath) + "' >/dev/null 2>&1");
}

std::string RandomBytes(size_t count, uint32_t seed) {
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes) c = char(generator() & 0xFF);
    return bytes;
}

std::string SampleText(size_t count, uint32_t seed) {
    static const char* const kWords[] = {"contabilitate", "factura", "client", "furnizor",
                                         "sold",          "debit",   "credit", "jurnal",
                                         "balanta",       "cont",    "TVA",    "plata",
                                         "incasare",      "data",    "suma",   "total"};
    std::mt19937 generator(seed);
    std::string text;
    while (text.size() < count) {
        text += kWords[generator() % 16];
        text += (generator() % 9 == 0) ? ".\r\n" : " ";
        if (generator() % 7 == 0) text += std::to_string(generator() % 100000);
    }
    text.resize(count);
    return text;
}

std::string VariedText(size_t count, uint32_t seed) {
    std::mt19937 generator(seed);
    std::string text;
    while (text.size() < count) {
        const int length = 2 + int(generator() % 6);
        for (int i = 0; i < length; ++i) text += char('a' + generator() % 20);
        text += ' ';
    }
    text.resize(count);
    return text;
}

}  // namespace unzip_test
