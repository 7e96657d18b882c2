#pragma once

// The tests' side of the updater: the fake updater and its signatures that the
// build put beside the test program (update-site, see SignUpdater.cmake), its
// path on the stand-in, and the start it notes when it runs.

#include <windows.h>

#include <string>

namespace UpdaterSite {

constexpr const char kPath[] = "/app/stel7/update/stel7_update.exe";

// The fake updater's bytes.
std::string Bytes();
// Its signatures in base64: with the build's signing key, and with another
// key; both "" when the build has no key.
std::string GoodSignature();
std::string OtherKeySignature();
// True when the programs are built with a public key (and so ask for signatures).
bool HasBuiltInKey();

// The user's temporary folder with its trailing backslash, and the updater's
// place in it.
std::string TempDir();
std::string TargetPath();

// Serves `bytes` for kPath on the stand-in.
bool Serve(const std::string& bytes);

// Forgets an earlier start of the fake updater.
void ClearStart();
// The path the fake updater started from, waiting up to `ms` for it to note
// its start; "" when it did not start.
std::string WaitForStart(DWORD ms);

// Downloads left behind under unique names in the temporary folder; deleted
// when `remove` is set.
int LeftoverDownloads(bool remove = false);

// Whole-file helpers.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace UpdaterSite
