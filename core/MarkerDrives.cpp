#include "core/MarkerDrives.h"

namespace core {

namespace {

constexpr char kBetween[] = ":=";

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string NetworkDriveLines(const plat::NetworkDrives& drives) {
    std::string lines;
    for (const auto& [letter, share] : drives) lines += letter + (kBetween + share) + "\r\n";
    return lines;
}

plat::NetworkDrives ReadNetworkDriveLines(const std::string& markerText) {
    plat::NetworkDrives drives;
    size_t at = markerText.find('\n');
    while (at != std::string::npos) {
        const size_t start = at + 1;
        at = markerText.find('\n', start);
        std::string line = markerText.substr(start, at == std::string::npos ? std::string::npos : at - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 3 && IsLetter(line[0]) && line.compare(1, 2, kBetween) == 0)
            drives[char(line[0] & ~0x20)] = line.substr(3);
    }
    return drives;
}

}  // namespace core
