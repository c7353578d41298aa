// A database engine library that lacks some of its exports, to see how the binding
// copes. Which exports it has is chosen by the build: HAS_INIT, HAS_EXIT.
#include "dbengine/BdeApi.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

#if HAS_INIT
EXPORT bde::DBIResult DBIFN DbiInitFn(uint16_t, bde::pDBIEnv) { return 0; }
#endif

#if HAS_EXIT
EXPORT bde::DBIResult DBIFN DbiExit() { return 0; }
#endif
