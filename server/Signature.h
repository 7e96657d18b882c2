#pragma once

// The vendor's signing, with OpenSSL's library: the statement a program
// checks before it starts an updater is "ROLE BUILD SHA256" (ASCII, single
// spaces, no line end; SHA256 the lowercase hex digest of the updater),
// signed RSA PKCS#1 v1.5 with SHA-256 and written in base64.

#include <memory>
#include <string>

struct evp_pkey_st;

namespace vendor {

struct KeyDeleter
{
    void operator()(evp_pkey_st* key) const;
};
using Key = std::unique_ptr<evp_pkey_st, KeyDeleter>;

// An RSA private key from a PEM file; nullptr with the reason.
Key LoadPrivateKey(const std::string& path, std::string& error);
// An RSA public key from a PEM file as `openssl rsa -pubout` writes it.
Key LoadPublicKey(const std::string& path, std::string& error);

bool KeysMatch(const Key& privateKey, const Key& publicKey);

std::string Sha256Hex(const std::string& bytes);

std::string Statement(const std::string& role, const std::string& build, const std::string& sha256Hex);

// Base64 of the signature over `text`; empty when signing failed.
std::string SignBase64(const Key& privateKey, const std::string& text);

}  // namespace vendor
