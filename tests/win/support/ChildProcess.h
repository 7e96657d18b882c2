#pragma once

// A program the test starts and, whatever happens, ends again; the record of
// programs started that StartRecorder writes; and the folders and files the
// tests place programs in.

#include <windows.h>

#include <string>

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program at `path` with `arguments` after it on its command line.
    bool Start(const std::string& path, const std::string& arguments = std::string());
    // True when the process has ended within ms.
    bool WaitExit(DWORD ms);
    DWORD Id() const { return m_pi.dwProcessId; }
    DWORD ThreadId() const { return m_pi.dwThreadId; }
    HANDLE Handle() const { return m_pi.hProcess; }
    // The exit code of an ended process (STILL_ACTIVE while it runs).
    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_pi.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_pi = {};
};

// Ends the programs named `exeName` ("iexplore.exe") that this process
// started, itself or through the shell; returns how many there were.
int EndStartedPrograms(const char* exeName);

// The text value `name` under HKCU\`key`, or "" when there is none.
std::string RegistryText(const char* key, const char* name);

// The full path the recorder started as `name` wrote, or "" when none did.
std::string RecordedStart(const std::string& name);
void ClearRecordedStarts();

// The folder the test program lives in, with its trailing backslash.
std::string TestProgramDir();
// The user's temporary folder, with its trailing backslash.
std::string TempDir();
bool FileExists(const std::string& path);
