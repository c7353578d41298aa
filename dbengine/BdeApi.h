// The binary interface of the Borland Database Engine library IDAPI32.DLL, as far as the
// setup program uses it: the shapes of the engine's C functions, its calling convention
// and its handle types. Shared by the binding (dbengine/) and by the stand-in library
// (standins/idapi32/) so that both sides agree on every argument.
#pragma once

#include <cstdint>

// The engine's calling convention: stdcall on 32-bit x86, the platform's only one elsewhere.
#if defined(__i386__)
#define DBIFN __attribute__((stdcall))
#else
#define DBIFN
#endif

namespace bde {

using DBIResult = uint16_t;  // 0 is success, anything else an engine error code
using DBIBool = int32_t;     // the engine's BOOL is a 32-bit integer
using hDBIDb = void*;        // an open database
using hDBICfg = void*;       // a configuration; null means the engine's own
using pDBIEnv = void*;       // environment record; the program passes none

// Open and share modes of DbiOpenDatabase.
enum DBIOpenMode : int32_t { dbiREADWRITE = 0, dbiREADONLY = 1 };
enum DBIShareMode : int32_t { dbiOPENSHARED = 0, dbiOPENEXCL = 1 };

// The interface version the program asks the engine for.
inline constexpr uint16_t kInterfaceVersion = 500;

// Operations bound by name.
using DbiInitFnProc = DBIResult(DBIFN*)(uint16_t version, pDBIEnv env);
using DbiExitProc = DBIResult(DBIFN*)();
using DbiDeleteAliasProc = DBIResult(DBIFN*)(hDBICfg cfg, char* aliasName);

// Operations bound by export ordinal.
using DbiOpenDatabaseProc = DBIResult(DBIFN*)(char* dbName, char* dbType, DBIOpenMode openMode,
                                              DBIShareMode shareMode, char* password,
                                              uint16_t optionalFields, void* optionalFieldDescs,
                                              void* optionalParams, hDBIDb* db);
using DbiCloseDatabaseProc = DBIResult(DBIFN*)(hDBIDb* db);
using DbiAddAliasProc = DBIResult(DBIFN*)(hDBICfg cfg, char* aliasName, char* driverType,
                                          char* params, DBIBool persistent);
using DbiCfgSaveProc = DBIResult(DBIFN*)(hDBICfg cfg, char* cfgFile, DBIBool persistent);

inline constexpr char kInitName[] = "DbiInitFn";
inline constexpr char kExitName[] = "DbiExit";
inline constexpr char kDeleteAliasName[] = "DbiDeleteAlias";
inline constexpr int kOrdinalOpenDatabase = 4;
inline constexpr int kOrdinalCloseDatabase = 5;
inline constexpr int kOrdinalAddAlias = 1207;
inline constexpr int kOrdinalCfgSave = 400;

}  // namespace bde
