#include "tools/qunzip/MemberLines.h"

#include "tools/qunzip/StopSignals.h"
#include "tools/qunzip/TerminalText.h"
#include "unzip/ZipCodes.h"

namespace qunzip {

namespace {
// Below this the whole archive unpacks too quickly for a bar to be worth drawing.
constexpr uint64_t kProgressThreshold = 16u << 20;
constexpr int kBarWidth = 40;

struct ResultWords {
    int32_t result;
    const char* words;
};

constexpr ResultWords kResultWords[] = {
    {unzip::ZipOk, "OK"},
    {unzip::ZipCrcError, "CRC error"},
    {unzip::ZipWriteError, "cannot write"},
    {unzip::ZipReadError, "data ends early"},
    {unzip::ZipDataError, "damaged data"},
    {unzip::ZipUserAbort, "stopped"},
    {unzip::ZipUnsupported, "unsupported method"},
    {unzip::ZipEncrypted, "encrypted"},
    {unzip::ZipBusy, "engine busy"},
    {unzip::ZipBadBlockHeader, "damaged data"},
    {unzip::ZipSeriousError, "damaged or stopped: the rest of the archive is skipped"},
};

const char* WordsFor(int32_t result) {
    for (const ResultWords& entry : kResultWords)
        if (entry.result == result) return entry.words;
    return "failed";
}

}  // namespace

MemberLines::MemberLines(std::FILE* out, std::string folderPrefix, Options options)
    : out_(out), folderPrefix_(std::move(folderPrefix)), options_(options) {}

void MemberLines::OnReport(int32_t value, const unzip::ExtractReport& report) {
    using namespace unzip;
    switch (report.Status) {
        case StatusArchiveStart:
            expectedBytes_ = uint32_t(report.Size);
            break;
        case StatusFileStart: {
            // A member the engine ended without a report (a malformed deflate block
            // header) is still a failure.
            if (memberOpen_) PrintLine(StatusFileFailed, ZipBadBlockHeader);
            std::string name = report.FileName;
            if (name.compare(0, folderPrefix_.size(), folderPrefix_) == 0)
                name.erase(0, folderPrefix_.size());
            currentName_ = name;
            memberOpen_ = true;
            break;
        }
        case StatusBytesWritten:
            writtenBytes_ += uint32_t(value);
            ShowProgress();
            break;
        case StatusFileDone:
            PrintLine(StatusFileDone, ZipOk);
            break;
        case StatusFileFailed:
            PrintLine(StatusFileFailed, value);
            break;
        case ZipSeriousError:
            PrintLine(ZipSeriousError, ZipSeriousError);
            stopped_ = true;
            break;
        case StatusArchiveDone:
            if (memberOpen_) PrintLine(StatusFileFailed, ZipBadBlockHeader);
            ClearProgress();
            break;
        default:
            break;
    }
}

void MemberLines::PrintLine(int32_t status, int32_t result) {
    ClearProgress();
    if (status == unzip::StatusFileDone)
        ++succeeded_;
    else
        ++failed_;
    const std::string name = ForTerminal(currentName_);
    const bool extracting = options_.mode == Mode::Extract;
    if (extracting && result == unzip::ZipOk)
        std::fprintf(out_, "  extracting: %s", name.c_str());
    else if (extracting)
        std::fprintf(out_, "  extracting: %s  %s", name.c_str(), WordsFor(result));
    else
        std::fprintf(out_, "%s  %s", name.c_str(), WordsFor(result));
    if (options_.verbose)
        std::fprintf(out_, "  (%s %d %s)", unzip::StatusCodeName(status), int(result),
                     unzip::ResultCodeName(result));
    std::fputc('\n', out_);
    if (std::fflush(out_) != 0 || std::ferror(out_)) StopForClosedOutput();
    memberOpen_ = false;
}

void MemberLines::ShowProgress() {
    if (!options_.progressAllowed || expectedBytes_ < kProgressThreshold) return;
    const int percent = int(std::min<uint64_t>(writtenBytes_ * 100 / expectedBytes_, 100));
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    const int filled = percent * kBarWidth / 100;
    std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################",
                 kBarWidth - filled, "", percent);
    std::fflush(stderr);
    progressShown_ = true;
}

void MemberLines::ClearProgress() {
    if (!progressShown_) return;
    std::fprintf(stderr, "\r%*s\r", kBarWidth + 8, "");
    std::fflush(stderr);
    progressShown_ = false;
    lastPercent_ = -1;
}

}  // namespace qunzip
