#pragma once

// The vendor's signature over an updater's statement (core/UpdateStatement.h),
// checked with the platform's own cryptography (CryptoAPI): an RSA PKCS#1
// v1.5 signature over the SHA-256 of the statement's bytes, as
// `openssl dgst -sha256 -sign` makes it, sent in the update document in base64.

#include <windows.h>

#include <string>

// The lowercase hex SHA-256 of everything the file behind `hFile` holds, read
// from its start; "" when it cannot be read.
std::string FileSha256Hex(HANDLE hFile);

// True only when `signatureBase64` decodes to a signature over the bytes of
// `statement` that verifies against `publicKeyPem` (a public key as
// `openssl rsa -pubout` writes it). An empty, malformed or oversized
// signature and a key that does not decode give false.
bool VerifyStatementSignature(const std::string& statement, const std::string& signatureBase64,
                              const std::string& publicKeyPem);
