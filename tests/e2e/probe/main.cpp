// PROBE.EXE: a tiny program with known windows, on which the driver and the harness are
// proven without the installer.
//   PROBE box              a message box titled "Probe" with one OK button; exit code is
//                          the button's result (1).
//   PROBE window REPORT    a window titled "Fereastră de probă" with two push buttons and
//                          a clickable label; every click and key it sees is appended to
//                          the REPORT file, one line each, so a scenario can check them.
//                          "Da" opens a modal box "Probe Da" in front of the window.
//   PROBE drivetype ROOT   exit code is GetDriveType of ROOT (2 removable, 3 fixed).
//   PROBE progman COMMAND  sends COMMAND to the Program Manager's DDE service; exit code
//                          0 done, 1 no service, 2 refused.
//   PROBE silent-shell SECONDS REPORT   a DDE server for "ProgMan" that accepts every
//                          conversation (any topic) and never answers an execute; notes
//                          "ready" and each "execute" in REPORT; ends after SECONDS.
//   PROBE shortcut FILE.LNK   prints the shell link's target, arguments and working folder,
//                          one a line; exit code 1 when it cannot be read.
//   PROBE busy SECONDS REPORT   a hidden top-level window whose program takes none of its
//                          messages for SECONDS, as a busy or hung program; notes "busy".
//   PROBE profile SECTION KEY VALUE   WriteProfileString into WIN.INI; exit code 0 done.
//   PROBE winexec COMMAND  WinExec(COMMAND, SW_SHOW); exit code 0 when it started.
//   PROBE hold FILE SECONDS REPORT   holds FILE open for reading, sharing reading and
//                          writing but not deletion, as another program may; notes
//                          "holding" in REPORT; lets go after SECONDS. Exit code 1 when
//                          the file cannot be opened.
//   PROBE lock FILE REPORT   holds FILE open with no sharing at all, as a running program
//                          holds its own file; notes "locked" in REPORT, lets go once a
//                          file REPORT.release exists (five minutes at most), then notes
//                          "released". Exit code 1 when the file cannot be opened.
// Started any other way (as a trap under another name, say) it appends its command
// line to C:\PROBE-RAN.TXT and exits with 2.
#include <windows.h>
#include <ddeml.h>
#include <shlobj.h>

#include <string>
#include <string_view>

namespace {

constexpr wchar_t kWindowClass[] = L"TvProbeWindow";
constexpr wchar_t kWindowTitle[] = L"Fereastr\u0103 de prob\u0103";

enum ControlId : int { kIdYes = 101, kIdQuit = 102, kIdLabel = 103 };

struct Control {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int id;
    RECT box;  // left, top, right, bottom in client coordinates
};

constexpr Control kControls[] = {
    {L"STATIC", L"Eticheta de proba", SS_NOTIFY, kIdLabel, {20, 20, 300, 44}},
    {L"BUTTON", L"&Da", BS_PUSHBUTTON | WS_TABSTOP, kIdYes, {20, 70, 120, 98}},
    {L"BUTTON", L"&Renun\u021b\u0103", BS_PUSHBUTTON | WS_TABSTOP, kIdQuit, {140, 70, 240, 98}},
};

std::wstring g_reportPath;

void Report(std::string_view line) {
    const HANDLE file = CreateFileW(g_reportPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = std::string(line) + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void CreateControls(HWND window) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const Control& control : kControls) {
        CreateWindowExW(0, control.className, control.text, WS_CHILD | WS_VISIBLE | control.style, control.box.left,
                        control.box.top, control.box.right - control.box.left, control.box.bottom - control.box.top,
                        window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    }
}

void OnCommand(HWND window, int id, int code) {
    if (id == kIdYes && code == BN_CLICKED) {
        // A modal box in front of the window, which disables the window meanwhile.
        Report("click Da");
        MessageBoxW(window, L"Ati ap\u0103sat Da.", L"Probe Da", MB_OK);
        Report("box closed");
    }
    if (id == kIdLabel && code == STN_CLICKED) Report("click Eticheta");
    if (id == kIdQuit && code == BN_CLICKED) {
        Report("click Renunta");
        DestroyWindow(window);
    }
}

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls(window);
            return 0;
        case WM_COMMAND:
            OnCommand(window, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            Report("close");
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Sees every key before the focused control does, like a form with key preview, and
// records it with the Alt state the program itself can observe.
void PreviewKey(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return;
    const WPARAM key = message.wParam;
    if (key == VK_MENU || key == VK_CONTROL || key == VK_SHIFT) return;
    std::string name;
    if (key >= 'A' && key <= 'Z') {
        name = std::string(1, static_cast<char>(key));
    } else if (key == VK_ESCAPE) {
        name = "escape";
    } else if (key == VK_RETURN) {
        name = "enter";
    } else if (key == VK_F4) {
        name = "f4";
    } else {
        name = "vk" + std::to_string(key);
    }
    Report("key " + std::string(GetKeyState(VK_MENU) < 0 ? "alt+" : "") + name);
}

int RunWindow(const wchar_t* reportPath) {
    g_reportPath = reportPath;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ProbeWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassW(&windowClass) == 0) return 3;
    const HWND window = CreateWindowExW(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, 200, 200, 360, 170,
                                        nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 3;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    Report("shown");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        PreviewKey(message);
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

HDDEDATA CALLBACK IgnoreDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

int SendToProgramManager(const wchar_t* command) {
    DWORD instance = 0;
    if (DdeInitializeW(&instance, IgnoreDdeCallback, APPCMD_CLIENTONLY, 0) !=
        DMLERR_NO_ERROR) {
        return 1;
    }
    const HSZ service = DdeCreateStringHandleW(instance, L"PROGMAN", CP_WINUNICODE);
    const HCONV conversation = DdeConnect(instance, service, service, nullptr);
    int result = 1;
    if (conversation != nullptr) {
        const DWORD bytes = static_cast<DWORD>((wcslen(command) + 1) * sizeof(wchar_t));
        const HDDEDATA done = DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<wchar_t*>(command)), bytes,
                                                   conversation, nullptr, 0, XTYP_EXECUTE, 10000, nullptr);
        result = done != nullptr ? 0 : 2;
        DdeDisconnect(conversation);
    }
    DdeFreeStringHandle(instance, service);
    DdeUninitialize(instance);
    return result;
}

// The silent shell: conversations are accepted, executes blocked until the client gives up.
DWORD g_silentInstance = 0;
HSZ g_silentService = nullptr;

HDDEDATA CALLBACK SilentShellCallback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    switch (type) {
        case XTYP_CONNECT: return reinterpret_cast<HDDEDATA>(TRUE);
        case XTYP_WILDCONNECT: {
            HSZPAIR pairs[2] = {{g_silentService, g_silentService}, {nullptr, nullptr}};
            return DdeCreateDataHandle(g_silentInstance, reinterpret_cast<BYTE*>(pairs), sizeof pairs, 0, nullptr, 0, 0);
        }
        case XTYP_EXECUTE: Report("execute"); return reinterpret_cast<HDDEDATA>(CBR_BLOCK);
        default: return nullptr;
    }
}

int RunSilentShell(int seconds, const wchar_t* reportPath) {
    g_reportPath = reportPath;
    if (DdeInitializeW(&g_silentInstance, SilentShellCallback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR) return 1;
    g_silentService = DdeCreateStringHandleW(g_silentInstance, L"ProgMan", CP_WINUNICODE);
    if (!DdeNameService(g_silentInstance, g_silentService, nullptr, DNS_REGISTER)) return 1;
    Report("ready");
    const UINT_PTR timer = SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000u, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.wParam == timer) break;
        DispatchMessageW(&message);
    }
    DdeNameService(g_silentInstance, g_silentService, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(g_silentInstance, g_silentService);
    DdeUninitialize(g_silentInstance);
    return 0;
}

int RunBusyWindow(int seconds, const wchar_t* reportPath) {
    g_reportPath = reportPath;
    if (!CreateWindowExW(0, L"STATIC", L"Probe busy", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr))
        return 1;
    Report("busy");
    Sleep(static_cast<DWORD>(seconds) * 1000u);
    return 0;
}

std::string Encoded(UINT codePage, std::wstring_view text) {
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

// Reads the link through the shell's own IShellLink, as the Start Menu does. COM and its
// objects end with the process.
int PrintShortcut(const wchar_t* path) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t fields[3][MAX_PATH] = {};
    const bool read =
        SUCCEEDED(CoInitialize(nullptr)) &&
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file))) && SUCCEEDED(file->Load(path, STGM_READ)) &&
        SUCCEEDED(link->GetPath(fields[0], MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetArguments(fields[1], MAX_PATH)) && SUCCEEDED(link->GetWorkingDirectory(fields[2], MAX_PATH));
    std::string text;
    for (const wchar_t* field : fields) text += Encoded(CP_UTF8, field) + "\n";
    DWORD written = 0;
    if (read) WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), DWORD(text.size()), &written, nullptr);
    return read ? 0 : 1;
}

int RecordUnexpectedStart() {
    g_reportPath = L"C:\\PROBE-RAN.TXT";
    Report(Encoded(CP_UTF8, GetCommandLineW()));
    return 2;
}

// WinExec takes the command in the ANSI code page, as the installer passes it.
int StartWithWinExec(const wchar_t* command) {
    return WinExec(Encoded(CP_ACP, command).c_str(), SW_SHOW) > 31 ? 0 : 1;
}

int HoldFile(const wchar_t* path, int seconds, const wchar_t* reportPath) {
    g_reportPath = reportPath;
    const HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    Report("holding");
    Sleep(static_cast<DWORD>(seconds) * 1000u);
    CloseHandle(file);
    return 0;
}

int LockFile(const wchar_t* path, const wchar_t* reportPath) {
    g_reportPath = reportPath;
    const HANDLE file = CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    Report("locked");
    const std::wstring release = std::wstring(reportPath) + L".release";
    for (int tick = 0; tick < 6000 && GetFileAttributesW(release.c_str()) == INVALID_FILE_ATTRIBUTES; ++tick)
        Sleep(50);
    CloseHandle(file);
    Report("released");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view mode = argc >= 2 ? argv[1] : L"";
    if (mode == L"box") {
        return MessageBoxW(nullptr, L"Mesaj de prob\u0103: totul este \u00een regul\u0103.", L"Probe",
                           MB_OK | MB_ICONINFORMATION);
    }
    if (mode == L"window" && argc >= 3) return RunWindow(argv[2]);
    if (mode == L"drivetype" && argc >= 3) return static_cast<int>(GetDriveTypeW(argv[2]));
    if (mode == L"progman" && argc >= 3) return SendToProgramManager(argv[2]);
    if (mode == L"silent-shell" && argc >= 4) return RunSilentShell(_wtoi(argv[2]), argv[3]);
    if (mode == L"busy" && argc >= 4) return RunBusyWindow(_wtoi(argv[2]), argv[3]);
    if (mode == L"shortcut" && argc >= 3) return PrintShortcut(argv[2]);
    if (mode == L"profile" && argc >= 5) return WriteProfileStringW(argv[2], argv[3], argv[4]) ? 0 : 1;
    if (mode == L"winexec" && argc >= 3) return StartWithWinExec(argv[2]);
    if (mode == L"hold" && argc >= 5) return HoldFile(argv[2], _wtoi(argv[3]), argv[4]);
    if (mode == L"lock" && argc >= 4) return LockFile(argv[2], argv[3]);
    return RecordUnexpectedStart();
}
