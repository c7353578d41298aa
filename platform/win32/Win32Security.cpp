// The rights of this program's token, and the system's generator of random numbers.
#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <ntsecapi.h>

#include "platform/win32/Handles.h"

namespace plat {

namespace {

// Since Vista an administrator's programs run with a filtered token unless elevated:
// only an elevated token may change the machine.
std::optional<bool> TokenIsElevated() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return std::nullopt;
    KernelHandle token(opened);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &size)) return std::nullopt;
    return elevation.TokenIsElevated != 0;
}

// Before Vista a token has no elevation: a member of BUILTIN\Administrators has the rights.
bool InAdministratorsGroup() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

}  // namespace

bool Win32Platform::HasAdministratorRights() {
    if (const std::optional<bool> elevated = TokenIsElevated()) return *elevated;
    return InAdministratorsGroup();
}

void Win32Platform::RandomBytes(void* buffer, size_t count) {
    // RtlGenRandom (advapi32's SystemFunction036): the generator CryptGenRandom draws on.
    if (!RtlGenRandom(buffer, static_cast<ULONG>(count))) System::RandomBytes(buffer, count);
}

}  // namespace plat
