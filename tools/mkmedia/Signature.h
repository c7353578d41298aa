// The Authenticode signature of the media's INSTALL.EXE (SHA-256), made and checked by
// osslsigncode (Debian's package of that name), which mkmedia runs as it is.
#pragma once

#include <filesystem>
#include <string>

namespace mkmedia {

struct SigningRequest {
    std::filesystem::path certificate;   // a PKCS#12 file (.pfx) with the key
    std::filesystem::path passwordFile;  // its password, when it has one
    std::string timestampServer;         // an RFC 3161 time-stamp server, or empty
};

// Writes `to`, a signed copy of `from`. Empty when done; otherwise why it could not be.
std::string SignProgram(const SigningRequest& request, const std::filesystem::path& from,
                        const std::filesystem::path& to);

enum class SignatureState { Unsigned, Sound, Broken };

struct SignatureCheck {
    SignatureState state = SignatureState::Unsigned;
    std::string signer;   // "CN=..., O=..." of the signing certificate, when known
    std::string problem;  // why a signature does not verify
};

// `authority`: the certificate to trust as the signer's root (a self-signed one, say);
// empty: the system's certificate authorities.
SignatureCheck CheckSignature(const std::filesystem::path& program, const std::filesystem::path& authority);

}  // namespace mkmedia
