#include "product/MediaPieces.h"

#include <algorithm>

#include "platform/Paths.h"

namespace product {

namespace {

std::string_view Stem(std::string_view name) { return name.substr(0, name.find('.')); }

// From the last "." on; empty when there is none.
std::string_view Extension(std::string_view name) {
    size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// Compares two runs of digits by value, whatever their length or leading zeros.
int CompareNumbers(std::string_view a, std::string_view b) {
    auto significant = [](std::string_view digits) {
        size_t first = digits.find_first_not_of('0');
        return first == std::string_view::npos ? std::string_view() : digits.substr(first);
    };
    a = significant(a);
    b = significant(b);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

// Joining order: by name without extension, then by the extension's number; names that
// tie (".01" and ".1") keep their case-insensitive text order.
bool JoinsBefore(const std::string& a, const std::string& b) {
    const std::string upperA = plat::ToUpperAscii(a), upperB = plat::ToUpperAscii(b);
    const size_t dotA = upperA.rfind('.'), dotB = upperB.rfind('.');
    const std::string_view headA = std::string_view(upperA).substr(0, dotA);
    const std::string_view headB = std::string_view(upperB).substr(0, dotB);
    if (headA != headB) return headA < headB;
    const std::string_view numberA = std::string_view(upperA).substr(dotA + 1);
    const std::string_view numberB = std::string_view(upperB).substr(dotB + 1);
    if (AllDigits(numberA) && AllDigits(numberB)) {
        if (int order = CompareNumbers(numberA, numberB); order != 0) return order < 0;
    }
    return upperA < upperB;
}

}  // namespace

std::string DiskMarkerName(int disk) { return "DISK" + std::to_string(disk); }

bool DiskPresent(const std::string& sourceDir, int disk) {
    return plat::Current().FileExists(plat::JoinPath(sourceDir, DiskMarkerName(disk)));
}

std::optional<int> PieceComponent(std::string_view fileName, ComponentSet selection) {
    if (fileName == "." || fileName == "..") return std::nullopt;
    std::string_view extension = Extension(fileName);
    if (extension.empty() || !IsDigit(extension.back())) return std::nullopt;
    const std::string stem = plat::ToUpperAscii(Stem(fileName));
    for (size_t position = 0; position < ComponentTable.size(); ++position) {
        if (!Contains(selection, int(position)) || ComponentTable[position].Name.empty()) continue;
        if (stem == ComponentTable[position].Name) return int(position);
    }
    return std::nullopt;
}

std::string PieceArchiveName(std::string_view pieceName) { return std::string(Stem(pieceName)) + ".ZIP"; }

bool PieceStartsArchive(std::string_view pieceName) { return Extension(pieceName) == ".1"; }

std::vector<std::string> PiecesInJoiningOrder(const std::vector<plat::DirEntry>& entries,
                                              ComponentSet selection) {
    std::vector<std::string> pieces;
    for (const plat::DirEntry& entry : entries)
        if (!entry.isDirectory && PieceComponent(entry.name, selection)) pieces.push_back(entry.name);
    std::sort(pieces.begin(), pieces.end(), JoinsBefore);
    return pieces;
}

PieceJoiner::PieceJoiner() : buffer_(new char[kPieceCopyBuffer]) {}

JoinFault PieceJoiner::Append(const std::string& piecePath, const std::string& archivePath,
                              bool startsArchive) {
    plat::Platform& platform = plat::Current();
    std::unique_ptr<plat::File> piece = platform.Open(piecePath, plat::OpenMode::Read);
    if (!piece) return JoinFault::PieceUnreadable;
    std::unique_ptr<plat::File> archive =
        platform.Open(archivePath, startsArchive ? plat::OpenMode::Create : plat::OpenMode::Append);
    if (!archive) return JoinFault::ArchiveNotCreated;
    for (;;) {
        const int64_t got = piece->Read(buffer_.get(), kPieceCopyBuffer);
        if (got < 0) return JoinFault::PieceUnreadable;
        if (archive->Write(buffer_.get(), got) != got) return JoinFault::ArchiveNotWritten;
        if (got < kPieceCopyBuffer) return JoinFault::None;
    }
}

}  // namespace product
