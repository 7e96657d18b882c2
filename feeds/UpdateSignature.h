#pragma once

// The vendor's signature over an updater, checked with the platform's own
// cryptography (CryptoAPI): an RSA PKCS#1 v1.5 signature over the SHA-256 of
// the file's bytes, as `openssl dgst -sha256 -sign` makes it, sent in the
// update document in base64.

#include <string>

// True only when `signatureBase64` decodes to a signature over the bytes of
// the file at `path` that verifies against `publicKeyPem` (a public key as
// `openssl rsa -pubout` writes it). An empty, malformed or oversized
// signature, a key that does not decode and a file that cannot be read all
// give false.
bool VerifyFileSignature(const std::string& path, const std::string& signatureBase64,
                         const std::string& publicKeyPem);
