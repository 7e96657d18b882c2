#include "server/Signature.h"

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <cstdio>
#include <vector>

namespace vendor {

namespace {

struct BioDeleter
{
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct ContextDeleter
{
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

template <typename Read>
Key LoadKey(const std::string& path, const char* what, Read read, std::string& error)
{
    const std::unique_ptr<BIO, BioDeleter> file(BIO_new_file(path.c_str(), "r"));
    Key key(file ? read(file.get()) : nullptr);
    if (!key)
        error = path + ": no " + what + " in PEM form";
    else if (!EVP_PKEY_is_a(key.get(), "RSA"))
    {
        error = path + ": not an RSA key (the programs check RSA signatures)";
        key.reset();
    }
    return key;
}

}  // namespace

void KeyDeleter::operator()(evp_pkey_st* key) const
{
    EVP_PKEY_free(key);
}

Key LoadPrivateKey(const std::string& path, std::string& error)
{
    return LoadKey(
        path, "private key", [](BIO* bio) { return PEM_read_bio_PrivateKey(bio, nullptr, nullptr, nullptr); }, error);
}

Key LoadPublicKey(const std::string& path, std::string& error)
{
    return LoadKey(
        path, "public key", [](BIO* bio) { return PEM_read_bio_PUBKEY(bio, nullptr, nullptr, nullptr); }, error);
}

bool KeysMatch(const Key& privateKey, const Key& publicKey)
{
    return EVP_PKEY_eq(privateKey.get(), publicKey.get()) == 1;
}

std::string Sha256Hex(const std::string& bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1)
        return std::string();
    std::string hex;
    for (unsigned int i = 0; i < length; ++i)
    {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

std::string Statement(const std::string& role, const std::string& build, const std::string& sha256Hex)
{
    return role + " " + build + " " + sha256Hex;
}

std::string SignBase64(const Key& privateKey, const std::string& text)
{
    const std::unique_ptr<EVP_MD_CTX, ContextDeleter> context(EVP_MD_CTX_new());
    size_t length = 0;
    // An RSA key signs with PKCS#1 v1.5 padding unless told otherwise.
    if (!context || EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, privateKey.get()) != 1 ||
        EVP_DigestSign(context.get(), nullptr, &length, reinterpret_cast<const unsigned char*>(text.data()),
                       text.size()) != 1)
        return std::string();
    std::vector<unsigned char> signature(length);
    if (EVP_DigestSign(context.get(), signature.data(), &length, reinterpret_cast<const unsigned char*>(text.data()),
                       text.size()) != 1)
        return std::string();
    std::string base64(4 * ((length + 2) / 3) + 1, '\0');
    const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(base64.data()), signature.data(),
                                        static_cast<int>(length));
    base64.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return base64;
}

}  // namespace vendor
