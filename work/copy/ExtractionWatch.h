// What went wrong while one archive was unpacked, gathered from the engine's reports:
// every member that started and did not finish, with its result code, and whether the
// user stopped the walk with Escape (which the pages do not count as a failure).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "unzip/ExtractReport.h"
#include "unzip/UnzipHooks.h"

namespace work {

struct FailedMember {
    std::string path;  // the output path the member was to be written to
    int32_t code;
    uint64_t size = 0;  // its uncompressed size
};

class ExtractionWatch {
public:
    // Watches the Escape key through the engine's hooks until destroyed.
    ExtractionWatch();
    ~ExtractionWatch();
    ExtractionWatch(const ExtractionWatch&) = delete;
    ExtractionWatch& operator=(const ExtractionWatch&) = delete;

    // Called with every report of the walk.
    void Observe(int32_t value, const unzip::ExtractReport& report);
    // Closes the walk that `Extract` ended with `result`: a member left open failed.
    void Finish(int32_t result);

    const std::vector<FailedMember>& Failed() const { return failed_; }
    bool StoppedByUser() const { return escapeSeen_; }
    // The walk's own result was a failure, or a member failed; Escape is no failure.
    bool ArchiveFailed() const { return !escapeSeen_ && (walkFailed_ || !failed_.empty()); }
    int32_t WalkResult() const { return walkResult_; }

private:
    void CloseMember(int32_t code);

    unzip::UnzipHooks saved_;
    bool escapeSeen_ = false;
    bool memberOpen_ = false;
    std::string memberPath_;
    uint64_t memberSize_ = 0;
    bool walkFailed_ = false;
    int32_t walkResult_ = 0;
    std::vector<FailedMember> failed_;
};

}  // namespace work
