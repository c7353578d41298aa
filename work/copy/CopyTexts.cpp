#include "work/copy/CopyTexts.h"

#include "journal/UpgradeJournal.h"
#include "unzip/ZipCodes.h"

namespace work::copytext {

namespace {

struct Reason {
    int32_t code;
    const char* text;
};

constexpr Reason kReasons[] = {
    {unzip::ZipCrcError, "eroare CRC, fisierul este deteriorat"},
    {unzip::ZipWriteError, "nu pot scrie fisierul (disc plin sau protejat)"},
    {unzip::ZipReadError, "nu pot citi arhiva"},
    {unzip::ZipDataError, "date deteriorate"},
    {unzip::ZipUserAbort, "oprit de utilizator"},
    {unzip::ZipUnsupported, "metoda de compresie necunoscuta"},
    {unzip::ZipEncrypted, "fisierul este criptat"},
    {unzip::ZipBusy, "o alta decompresie este in curs"},
    {unzip::ZipBadDirectory, "cuprinsul arhivei este deteriorat"},
    {unzip::ZipArchiveError, "arhiva este deteriorata"},
    {unzip::ZipNotArchive, "arhiva lipseste sau este deteriorata"},
    {unzip::ZipSeriousError, "arhiva este deteriorata, decompresia s-a oprit"},
    {unzip::ZipMissingParameter, "lipseste numele arhivei sau al directorului"},
};

constexpr char kUnknownReason[] = "date deteriorate";

}  // namespace

std::string JoinFailure(product::JoinFault fault, const std::string& piecePath, const std::string& archivePath) {
    switch (fault) {
        case product::JoinFault::PieceUnreadable:
            return "Nu pot citi fisierul " + piecePath;
        case product::JoinFault::ArchiveNotCreated:
            return "Nu pot crea arhiva " + archivePath;
        case product::JoinFault::ArchiveNotWritten:
            return "Nu pot scrie arhiva " + archivePath + "\r(disc plin sau protejat)";
        case product::JoinFault::None:
            break;
    }
    return {};
}

std::string EngineFolderFailure(const std::string& folder) { return "Nu pot crea directorul " + folder; }

std::string ExtractReason(int32_t code) {
    for (const Reason& reason : kReasons)
        if (reason.code == code) return reason.text;
    return kUnknownReason;
}

std::string ArchiveFailure(const std::string& archiveName) {
    return "Arhiva " + archiveName + " nu a fost decompresata complet:";
}

std::string MoreFailures(size_t count) { return "... si inca " + std::to_string(count) + " fisiere"; }

std::string MissingArchive(const std::string& archiveName) { return "Lipseste arhiva " + archiveName; }

std::string Megabytes(uint64_t bytes) {
    constexpr uint64_t kMegabyte = 1048576;
    const uint64_t tenths = (bytes * 10 + kMegabyte / 2) / kMegabyte;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " MB";
}

std::string NoSpace(const std::string& drive, uint64_t needed, uint64_t free) {
    return "Pe discul " + drive + " nu este destul spatiu liber.\rNecesar: " + Megabytes(needed) +
           "\rLiber: " + Megabytes(free);
}

std::string FilesInUse(const std::vector<std::string>& paths) {
    std::string text = "Aceste fisiere sunt folosite de alte programe:";
    for (const std::string& path : paths) text += "\r" + path;
    return text + "\rInchideti programele si incercati din nou.";
}

std::string JournalFailure(const std::string& journalPath) {
    return "Nu pot scrie jurnalul actualizarii " + journalPath;
}

std::string JournalPointerFailure() {
    return std::string("Nu pot scrie valoarea de registru HKLM\\") + journal::kPointerKey + " " + journal::kPointerValue;
}

std::string JournalLeft(const std::string& journalPath) {
    return "O actualizare anterioara nu a putut fi anulata complet; jurnalul ei este " + journalPath +
           "\rRefaceti fisierele numite acolo, stergeti jurnalul si incercati din nou.";
}

std::string KeepFailure(const std::string& path) { return "Nu pot pastra fisierul " + path; }

std::string RollbackProblems(const std::vector<std::string>& paths) {
    std::string text = "Nu am putut reface fisierele:";
    for (const std::string& path : paths) text += "\r" + path;
    return text + "\rLa urmatoarea pornire voi incerca din nou.";
}

std::string KeptCopiesLeft(const std::string& keepFolder) {
    return "Nu am putut sterge toate copiile pastrate in " + keepFolder;
}

}  // namespace copytext
