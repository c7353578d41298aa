#include "platform/win32/DdeClient.h"

#include <windows.h>
#include <ddeml.h>

#include "platform/win32/Win32Platform.h"

namespace plat {

namespace {

HDDEDATA CALLBACK IgnoreDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// A DDEML client instance, uninitialised on scope exit.
class DdeInstance {
public:
    DdeInstance() {
        if (DdeInitializeW(&id_, IgnoreDdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) id_ = 0;
    }
    ~DdeInstance() {
        if (id_) DdeUninitialize(id_);
    }
    DdeInstance(const DdeInstance&) = delete;
    DdeInstance& operator=(const DdeInstance&) = delete;
    DWORD id() const { return id_; }

private:
    DWORD id_ = 0;
};

// A string handle of one instance; an empty text is no handle (no topic).
class DdeString {
public:
    DdeString(const DdeInstance& instance, const std::string& text) : instance_(instance.id()) {
        if (instance_ && !text.empty()) handle_ = DdeCreateStringHandleW(instance_, Widen(text).c_str(), CP_WINUNICODE);
    }
    ~DdeString() {
        if (handle_) DdeFreeStringHandle(instance_, handle_);
    }
    DdeString(const DdeString&) = delete;
    DdeString& operator=(const DdeString&) = delete;
    HSZ get() const { return handle_; }

private:
    DWORD instance_;
    HSZ handle_ = nullptr;
};

// A client conversation, disconnected on scope exit.
class DdeConversation {
public:
    DdeConversation(const DdeInstance& instance, const DdeString& service, const DdeString& topic) {
        if (instance.id() && service.get()) handle_ = DdeConnect(instance.id(), service.get(), topic.get(), nullptr);
    }
    ~DdeConversation() {
        if (handle_) DdeDisconnect(handle_);
    }
    DdeConversation(const DdeConversation&) = delete;
    DdeConversation& operator=(const DdeConversation&) = delete;
    HCONV get() const { return handle_; }

private:
    HCONV handle_ = nullptr;
};

DdeResult Execute(const DdeInstance& instance, const DdeConversation& conversation, const std::string& command,
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
    return DdeGetLastError(instance.id()) == DMLERR_NOTPROCESSED ? DdeResult::Executed : DdeResult::NoAnswer;
}

}  // namespace

DdeResult DdeExecuteOnce(const std::string& service, const std::string& topic, const std::string& command,
                         uint32_t timeoutMs) {
    DdeInstance instance;
    DdeString serviceName(instance, service);
    DdeString topicName(instance, topic);
    DdeConversation conversation(instance, serviceName, topicName);
    if (conversation.get()) return Execute(instance, conversation, command, timeoutMs);
    if (!topic.empty()) return DdeResult::NoConversation;
    // No topic asks for any topic of the service. A server that answers only its own topic,
    // named after the service (as Wine's Program Manager does), is asked for that one.
    DdeString ownTopicName(instance, service);
    DdeConversation ownTopic(instance, serviceName, ownTopicName);
    if (ownTopic.get()) return Execute(instance, ownTopic, command, timeoutMs);
    return DdeResult::NoConversation;
}

}  // namespace plat
