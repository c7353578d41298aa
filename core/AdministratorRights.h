// Administrator rights. The installation and the uninstall change the machine (Program
// Files, HKEY_LOCAL_MACHINE, WIN.INI, the list of programs): without the rights Windows
// refuses some of it and quietly sends the rest to the person's own copies, so the work
// makes sure it has them, from the token, before it changes anything.
#pragma once

namespace core {

enum class RightsFor { Installation, Uninstall };

// True when this program has the rights; otherwise a box says what is needed (noted in
// the run log; in a run without questions, not waited for) and the result is false.
bool CheckAdministratorRights(RightsFor work);

// The person refused the system's prompt for the rights: told in a box, noted in the log.
void TellRightsRefused(RightsFor work);

}  // namespace core
