#include "tools/qunzip/MemberLines.h"

#include "unzip/ZipCodes.h"

namespace qunzip {

namespace {
// Below this the whole archive unpacks too quickly for a bar to be worth drawing.
constexpr uint64_t kProgressThreshold = 16u << 20;
constexpr int kBarWidth = 40;
}  // namespace

MemberLines::MemberLines(std::FILE* out, std::string folderPrefix, bool progressAllowed)
    : out_(out), folderPrefix_(std::move(folderPrefix)), progressAllowed_(progressAllowed) {}

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
    std::fprintf(out_, "%-17s %5d %-20s %s\n", unzip::StatusCodeName(status), int(result),
                 unzip::ResultCodeName(result), currentName_.c_str());
    std::fflush(out_);
    memberOpen_ = false;
}

void MemberLines::ShowProgress() {
    if (!progressAllowed_ || expectedBytes_ < kProgressThreshold) return;
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
