// The archive engine as the file copy pages use it: `TQuarnUnzip` holds the archive path,
// the target folder, the file pattern and the report and query procedures, and
// hands them to the engine's walks. This is the engine's main header: it also brings in
// the report record `ExtractReport`, the procedure types and the result and status codes.
#pragma once

#include <cstdint>
#include <string>

#include "unzip/ExtractReport.h"
#include "unzip/ZipCodes.h"

namespace unzip {

class TQuarnUnzip {
public:
    TQuarnUnzip();
    // Clears the engine's process-wide report and query procedures.
    virtual ~TQuarnUnzip();
    TQuarnUnzip(const TQuarnUnzip&) = delete;
    TQuarnUnzip& operator=(const TQuarnUnzip&) = delete;

    // The three texts are kept NUL-terminated, so that they can be handed on as paths, and
    // read back with that NUL: one character longer than the value set. The upgrade copy
    // page relies on this length when it cuts the target folder off an output path.
    const std::string& FileName() const { return fileName_; }
    const std::string& DirectoryName() const { return directoryName_; }
    const std::string& FileSpecs() const { return fileSpecs_; }
    void SetFileName(const std::string& value);
    void SetDirectoryName(const std::string& value);
    void SetFileSpecs(const std::string& value);

    void SetReportProc(ExtractReportProc proc) { reportProc_ = std::move(proc); }
    void SetQueryProc(OverwriteQueryProc proc) { queryProc_ = std::move(proc); }
    const ExtractReportProc& ReportProc() const { return reportProc_; }
    const OverwriteQueryProc& QueryProc() const { return queryProc_; }

    // The compressed total of the last ArchiveSize call.
    int32_t CompressedTotal() const { return compressedTotal_; }

    // Extracts the matching members into DirectoryName: their number, or -12, -100, -500.
    virtual int32_t Extract();
    // Lists the matching members through the report procedure: their number, or -12, -500.
    virtual int32_t List();
    // The uncompressed total of all entries (the file's size when it is not an archive,
    // 0 when it cannot be opened); the compressed total goes to CompressedTotal.
    virtual int32_t ArchiveSize();

private:
    static std::string WithoutTerminator(const std::string& stored);

    std::string fileName_;
    std::string directoryName_;
    std::string fileSpecs_;
    ExtractReportProc reportProc_;
    OverwriteQueryProc queryProc_;
    int32_t compressedTotal_ = 0;
};

}  // namespace unzip
