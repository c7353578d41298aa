// Network drives: a drive letter and the share it stands for. A program started with
// administrator rights does not see the drive letters the person connected; it reaches
// what lies on them through their shares instead, while every name it keeps or shows
// still says the letter the person typed.
#pragma once

#include <functional>
#include <map>
#include <string>

namespace plat {

// "N" -> "\\server\share" (or a folder of a share), letters in upper case.
using NetworkDrives = std::map<char, std::string>;

// The letters a program does not see, and the shares it reaches them through.
class LettersOnShares {
public:
    // Keeps the letters of `drives` that `seen` says this program lacks.
    void Use(const NetworkDrives& drives, const std::function<bool(char letter)>& seen);
    // `path` on a kept letter ("N:\KIT\X" or "N:") as a path on its share
    // ("\\server\share\KIT\X"); any other path as it is.
    std::string Reach(const std::string& path) const;
    // A command line with each of its paths (the program and its arguments, quoted or
    // not) on a kept letter reached through its share, quoted where the share's name
    // has a blank.
    std::string ReachInCommandLine(const std::string& commandLine) const;
    bool Names(char letter) const;

private:
    NetworkDrives shares_;
};

}  // namespace plat
