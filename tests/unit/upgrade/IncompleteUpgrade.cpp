// An upgrade library that has seven of the eight entry points: CheckExclusive is missing.
#include "upgrade/UpgradeApi.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT void UPGFN GetAliasPath(char* buffer) { buffer[0] = '\0'; }
EXPORT void UPGFN SetReportProc(upg::ReportProc) {}
EXPORT void UPGFN DoStructureUpgrade() {}
EXPORT void UPGFN DoListUpgrade() {}
EXPORT void UPGFN DoConstUpgrade() {}
EXPORT bool UPGFN GetSemaforOK() { return true; }
EXPORT void UPGFN SetQuickVerif(unsigned char) {}
