#pragma once

// Puts a replacement in place of one function this test program imports from
// a system library, for the patch's lifetime: how a test makes one platform
// call fail where no real condition makes it fail alone (one registry value
// of a key that takes the others). The program's code linked into the test
// program calls through the same import table.

#include <windows.h>

class ImportPatch {
public:
    // `pszDll` as the import table names it ("ADVAPI32.dll"), case ignored.
    ImportPatch(const char* pszDll, const char* pszFunction, void* pReplacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // The function replaced, for the replacement to call; null when nothing was patched.
    void* Original() const { return m_pOriginal; }

private:
    void Write(void* pValue);

    void** m_ppSlot = nullptr;
    void* m_pOriginal = nullptr;
};
