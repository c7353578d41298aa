#include "work/copy/ExtractionWatch.h"

#include <cstring>

#include "unzip/ZipCodes.h"

namespace work {

ExtractionWatch::ExtractionWatch() : saved_(unzip::CurrentUnzipHooks()) {
    unzip::UnzipHooks watching = saved_;
    watching.isKeyDown = [this](int virtualKey) {
        const bool down = saved_.isKeyDown && saved_.isKeyDown(virtualKey);
        if (down && virtualKey == unzip::kEscapeKey) escapeSeen_ = true;
        return down;
    };
    unzip::SetUnzipHooks(watching);
}

ExtractionWatch::~ExtractionWatch() { unzip::SetUnzipHooks(saved_); }

void ExtractionWatch::CloseMember(int32_t code) {
    if (memberOpen_) failed_.push_back({memberPath_, code, memberSize_});
    memberOpen_ = false;
}

void ExtractionWatch::Observe(int32_t value, const unzip::ExtractReport& report) {
    switch (report.Status) {
        case unzip::StatusFileStart:
            // A member that ended without a word (an unusual result code) did not unpack.
            CloseMember(unzip::ZipDataError);
            memberOpen_ = true;
            memberPath_.assign(report.FileName, strnlen(report.FileName, sizeof report.FileName));
            memberSize_ = uint32_t(report.Size);
            break;
        case unzip::StatusFileDone:
            memberOpen_ = false;
            break;
        case unzip::StatusFileFailed:
            CloseMember(value);
            break;
        case unzip::StatusArchiveDone:
            CloseMember(unzip::ZipDataError);
            break;
        default:
            break;
    }
}

void ExtractionWatch::Finish(int32_t result) {
    walkResult_ = result;
    if (result < 0) walkFailed_ = true;
    CloseMember(result < 0 ? result : unzip::ZipDataError);
}

}  // namespace work
