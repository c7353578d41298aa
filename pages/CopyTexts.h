// What the copy pages say: their own texts and the reasons a copy failed. Romanian
// without diacritics, as every text of the program.
#pragma once

#include <cstdint>
#include <string>

#include "core/MediaPieces.h"

namespace pages::copytext {

inline constexpr char kPageTitle[] = "Copiere fisiere Torvex";
inline constexpr char kStartPrompt[] = "Apasa 'Continua' pentru a incepe instalarea.....";
inline constexpr char kAssembling[] = "Asamblare arhive...";
inline constexpr char kCopyGaugeCaption[] = "Copiere:";
inline constexpr char kUnzipGaugeCaption[] = "Decompresie:";
inline constexpr char kDiskHeading[] = "Pentru continuare";
inline constexpr char kDiskRequest[] = "introdu discul de instalare cu numarul \r";
inline constexpr char kCannotDelete[] = "Nu pot sterge ";

// The failure box of the copy pages: its heading, and the page's status line after a
// pass that failed.
inline constexpr char kFailureHeading[] = "Eroare la copiere";
inline constexpr char kRetryPrompt[] =
    "Copierea nu a reusit. Apasa 'Continua' pentru a incerca din nou.";

// "Nu pot citi fisierul A:\EXE.2" and the like.
std::string JoinFailure(core::JoinFault fault, const std::string& piecePath, const std::string& archivePath);
std::string EngineFolderFailure(const std::string& folder);
// What an engine result code or a member's failure code means.
std::string ExtractReason(int32_t code);
// The first line of the box for an archive that did not unpack whole.
std::string ArchiveFailure(const std::string& archiveName);
std::string MoreFailures(size_t count);
std::string MissingArchive(const std::string& archiveName);

}  // namespace pages::copytext
