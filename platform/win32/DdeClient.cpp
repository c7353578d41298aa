#include "platform/win32/DdeClient.h"

#include <windows.h>
#include <ddeml.h>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace plat {

namespace {

HDDEDATA CALLBACK IgnoreDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

struct EndDdeInstance {
    void operator()(DWORD instance) const { DdeUninitialize(instance); }
};
struct FreeDdeString {
    DWORD instance = 0;
    void operator()(HSZ name) const { DdeFreeStringHandle(instance, name); }
};
struct EndConversation {
    void operator()(HCONV conversation) const { DdeDisconnect(conversation); }
};
using DdeInstance = UniqueHandle<DWORD, EndDdeInstance>;
using DdeString = UniqueHandle<HSZ, FreeDdeString>;
using DdeConversation = UniqueHandle<HCONV, EndConversation>;

// An empty text is no string handle (no topic).
DdeString MakeDdeString(DWORD instance, const std::string& text) {
    if (text.empty()) return DdeString();
    return DdeString(DdeCreateStringHandleW(instance, Widen(text).c_str(), CP_WINUNICODE), FreeDdeString{instance});
}

DdeConversation Connect(DWORD instance, const DdeString& service, const DdeString& topic) {
    return DdeConversation(DdeConnect(instance, service.get(), topic.get(), nullptr));
}

DdeResult Execute(DWORD instance, const DdeConversation& conversation, const std::string& command,
                  uint32_t timeoutMs) {
    // A synchronous transaction: DDEML keeps the thread's messages flowing while it waits.
    std::wstring text = Widen(command);
    HDDEDATA done = DdeClientTransaction(reinterpret_cast<BYTE*>(text.data()),
                                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
                                         conversation.get(), nullptr, CF_UNICODETEXT, XTYP_EXECUTE, timeoutMs,
                                         nullptr);
    if (done) return DdeResult::Executed;
    // A server that answered "not processed" did answer; anything else left the command
    // without an answer (the time-out above all).
    return DdeGetLastError(instance) == DMLERR_NOTPROCESSED ? DdeResult::Executed : DdeResult::NoAnswer;
}

}  // namespace

DdeResult DdeExecuteOnce(const std::string& service, const std::string& topic, const std::string& command,
                         uint32_t timeoutMs) {
    DWORD id = 0;
    if (DdeInitializeW(&id, IgnoreDdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return DdeResult::NoConversation;
    DdeInstance instance(id);
    DdeString serviceName = MakeDdeString(id, service);
    if (DdeConversation conversation = Connect(id, serviceName, MakeDdeString(id, topic)))
        return Execute(id, conversation, command, timeoutMs);
    if (!topic.empty()) return DdeResult::NoConversation;
    // No topic asks for any topic of the service. A server that answers only its own topic,
    // named after the service (as Wine's Program Manager does), is asked for that one.
    if (DdeConversation conversation = Connect(id, serviceName, MakeDdeString(id, service)))
        return Execute(id, conversation, command, timeoutMs);
    return DdeResult::NoConversation;
}

}  // namespace plat
