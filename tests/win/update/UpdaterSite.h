#pragma once

// The tests' side of the updater: the start recorder and its signatures that
// the build put beside the test program (update-site, see SignUpdater.cmake),
// its path on the stand-in, the build the tests announce, and the place it is
// started from.

#include <windows.h>

#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <thread>

#include "core/UpdateStatement.h"
#include "update/engine/UpdateLock.h"
#include "update/engine/VerifiedDownload.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/StandInTest.h"

namespace UpdaterSite {

constexpr const char kPath[] = "/app/stel7/update/stel7_update.exe";
// The build the tests announce; the installed builds are 194.
constexpr const char kBuild[] = "195";

inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    return static_cast<bool>(std::ofstream(path, std::ios::binary) << bytes);
}

// The updater (stel7_update.exe) or one of its base64 signatures (NAME.sig,
// see SignUpdater.cmake); the signatures are "" without a key.
inline std::string SiteFile(const char* pszName)
{
    return ReadFileBytes(TestProgramDir() + "update-site\\" + pszName);
}

inline std::string FolderPath() { return TempDir() + kUpdaterFolder; }
inline std::string TargetPath() { return FolderPath() + kUpdaterFileName; }
inline bool MakeFolder()
{
    return ::CreateDirectoryA(FolderPath().c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

// The main program's updater as the document announces it.
inline UpdaterSource ProgramUpdater(const std::string& signature)
{
    return {core::kProgramRole, kBuild, StandIn::Url(kPath), signature};
}

inline bool Serve(const std::string& bytes) { return StandIn::SetDocument(kPath, bytes); }

// The path the updater started from, waiting up to `ms`; "" when it did not start.
inline std::string WaitForStart(DWORD ms)
{
    for (DWORD waited = 0; RecordedStart("stel7_update.exe").empty() && waited < ms; waited += 50) ::Sleep(50);
    return RecordedStart("stel7_update.exe");
}

// Downloads left behind under unique names in the updater's folder, deleted when `remove` is set.
inline int LeftoverDownloads(bool remove = false)
{
    WIN32_FIND_DATAA data = {};
    const HANDLE hFind = ::FindFirstFileA((FolderPath() + kPartFilePrefix + "*.tmp").c_str(), &data);
    int count = 0;
    for (bool more = hFind != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(hFind, &data)) {
        ++count;
        if (remove) ::DeleteFileA((FolderPath() + data.cFileName).c_str());
    }
    if (hFind != INVALID_HANDLE_VALUE) ::FindClose(hFind);
    return count;
}

// The other program (the boot agent, say) holding the update lock, on a
// thread of its own: a mutex taken by this thread would be taken again by it.
class OtherProgram {
public:
    OtherProgram()
        : m_thread([this] {
              CUpdateLock lock;
              m_taken.set_value(lock.Take());
              m_release.get_future().wait();
          })
    {
        m_bHeld = m_taken.get_future().get();
    }
    ~OtherProgram() { Release(); }
    bool Holds() const { return m_bHeld; }
    void Release()
    {
        if (!m_thread.joinable()) return;
        m_release.set_value();
        m_thread.join();
    }

private:
    std::promise<bool> m_taken;
    std::promise<void> m_release;
    bool m_bHeld = false;
    std::thread m_thread;
};

// Starts and ends with the updater served, no start recorded and no file at
// the updater's place or left from a download.
class UpdaterTest : public StandInTest {
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        Clean();
        ASSERT_TRUE(Serve(SiteFile("stel7_update.exe")));
    }
    void TearDown() override
    {
        Clean();
        StandInTest::TearDown();
    }
    static void Clean()
    {
        ClearRecordedStarts();
        LeftoverDownloads(true);
        ::DeleteFileA(TargetPath().c_str());
    }
};

}  // namespace UpdaterSite
