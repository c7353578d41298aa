// The Start Menu: its common Programs folder from the shell, and shortcuts written by
// the shell's own link object, as every shortcut of the Start Menu is.
#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/win32/WideText.h"

namespace plat {

namespace {

// COM on this thread for as long as it lives, when it was not already there.
class ComOnThisThread {
public:
    ComOnThisThread() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComOnThisThread() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComOnThisThread(const ComOnThisThread&) = delete;
    ComOnThisThread& operator=(const ComOnThisThread&) = delete;
    // Already set up otherwise by somebody else on this thread is as good.
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

template <class Interface>
struct ComReference {
    Interface* pointer = nullptr;
    ~ComReference() {
        if (pointer) pointer->Release();
    }
    void** Out() { return reinterpret_cast<void**>(&pointer); }
};

}  // namespace

std::optional<std::string> Win32Platform::CommonProgramsFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                folder)))
        return std::nullopt;
    return Narrow(folder);
}

bool Win32Platform::SaveShortcut(const std::string& path, const Shortcut& shortcut) {
    const ComOnThisThread com;
    if (!com.Usable()) return false;
    ComReference<IShellLinkW> link;
    ComReference<IPersistFile> file;
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Out())) &&
           SUCCEEDED(link.pointer->SetPath(Widen(shortcut.target).c_str())) &&
           SUCCEEDED(link.pointer->SetArguments(Widen(shortcut.arguments).c_str())) &&
           SUCCEEDED(link.pointer->SetWorkingDirectory(Widen(shortcut.workingFolder).c_str())) &&
           SUCCEEDED(link.pointer->QueryInterface(IID_IPersistFile, file.Out())) &&
           SUCCEEDED(file.pointer->Save(Widen(path).c_str(), TRUE));
}

}  // namespace plat
