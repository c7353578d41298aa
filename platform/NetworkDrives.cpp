#include "platform/NetworkDrives.h"

#include <algorithm>

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

std::string LettersOnShares::ReachInCommandLine(const std::string& commandLine) const {
    if (shares_.empty()) return commandLine;
    std::string reached;
    size_t at = 0;
    while (at < commandLine.size()) {
        if (commandLine[at] == ' ') {
            reached += commandLine[at++];
            continue;
        }
        const bool quoted = commandLine[at] == '"';
        const size_t start = quoted ? at + 1 : at;
        size_t end = commandLine.find(quoted ? '"' : ' ', start);
        if (end == std::string::npos) end = commandLine.size();
        const std::string word = commandLine.substr(start, end - start);
        const std::string path = Reach(word);
        if (quoted || path.find(' ') != std::string::npos) reached += '"' + path + '"';
        else reached += path;
        at = quoted ? std::min(end + 1, commandLine.size()) : end;
    }
    return reached;
}

}  // namespace plat
