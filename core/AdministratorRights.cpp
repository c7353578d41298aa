#include "core/AdministratorRights.h"

#include <string>

#include "core/Log.h"
#include "platform/Platform.h"
#include "ui/MessageBox.h"

namespace core {

namespace {

constexpr char kTitle[] = "Drepturi de administrator";

struct RightsTexts {
    const char* lacking;
    const char* refused;
};
constexpr RightsTexts kTexts[] = {
    // RightsFor::Installation
    {"Instalarea WinTORVEX are nevoie de drepturi de administrator, pe care acest program nu le are.\r"
     "Porniti INSTALL.EXE cu \"Executare ca administrator\" sau cereti ajutorul administratorului "
     "calculatorului.\rNu am modificat nimic.",
     "Windows a cerut confirmarea drepturilor de administrator, iar cererea a fost refuzata.\r"
     "Instalarea WinTORVEX nu poate continua fara ele: nu am instalat nimic."},
    // RightsFor::Uninstall
    {"Dezinstalarea WinTORVEX are nevoie de drepturi de administrator, pe care acest program nu le are.\r"
     "Porniti DEZINST.EXE cu \"Executare ca administrator\" sau cereti ajutorul administratorului "
     "calculatorului.\rNu am sters nimic.",
     "Windows a cerut confirmarea drepturilor de administrator, iar cererea a fost refuzata.\r"
     "Dezinstalarea WinTORVEX nu poate continua fara ele: nu am sters nimic."},
};

void Tell(const std::string& text) {
    LogNote(text);
    ui::ShowMessageBox(text, kTitle, ui::mtError, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
}

}  // namespace

bool CheckAdministratorRights(RightsFor work) {
    if (plat::Current().HasAdministratorRights()) return true;
    Tell(kTexts[int(work)].lacking);
    return false;
}

void TellRightsRefused(RightsFor work) { Tell(kTexts[int(work)].refused); }

}  // namespace core
