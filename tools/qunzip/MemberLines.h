// What qunzip prints while the engine works: one line per member in words, as other
// archivers speak ("  extracting: NAME", "NAME  OK", "NAME  CRC error"), with the
// engine's status and result code behind when asked to be verbose; a progress bar on a
// terminal for large archives; and the tally that decides the exit status.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "unzip/ExtractReport.h"

namespace qunzip {

class MemberLines {
public:
    enum class Mode { Extract, Test };
    struct Options {
        Mode mode = Mode::Extract;
        bool verbose = false;
        bool progressAllowed = false;
    };
    // `folderPrefix` is cut off the output paths so that lines show the stored names.
    MemberLines(std::FILE* out, std::string folderPrefix, Options options);

    // The engine's report procedure.
    void OnReport(int32_t value, const unzip::ExtractReport& report);

    int Succeeded() const { return succeeded_; }
    int Failed() const { return failed_; }
    bool Stopped() const { return stopped_; }

private:
    void PrintLine(int32_t status, int32_t result);
    void ShowProgress();
    void ClearProgress();

    std::FILE* out_;
    std::string folderPrefix_;
    Options options_;
    bool progressShown_ = false;
    uint64_t expectedBytes_ = 0;
    uint64_t writtenBytes_ = 0;
    int lastPercent_ = -1;
    std::string currentName_;
    bool memberOpen_ = false;
    int succeeded_ = 0;
    int failed_ = 0;
    bool stopped_ = false;
};

}  // namespace qunzip
