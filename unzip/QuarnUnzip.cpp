#include "unzip/QuarnUnzip.h"

#include "unzip/ArchiveInfo.h"
#include "unzip/EngineState.h"
#include "unzip/Extraction.h"

namespace unzip {

namespace {
// Each text property is stored with the terminator its setter appends.
std::string Terminated(const std::string& value) { return value + '\0'; }
}  // namespace

TQuarnUnzip::TQuarnUnzip()
    : fileName_(Terminated("")), directoryName_(Terminated("")), fileSpecs_(Terminated("*.*")) {}

TQuarnUnzip::~TQuarnUnzip() {
    // A component made and dropped while another one extracts (to ask an archive's size
    // from a message handler) leaves the running extraction's procedures alone.
    if (ExtractionRunning()) return;
    unzip::SetReportProc(nullptr);
    unzip::SetQueryProc(nullptr);
}

void TQuarnUnzip::SetFileName(const std::string& value) { fileName_ = Terminated(value); }
void TQuarnUnzip::SetDirectoryName(const std::string& value) { directoryName_ = Terminated(value); }
void TQuarnUnzip::SetFileSpecs(const std::string& value) { fileSpecs_ = Terminated(value); }

std::string TQuarnUnzip::WithoutTerminator(const std::string& stored) {
    // Up to the first NUL: a value set with one inside ends there, as a C path would.
    return stored.substr(0, stored.find('\0'));
}

int32_t TQuarnUnzip::Extract() {
    const std::string archive = WithoutTerminator(fileName_);
    const std::string folder = WithoutTerminator(directoryName_);
    if (archive.empty() || folder.empty()) return ZipMissingParameter;
    return ExtractArchive(archive, folder, WithoutTerminator(fileSpecs_), reportProc_, queryProc_);
}

int32_t TQuarnUnzip::List() {
    const std::string archive = WithoutTerminator(fileName_);
    if (archive.empty() || !reportProc_) return ZipMissingParameter;
    return ListArchive(archive, WithoutTerminator(fileSpecs_), reportProc_);
}

int32_t TQuarnUnzip::ArchiveSize() {
    return MeasureArchive(WithoutTerminator(fileName_), &compressedTotal_);
}

}  // namespace unzip
