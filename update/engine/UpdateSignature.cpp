#include "update/engine/UpdateSignature.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <vector>

namespace {

// Base64 of a 16384-bit signature; anything longer is no signature of ours.
constexpr size_t kLongestSignatureText = 4096;
constexpr DWORD kReadChunk = 64 * 1024;

// Owns one CryptoAPI handle of each kind the check uses.
class CCryptProvider {
public:
    CCryptProvider()
    {
        if (!::CryptAcquireContextA(&m_hProv, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) m_hProv = 0;
    }
    ~CCryptProvider()
    {
        if (m_hProv) ::CryptReleaseContext(m_hProv, 0);
    }
    CCryptProvider(const CCryptProvider&) = delete;
    CCryptProvider& operator=(const CCryptProvider&) = delete;
    HCRYPTPROV m_hProv = 0;
};

class CCryptKey {
public:
    ~CCryptKey()
    {
        if (m_hKey) ::CryptDestroyKey(m_hKey);
    }
    HCRYPTKEY m_hKey = 0;
};

class CCryptHash {
public:
    ~CCryptHash()
    {
        if (m_hHash) ::CryptDestroyHash(m_hHash);
    }
    HCRYPTHASH m_hHash = 0;
};

// The certificate library, loaded only while a signature is checked: most runs
// check none, and it and the library it brings in cost about 5 MB of working set.
// From the system folder only: the program's own folder and the current one
// are where a planted copy would wait.
class CCrypt32 {
public:
    CCrypt32() : m_hModule(::LoadLibraryExA("crypt32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
    {
        if (!m_hModule) return;
        Find("CryptStringToBinaryA", m_pfnStringToBinary);
        Find("CryptDecodeObjectEx", m_pfnDecodeObjectEx);
        Find("CryptImportPublicKeyInfo", m_pfnImportPublicKeyInfo);
    }
    ~CCrypt32()
    {
        if (m_hModule) ::FreeLibrary(m_hModule);
    }
    CCrypt32(const CCrypt32&) = delete;
    CCrypt32& operator=(const CCrypt32&) = delete;

    bool IsLoaded() const { return m_pfnStringToBinary && m_pfnDecodeObjectEx && m_pfnImportPublicKeyInfo; }

    decltype(&::CryptStringToBinaryA) m_pfnStringToBinary = nullptr;
    decltype(&::CryptDecodeObjectEx) m_pfnDecodeObjectEx = nullptr;
    decltype(&::CryptImportPublicKeyInfo) m_pfnImportPublicKeyInfo = nullptr;

private:
    template <typename TFunction>
    void Find(const char* pszName, TFunction& pfn)
    {
        // Through the type that stands for any function, which the compiler accepts from and to every other.
        pfn = reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(::GetProcAddress(m_hModule, pszName)));
    }

    HMODULE m_hModule;
};

// The bytes of a base64 text (`flags`: with or without PEM header lines);
// empty when it does not decode.
std::vector<BYTE> DecodeBase64(const CCrypt32& crypt32, const std::string& text, DWORD flags)
{
    DWORD size = 0;
    if (text.empty() ||
        !crypt32.m_pfnStringToBinary(text.data(), static_cast<DWORD>(text.size()), flags, nullptr, &size, nullptr,
                                     nullptr) ||
        size == 0)
        return {};
    std::vector<BYTE> bytes(size);
    if (!crypt32.m_pfnStringToBinary(text.data(), static_cast<DWORD>(text.size()), flags, bytes.data(), &size,
                                     nullptr, nullptr))
        return {};
    bytes.resize(size);
    return bytes;
}

bool ImportPublicKey(const CCrypt32& crypt32, HCRYPTPROV hProv, const std::string& publicKeyPem, CCryptKey& key)
{
    const std::vector<BYTE> der = DecodeBase64(crypt32, publicKeyPem, CRYPT_STRING_BASE64HEADER);
    if (der.empty()) return false;
    CERT_PUBLIC_KEY_INFO* pInfo = nullptr;
    DWORD size = 0;
    if (!crypt32.m_pfnDecodeObjectEx(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, der.data(),
                                     static_cast<DWORD>(der.size()), CRYPT_DECODE_ALLOC_FLAG, nullptr, &pInfo, &size))
        return false;
    const BOOL imported = crypt32.m_pfnImportPublicKeyInfo(hProv, X509_ASN_ENCODING, pInfo, &key.m_hKey);
    ::LocalFree(pInfo);
    return imported != FALSE;
}

bool HashFile(HANDLE hFile, HCRYPTHASH hHash)
{
    LARGE_INTEGER start = {};
    if (!::SetFilePointerEx(hFile, start, nullptr, FILE_BEGIN)) return false;
    std::vector<BYTE> chunk(kReadChunk);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(hFile, chunk.data(), kReadChunk, &read, nullptr)) return false;
        if (read == 0) return true;
        if (!::CryptHashData(hHash, chunk.data(), read, 0)) return false;
    }
}

}  // namespace

std::string FileSha256Hex(HANDLE hFile)
{
    static const char kHex[] = "0123456789abcdef";
    const CCryptProvider provider;
    CCryptHash hash;
    BYTE digest[32] = {};
    DWORD size = sizeof(digest);
    if (!provider.m_hProv || !::CryptCreateHash(provider.m_hProv, CALG_SHA_256, 0, 0, &hash.m_hHash) ||
        !HashFile(hFile, hash.m_hHash) || !::CryptGetHashParam(hash.m_hHash, HP_HASHVAL, digest, &size, 0) ||
        size != sizeof(digest))
        return std::string();
    std::string hex;
    for (const BYTE byte : digest) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 0x0F];
    }
    return hex;
}

bool VerifyStatementSignature(const std::string& statement, const std::string& signatureBase64,
                              const std::string& publicKeyPem)
{
    if (signatureBase64.size() > kLongestSignatureText) return false;
    const CCrypt32 crypt32;
    if (!crypt32.IsLoaded()) return false;
    std::vector<BYTE> signature = DecodeBase64(crypt32, signatureBase64, CRYPT_STRING_BASE64);
    if (signature.empty()) return false;
    // CryptoAPI takes the signature as a little-endian number; openssl writes it big-endian.
    std::reverse(signature.begin(), signature.end());

    const CCryptProvider provider;
    CCryptKey key;
    CCryptHash hash;
    return provider.m_hProv && ImportPublicKey(crypt32, provider.m_hProv, publicKeyPem, key) &&
           ::CryptCreateHash(provider.m_hProv, CALG_SHA_256, 0, 0, &hash.m_hHash) &&
           ::CryptHashData(hash.m_hHash, reinterpret_cast<const BYTE*>(statement.data()),
                           static_cast<DWORD>(statement.size()), 0) &&
           ::CryptVerifySignatureA(hash.m_hHash, signature.data(), static_cast<DWORD>(signature.size()), key.m_hKey,
                                   nullptr, 0);
}
