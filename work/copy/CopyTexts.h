// What the copy work says: its status lines, its requests and the reasons a copy failed. Romanian
// without diacritics, as every text of the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "product/MediaPieces.h"

namespace work::copytext {

inline constexpr char kAssembling[] = "Asamblare arhive...";
inline constexpr char kDiskHeading[] = "Pentru continuare";
inline constexpr char kDiskRequest[] = "introdu discul de instalare cu numarul \r";
inline constexpr char kCannotDelete[] = "Nu pot sterge ";

// The heading of the box that tells of a copy that failed.
inline constexpr char kFailureHeading[] = "Eroare la copiere";

// "Nu pot citi fisierul A:\EXE.2" and the like.
std::string JoinFailure(product::JoinFault fault, const std::string& piecePath, const std::string& archivePath);
std::string EngineFolderFailure(const std::string& folder);
// What an engine result code or a member's failure code means.
std::string ExtractReason(int32_t code);
// The first line of the box for an archive that did not unpack whole.
std::string ArchiveFailure(const std::string& archiveName);
std::string MoreFailures(size_t count);
std::string MissingArchive(const std::string& archiveName);

// A drive without room for the copy, before anything is written.
inline constexpr char kNoSpaceTitle[] = "Spatiu insuficient!";
std::string NoSpace(const std::string& drive, uint64_t needed, uint64_t free);
// "12.5 MB": bytes in megabytes (of 1,048,576 bytes) with one decimal.
std::string Megabytes(uint64_t bytes);
// A member that failed because its disk filled up meanwhile.
inline constexpr char kDiskFull[] = "discul este plin";

// Files of the installation that other programs hold open, before an upgrade copy.
inline constexpr char kInUseTitle[] = "Fisiere in uz";
std::string FilesInUse(const std::vector<std::string>& paths);

// The upgrade's journal: what cannot be done without it, and what its undoing says.
std::string JournalFailure(const std::string& journalPath);
// The registry value that names the journal, so that a start after a crash finds it.
std::string JournalPointerFailure();
// An earlier upgrade whose files could not all be put back still has its journal.
std::string JournalLeft(const std::string& journalPath);
std::string KeepFailure(const std::string& path);
inline constexpr char kRolledBack[] = "Copierea a fost anulata: fisierele instalarii sunt cele dinaintea ei.";
std::string RollbackProblems(const std::vector<std::string>& paths);
// Kept copies that a finished upgrade could not remove; the next start removes them.
std::string KeptCopiesLeft(const std::string& keepFolder);

}  // namespace copytext
