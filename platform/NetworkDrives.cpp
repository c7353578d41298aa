#include "platform/NetworkDrives.h"

#include "platform/Paths.h"

namespace plat {

namespace {

char UpperLetter(char letter) { return letter >= 'a' && letter <= 'z' ? char(letter - 'a' + 'A') : letter; }

}  // namespace

void LettersOnShares::Use(const NetworkDrives& drives, const std::function<bool(char)>& seen) {
    shares_.clear();
    for (const auto& [letter, share] : drives) {
        const char upper = UpperLetter(letter);
        if (!share.empty() && !seen(upper)) shares_[upper] = ExcludeTrailingBackslash(share);
    }
}

bool LettersOnShares::Names(char letter) const { return shares_.count(UpperLetter(letter)) != 0; }

std::string LettersOnShares::Reach(const std::string& path) const {
    if (path.size() < 2 || path[1] != ':') return path;
    const auto share = shares_.find(UpperLetter(path[0]));
    if (share == shares_.end()) return path;
    std::string rest = path.substr(2);
    // "N:" and "N:name" are taken from the share's root: the share has no current folder.
    if (rest.empty() || !IsSeparator(rest[0])) rest.insert(rest.begin(), '\\');
    return share->second + rest;
}

}  // namespace plat
