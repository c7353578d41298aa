// DDEML's DdeConnect cannot be bounded: it sends its initiate to every top-level window
// and waits for each without limit, so one window whose program has stopped taking its
// messages (a mail or chat program busy elsewhere) holds the caller for good. Here each
// window is asked with a send of its own, bounded, and the server that takes the
// conversation is waited for until a deadline; a server that never answers is left.
#include "platform/win32/DdeClient.h"

#include <windows.h>
#include <dde.h>

#include <algorithm>
#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace plat {

namespace {

constexpr wchar_t kClientClass[] = L"TorvexDdeClient";
// The longest one window may keep an initiate: a window that takes longer belongs to a
// busy or hung program, and the next window is asked.
constexpr DWORD kWindowAnswerMs = 1000;
// How long a server that is told the conversation is over may take to say so too.
constexpr DWORD kTerminateAnswerMs = 1000;
constexpr UINT_PTR kAccepted = 0x8000;  // DDEACK's fAck

// What the client window has heard from the servers.
struct Conversation {
    HWND server = nullptr;     // the first server that took the conversation
    bool answered = false;     // it acknowledged the execute
    bool accepted = false;     // positively
    bool serverEnded = false;  // it posted its terminate
};

void TellEnded(HWND server, HWND client) {
    PostMessageW(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(client), 0);
}

void HearAcknowledgement(Conversation& talk, HWND client, HWND from, LPARAM lParam) {
    if (InSendMessage()) {
        // A server takes the initiate: its atoms are ours to delete. Only the first
        // conversation is held; any other is ended at once.
        GlobalDeleteAtom(LOWORD(lParam));
        GlobalDeleteAtom(HIWORD(lParam));
        if (!talk.server)
            talk.server = from;
        else if (from != talk.server)
            TellEnded(from, client);
        return;
    }
    UINT_PTR status = 0, commands = 0;
    UnpackDDElParam(WM_DDE_ACK, lParam, &status, &commands);
    FreeDDElParam(WM_DDE_ACK, lParam);
    if (from != talk.server) return;
    GlobalFree(reinterpret_cast<HGLOBAL>(commands));
    talk.answered = true;
    talk.accepted = (status & kAccepted) != 0;
}

LRESULT CALLBACK ClientWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* talk = reinterpret_cast<Conversation*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const HWND from = reinterpret_cast<HWND>(wParam);
    if (talk && message == WM_DDE_ACK) {
        HearAcknowledgement(*talk, window, from, lParam);
        return 0;
    }
    if (talk && message == WM_DDE_TERMINATE) {
        if (from == talk->server) talk->serverEnded = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct DestroyClientWindow {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using ClientWindow = UniqueHandle<HWND, DestroyClientWindow>;

ClientWindow MakeClientWindow(Conversation& talk) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    if (!GetClassInfoW(instance, kClientClass, &windowClass)) {
        windowClass.lpfnWndProc = ClientWindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClientClass;
        RegisterClassW(&windowClass);
    }
    // A hidden top-level window: servers answer the window that asked.
    ClientWindow window(CreateWindowExW(0, kClientClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                        nullptr));
    if (window) SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&talk));
    return window;
}

DWORD Remaining(DWORD deadline) {
    const LONG left = static_cast<LONG>(deadline - GetTickCount());
    return left > 0 ? static_cast<DWORD>(left) : 0;
}

// Lets the thread's windows go on (the servers' answers among them) until `done` or the
// deadline; whether `done` came.
template <class Done>
bool KeepMessagesFlowingUntil(Done done, DWORD deadline) {
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // For the loop that waits for it.
                PostQuitMessage(static_cast<int>(message.wParam));
                return done();
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) return true;
        const DWORD left = Remaining(deadline);
        if (left == 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
    }
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

struct DeleteAtom {
    void operator()(ATOM atom) const { GlobalDeleteAtom(atom); }
};
using GlobalAtom = UniqueHandle<ATOM, DeleteAtom>;

GlobalAtom AtomOf(const std::string& name) {
    return GlobalAtom(name.empty() ? ATOM{} : GlobalAddAtomW(Widen(name).c_str()));
}

// Asks every top-level window, in turn and each for a bounded time, until one server
// takes the conversation or the deadline passes.
void Initiate(HWND client, Conversation& talk, const std::string& service, const std::string& topic,
              DWORD deadline) {
    const GlobalAtom serviceAtom = AtomOf(service), topicAtom = AtomOf(topic);
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        const DWORD left = Remaining(deadline);
        if (talk.server || left == 0) break;
        if (window == client) continue;
        SendMessageTimeoutW(window, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client),
                            MAKELPARAM(serviceAtom.get(), topicAtom.get()), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                            std::min(left, kWindowAnswerMs), nullptr);
    }
}

// The command in the memory the execute carries: UTF-16 when both windows take it,
// the ANSI code page otherwise.
HGLOBAL CommandMemory(const std::string& command, bool wide) {
    const std::wstring text = Widen(command);
    std::string ansi;
    if (!wide) {
        const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
        ansi.resize(static_cast<size_t>(std::max(size, 1)));
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), size, nullptr, nullptr);
    }
    const void* bytes = wide ? static_cast<const void*>(text.c_str()) : ansi.data();
    const size_t size = wide ? (text.size() + 1) * sizeof(wchar_t) : ansi.size();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!memory) return nullptr;
    CopyMemory(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    return memory;
}

DdeResult Execute(HWND client, Conversation& talk, const std::string& command, DWORD timeoutMs) {
    talk.answered = talk.accepted = false;
    HGLOBAL commands = CommandMemory(command, IsWindowUnicode(talk.server) && IsWindowUnicode(client));
    if (!commands) return DdeResult::NoAnswer;
    if (!PostMessageW(talk.server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client),
                      reinterpret_cast<LPARAM>(commands))) {
        GlobalFree(commands);
        return DdeResult::NoAnswer;
    }
    // Unanswered, the memory stays with the server, which may still read it.
    KeepMessagesFlowingUntil([&] { return talk.answered || talk.serverEnded; }, GetTickCount() + timeoutMs);
    if (!talk.answered) return DdeResult::NoAnswer;
    return talk.accepted ? DdeResult::Executed : DdeResult::Refused;
}

void Terminate(HWND client, Conversation& talk) {
    TellEnded(talk.server, client);
    KeepMessagesFlowingUntil([&] { return talk.serverEnded; }, GetTickCount() + kTerminateAnswerMs);
}

}  // namespace

DdeResult DdeExecuteEach(const std::string& service, const std::string& topic,
                         const std::vector<std::string>& commands, uint32_t timeoutMs) {
    Conversation talk;
    const ClientWindow client = MakeClientWindow(talk);
    if (!client) return DdeResult::NoConversation;
    Initiate(client.get(), talk, service, topic, GetTickCount() + timeoutMs);
    // No topic asks for any topic of the service. A server that answers only its own topic,
    // named after the service (as Wine's Program Manager does), is asked for that one.
    if (!talk.server && topic.empty()) Initiate(client.get(), talk, service, service, GetTickCount() + timeoutMs);
    if (!talk.server) return DdeResult::NoConversation;
    DdeResult result = DdeResult::Executed;
    for (const std::string& command : commands) {
        // A server that has ended the conversation takes no more commands.
        result = talk.serverEnded ? DdeResult::NoAnswer : Execute(client.get(), talk, command, timeoutMs);
        if (result != DdeResult::Executed) break;
    }
    Terminate(client.get(), talk);
    return result;
}

}  // namespace plat
