// Owners of the kernel's and the shell's handles that the Windows side uses.
#pragma once

#include <windows.h>

#include "platform/win32/UniqueHandle.h"

namespace plat {

struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct CloseFindHandle {
    void operator()(HANDLE handle) const { FindClose(handle); }
};
struct CloseRegistryKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct FreeLocalMemory {
    void operator()(void* memory) const { LocalFree(memory); }
};
struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

using KernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using FindHandle = UniqueHandle<HANDLE, CloseFindHandle>;
using RegistryKeyHandle = UniqueHandle<HKEY, CloseRegistryKey>;
using ModuleHandle = UniqueHandle<HMODULE, FreeModule>;
template <class T>
using LocalMemory = UniqueHandle<T*, FreeLocalMemory>;

// The functions that fail with INVALID_HANDLE_VALUE (files, searches) give none instead.
inline HANDLE NoneIfInvalid(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

}  // namespace plat
