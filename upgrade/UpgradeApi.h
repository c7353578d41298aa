// The binary interface of the product's upgrade library UPGRADE.DLL: its eight entry
// points and their calling convention. Shared by the binding (upgrade/) and by the
// stand-in library (standins/upgrade/).
//
// The library was built with the register calling convention of its compiler: the one
// argument, where there is one, in EAX (a byte in AL), a boolean result in AL. On 32-bit
// x86 that is regparm(1); on x86-64 (and natively) the platform's only convention.
#pragma once

#if defined(__i386__)
#define UPGFN __attribute__((regparm(1)))
#else
#define UPGFN
#endif

namespace upg {

// The report procedure receives a global memory handle holding a zero-terminated text;
// the handle stays the library's.
using ReportProc = void(UPGFN*)(void* textHandle);

using GetAliasPathProc = void(UPGFN*)(char* buffer);  // alias name in, its folder out
using SetReportProcProc = void(UPGFN*)(ReportProc proc);
using OperationProc = void(UPGFN*)();
using GetSemaforOKProc = bool(UPGFN*)();
using SetQuickVerifProc = void(UPGFN*)(unsigned char on);
using CheckExclusiveProc = void(UPGFN*)();

inline constexpr unsigned kAliasPathBuffer = 257;  // bytes, with the terminating zero

inline constexpr char kGetAliasPath[] = "GetAliasPath";
inline constexpr char kSetReportProc[] = "SetReportProc";
inline constexpr char kDoStructureUpgrade[] = "DoStructureUpgrade";
inline constexpr char kDoListUpgrade[] = "DoListUpgrade";
inline constexpr char kDoConstUpgrade[] = "DoConstUpgrade";
inline constexpr char kGetSemaforOK[] = "GetSemaforOK";
inline constexpr char kSetQuickVerif[] = "SetQuickVerif";
inline constexpr char kCheckExclusive[] = "CheckExclusive";

}  // namespace upg
