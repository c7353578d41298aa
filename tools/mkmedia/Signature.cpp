#include "tools/mkmedia/Signature.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

#include "product/ProgramIdentity.h"
#include "tools/mkmedia/ToolRun.h"

namespace mkmedia {

namespace {

constexpr char kSigner[] = "osslsigncode";
constexpr char kSignerMissing[] = "osslsigncode is not installed (Debian package osslsigncode)";

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    const size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// The first line of the output that holds `marker`, trimmed; the first line with any
// text when `marker` is empty.
std::string LineWith(const std::string& output, const std::string& marker) {
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (!Trimmed(line).empty() && line.find(marker) != std::string::npos) return Trimmed(line);
    return {};
}

// A PE file keeps an Authenticode signature in its certificate table, data directory 4 of
// its optional header (Microsoft's PE format): a table of size 0 means no signature.
bool CarriesSignature(const std::filesystem::path& program) {
    std::ifstream in(program, std::ios::binary);
    std::vector<unsigned char> head(4096);
    in.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    head.resize(size_t(in.gcount()));
    auto number = [&](size_t at, int bytes) -> uint32_t {
        uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) value = value << 8 | (at + size_t(i) < head.size() ? head[at + size_t(i)] : 0);
        return value;
    };
    if (number(0, 2) != 0x5A4D) return false;  // "MZ"
    const size_t pe = number(0x3C, 4);
    if (number(pe, 4) != 0x00004550) return false;  // "PE\0\0"
    const size_t optional = pe + 24;
    const bool wide = number(optional, 2) == 0x20B;  // PE32+
    const uint32_t directories = number(optional + (wide ? 108 : 92), 4);
    constexpr uint32_t kCertificateTable = 4;
    return directories > kCertificateTable &&
           number(optional + (wide ? 112 : 96) + kCertificateTable * 8 + 4, 4) != 0;
}

// "CN=..., O=..." from a subject as osslsigncode prints it: "/C=RO/O=TORVEX/CN=TORVEX".
std::string SignerName(const std::string& subject) {
    std::string commonName, organisation;
    std::istringstream parts(subject);
    for (std::string part; std::getline(parts, part, '/');) {
        if (part.rfind("CN=", 0) == 0) commonName = part;
        if (part.rfind("O=", 0) == 0) organisation = part;
    }
    if (commonName.empty() || organisation.empty()) return commonName + organisation;
    return commonName + ", " + organisation;
}

}  // namespace

std::string SignProgram(const SigningRequest& request, const std::filesystem::path& from,
                        const std::filesystem::path& to) {
    std::vector<std::string> command = {kSigner, "sign", "-pkcs12", request.certificate.string(), "-h", "sha256",
                                        "-n", product::kDescription};
    if (!request.passwordFile.empty()) command.insert(command.end(), {"-readpass", request.passwordFile.string()});
    if (!request.timestampServer.empty()) command.insert(command.end(), {"-ts", request.timestampServer});
    command.insert(command.end(), {"-in", from.string(), "-out", to.string()});
    const ToolRun run = RunTool(command);
    if (!run.started) return kSignerMissing;
    if (run.status == 0 && std::filesystem::is_regular_file(to)) return {};
    std::error_code ignored;
    std::filesystem::remove(to, ignored);
    const std::string why = LineWith(run.output, "");
    return why.empty() ? "osslsigncode failed" : why;
}

SignatureCheck CheckSignature(const std::filesystem::path& program, const std::filesystem::path& authority) {
    SignatureCheck check;
    if (!CarriesSignature(program)) return check;
    check.state = SignatureState::Broken;
    std::vector<std::string> command = {kSigner, "verify"};
    if (!authority.empty()) command.insert(command.end(), {"-CAfile", authority.string()});
    command.insert(command.end(), {"-in", program.string()});
    const ToolRun run = RunTool(command);
    if (!run.started) {
        check.problem = kSignerMissing;
        return check;
    }
    // The signing certificate is the chain's first, "Signer #0"; its issuers may be listed too.
    const size_t signer = run.output.find("Signer #0:");
    const std::string subject = signer == std::string::npos ? "" : LineWith(run.output.substr(signer), "Subject:");
    if (!subject.empty())
        check.signer = SignerName(Trimmed(subject.substr(subject.find(':') + 1)));
    if (run.status == 0 && !LineWith(run.output, "Signature verification: ok").empty()) {
        check.state = SignatureState::Sound;
    } else if (!LineWith(run.output, "MISMATCH").empty()) {
        check.problem = "the file was changed after it was signed";
    } else if (std::string error = LineWith(run.output, "Error:"); !error.empty()) {
        check.problem = Trimmed(error.substr(error.find(':') + 1));
        if (authority.empty()) check.problem += "; --ca names the certificate to trust";
    } else {
        check.problem = "osslsigncode verify failed";
    }
    return check;
}

}  // namespace mkmedia
