// The installation media as the copy pages and the media tool see it: disk markers
// "DISK<n>" and archive pieces "NAME.1", "NAME.2", ... that join into "NAME.ZIP".
//
// A piece belongs to a wanted archive when its extension ends with a digit and its stem
// (the text before the first ".") names a component of the selection. On one disk the
// pieces of an archive are joined in the numeric order of their extensions (".9" before
// ".10"); ".1" starts the archive, every other piece is appended to it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "product/Components.h"
#include "platform/Platform.h"

namespace product {

// Pieces are copied through a buffer of this size: one read and one write per block.
inline constexpr int64_t kPieceCopyBuffer = 2500000;

// "DISK3" for disk 3.
std::string DiskMarkerName(int disk);
// True when the marker file of the disk lies in the folder (a folder of that name is no disk).
bool DiskPresent(const std::string& sourceDir, int disk);

// The component-table position of the archive this file is a piece of, or none.
std::optional<int> PieceComponent(std::string_view fileName, ComponentSet selection);
// "exe.1" -> "exe.ZIP": the stem keeps the letter case of the file on the disk.
std::string PieceArchiveName(std::string_view pieceName);
// Only a piece whose extension is exactly ".1" starts (creates) its archive.
bool PieceStartsArchive(std::string_view pieceName);
// The pieces of wanted archives among a folder's entries, in joining order.
std::vector<std::string> PiecesInJoiningOrder(const std::vector<plat::DirEntry>& entries,
                                              ComponentSet selection);

// Why a piece could not be joined.
enum class JoinFault { None, PieceUnreadable, ArchiveNotCreated, ArchiveNotWritten };

// Joins pieces through one copy buffer, kept for the joiner's life.
class PieceJoiner {
public:
    PieceJoiner();
    // Copies the piece to the end of the archive, or into a new archive when it starts one.
    JoinFault Append(const std::string& piecePath, const std::string& archivePath, bool startsArchive);

private:
    std::unique_ptr<char[]> buffer_;
};

}  // namespace product
