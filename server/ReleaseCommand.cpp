#include "server/ReleaseCommand.h"

#include "server/AtomicFile.h"
#include "server/ContentFolder.h"
#include "server/Signature.h"
#include "server/UpdateDocument.h"

#include <cstdint>
#include <iostream>
#include <optional>

namespace vendor {

namespace {

constexpr const char kUpdateDocument[] = "/app/stel7/update/update.xml";

struct RoleElements
{
    const char* role;
    const char* version;
    const char* url;
    const char* signature;
};
constexpr RoleElements kRoles[] = {
    {"stel7", "update_ver", "update_url", "update_sig"},
    {"stel7agent", "agent_ver", "agent_url", "agent_sig"},
};

const RoleElements* FindRole(const std::string& role)
{
    for (const RoleElements& elements : kRoles)
    {
        if (role == elements.role)
            return &elements;
    }
    return nullptr;
}

// Decimal, no sign, no leading zeros, and no larger than the programs' 32-bit reading.
bool IsBuildNumber(const std::string& text)
{
    return !text.empty() && text.size() <= 10 && text[0] != '0' &&
           text.find_first_not_of("0123456789") == std::string::npos && std::stoll(text) <= INT32_MAX;
}

// The path part of an http(s) URL, when it is a safe path under the content
// folder; nullopt otherwise (a query, a fragment, an unsafe path).
std::optional<std::string> UrlPath(const std::string& url)
{
    for (const char* scheme : {"http://", "https://"})
    {
        const std::string prefix = scheme;
        if (url.compare(0, prefix.size(), prefix) != 0)
            continue;
        const size_t slash = url.find('/', prefix.size());
        if (slash == std::string::npos || slash == prefix.size() ||
            url.find_first_of("?#", prefix.size()) != std::string::npos)
            return std::nullopt;
        const std::string path = url.substr(slash);
        const std::optional<std::string> relative = SafeRelativePath(path);
        if (!relative || relative->empty() || relative->back() == '/')
            return std::nullopt;
        return "/" + *relative;
    }
    return std::nullopt;
}

int Refuse(const std::string& reason)
{
    std::cerr << "stel7-server release: refused: " << reason << "; nothing was changed" << std::endl;
    return 1;
}

}  // namespace

bool IsWindowsProgram(const std::string& bytes)
{
    if (bytes.size() < 0x40 || bytes.compare(0, 2, "MZ") != 0)
        return false;
    const auto byte = [&bytes](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])); };
    const uint32_t header = byte(0x3c) | byte(0x3d) << 8 | byte(0x3e) << 16 | byte(0x3f) << 24;
    // The PE signature and the file header after it (20 bytes) lie inside the file.
    return header >= 0x40 && header <= bytes.size() - 24 && bytes.compare(header, 4, std::string("PE\0\0", 4)) == 0;
}

int Release(const ReleaseOptions& options)
{
    const RoleElements* role = FindRole(options.role);
    if (!role)
        return Refuse("--role must be stel7 or stel7agent");
    if (!IsBuildNumber(options.build))
        return Refuse("--build must be a decimal number without sign or leading zeros, at most 2147483647");
    const std::optional<std::string> urlPath = UrlPath(options.url);
    if (!urlPath || *urlPath == kUpdateDocument)
        return Refuse("--url must be an http:// address whose path is a plain file name under the content folder");
    std::string error;
    ContentFolder content;
    if (!content.Open(options.content, error))
        return Refuse(error);

    std::string updater;
    if (!ReadFile(options.file, updater))
        return Refuse("cannot read " + options.file);
    if (updater.size() > kMaxUpdaterSize || !IsWindowsProgram(updater))
        return Refuse(options.file + " is not a Windows program (MZ and PE headers) of at most 64 MB");

    const Key privateKey = LoadPrivateKey(options.key, error);
    if (!privateKey)
        return Refuse(error);
    const Key publicKey = LoadPublicKey(options.publicKey, error);
    if (!publicKey)
        return Refuse(error);
    if (!KeysMatch(privateKey, publicKey))
        return Refuse(options.key + " is not the private half of " + options.publicKey +
                      ": the programs built with that key would refuse this release");

    const std::string documentPath = content.Root() + kUpdateDocument;
    std::string text;
    const bool hadDocument = ReadFile(documentPath, text);
    std::optional<UpdateDocument> document = UpdateDocument::Parse(hadDocument ? text : std::string(), error);
    if (!document)
        return Refuse(documentPath + ": " + error);
    const long long published = ProgramNumber(document->Last(role->version).value_or(std::string()));
    if (std::stoll(options.build) <= published)
        return Refuse("build " + options.build + " is not newer than the published build " + std::to_string(published));

    // Both programs may share one updater file; replacing it would break the
    // other program's signature.
    const std::string target = content.Root() + *urlPath;
    for (const RoleElements& other : kRoles)
    {
        const std::optional<std::string> otherUrl = document->Last(other.url);
        std::string existing;
        if (&other != role && otherUrl && UrlPath(*otherUrl) == urlPath && ReadFile(target, existing) &&
            existing != updater)
            return Refuse(options.url + " is " + other.role + "'s published updater; give this one a path of its own");
    }

    const std::string hash = Sha256Hex(updater);
    const std::string signature = SignBase64(privateKey, Statement(options.role, options.build, hash));
    if (hash.empty() || signature.empty())
        return Refuse("signing failed");
    document->Set({{role->version, options.build}, {role->url, options.url}, {role->signature, signature}});

    if (!WriteFileAtomically(target, updater, error) || !WriteFileAtomically(documentPath, document->Text(), error))
    {
        std::cerr << "stel7-server release: " << error << std::endl;
        return 1;
    }
    std::cout << "published " << options.role << " build " << options.build << ": " << options.url << " (sha256 "
              << hash << ")" << std::endl;
    return 0;
}

}  // namespace vendor
