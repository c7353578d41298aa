// Programs the virtual machine is asked to start, and its DDE server: mapped to handlers
// or written in the journals.
#include "platform/host/HostPlatform.h"

#include <algorithm>
#include <fstream>

#include "platform/Paths.h"

namespace plat {

namespace {

std::string FirstToken(const std::string& commandLine) {
    size_t start = commandLine.find_first_not_of(' ');
    if (start == std::string::npos) return {};
    if (commandLine[start] == '"') {
        size_t end = commandLine.find('"', start + 1);
        return commandLine.substr(start + 1, end == std::string::npos ? std::string::npos
                                                                      : end - start - 1);
    }
    size_t end = commandLine.find(' ', start);
    return commandLine.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string ProgramKey(const std::string& token) {
    std::string name = ToUpperAscii(ExtractFileName(token));
    if (name.size() > 4 && name.substr(name.size() - 4) == ".EXE") name.resize(name.size() - 4);
    return name;
}

}  // namespace

void HostPlatform::MapProgram(const std::string& name, ProgramHandler handler) {
    programs_[ProgramKey(name)] = std::move(handler);
}

// Runs a mapped program, or records one whose file exists; nullopt when nothing can start.
std::optional<int64_t> HostPlatform::Run(const std::string& asGiven) {
    // As the real system starts it: paths on letters this program does not see, on their shares.
    const std::string commandLine = unseenLetters_.ReachInCommandLine(asGiven);
    if (commandLine.size() > maxCommandLine_) return std::nullopt;
    std::string program = FirstToken(commandLine);
    auto mapped = programs_.find(ProgramKey(program));
    if (mapped != programs_.end()) {
        Note("RUN " + commandLine);
        return mapped->second(commandLine);
    }
    std::string withExe = program;
    if (ExtractFileName(program).find('.') == std::string::npos) withExe += ".EXE";
    if (!FileExists(program) && !FileExists(withExe)) return std::nullopt;
    Note("RUN " + commandLine);
    return 0;
}

bool HostPlatform::StartProgram(const std::string& commandLine, int /*showMode*/) {
    return Run(commandLine).has_value();
}

int64_t HostPlatform::RunAndWait(const std::string& commandLine, int /*showMode*/) {
    return Run(commandLine).value_or(-1);
}

ElevatedRun HostPlatform::StartElevated(const std::string& program, const std::string& parameters, int /*showMode*/,
                                        bool wait) {
    if (refuseElevation_) return {ElevatedStart::Refused, -1};
    const std::string commandLine = QuotedIfBlank(program) + (parameters.empty() ? "" : " " + parameters);
    if (!FileExists(program) && !programs_.count(ProgramKey(program))) return {ElevatedStart::Failed, -1};
    Note("RUNAS " + commandLine);
    const auto mapped = programs_.find(ProgramKey(program));
    const int64_t exitCode = mapped == programs_.end() ? 0 : mapped->second(commandLine);
    return {ElevatedStart::Started, wait ? exitCode : -1};
}

DdeResult HostPlatform::DdeExecute(const std::string& service, const std::string& topic,
                                   const std::vector<std::string>& commands, uint32_t timeoutMs) {
    if (ddeBehaviour_ == DdeResult::NoConversation) return ddeBehaviour_;
    // A server that does not carry a command out hears no more of the conversation.
    const size_t reached = ddeBehaviour_ == DdeResult::Executed ? commands.size() : std::min<size_t>(commands.size(), 1);
    ddeJournal_.push_back({service, topic, {commands.begin(), commands.begin() + reached}, timeoutMs});
    std::ofstream out(root_ + "/dde.txt", std::ios::app | std::ios::binary);
    out << service << "|" << topic << "\n";
    for (size_t i = 0; i < reached; ++i) out << commands[i] << "\n";
    return ddeBehaviour_;
}

}  // namespace plat
