#pragma once

// Owns one file handle from CreateFile and closes it.

#include <windows.h>

class CFileHandle {
public:
    CFileHandle() = default;
    explicit CFileHandle(HANDLE hFile) : m_hFile(hFile) {}
    ~CFileHandle() { Close(); }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    HANDLE Get() const { return m_hFile; }
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    void Reset(HANDLE hFile)
    {
        Close();
        m_hFile = hFile;
    }
    void Close()
    {
        if (IsOpen()) ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};
