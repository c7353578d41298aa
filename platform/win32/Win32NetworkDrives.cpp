// The person's network drives, and the letters this program reaches through their shares.
#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <winnetwk.h>

#include "platform/win32/WideText.h"

namespace plat {

namespace {

std::wstring RootOf(char letter) { return {wchar_t(letter), L':', L'\\'}; }

}  // namespace

NetworkDrives Win32Platform::MappedNetworkDrives() {
    NetworkDrives drives;
    const DWORD letters = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!(letters & (1u << (letter - 'A'))) || GetDriveTypeW(RootOf(letter).c_str()) != DRIVE_REMOTE) continue;
        const wchar_t local[] = {wchar_t(letter), L':', L'\0'};
        wchar_t remote[MAX_PATH + 1];
        DWORD length = MAX_PATH + 1;
        if (WNetGetConnectionW(local, remote, &length) == NO_ERROR) drives[letter] = Narrow(remote);
    }
    return drives;
}

void Win32Platform::ReachLettersThrough(const NetworkDrives& drives) {
    // A letter is seen when it has a root: a program started with administrator rights
    // runs in a logon session of its own, without the person's connections.
    shares_.Use(drives, [](char letter) { return GetDriveTypeW(RootOf(letter).c_str()) != DRIVE_NO_ROOT_DIR; });
}

}  // namespace plat
