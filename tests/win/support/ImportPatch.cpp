#include "tests/win/support/ImportPatch.h"

#include <cstring>

ImportPatch::ImportPatch(const char* pszDll, const char* pszFunction, void* pReplacement)
{
    auto* pBase = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    const auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* pDll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + imports.VirtualAddress);
         imports.VirtualAddress && pDll->Name; ++pDll) {
        if (::lstrcmpiA(reinterpret_cast<const char*>(pBase + pDll->Name), pszDll) != 0) continue;
        auto* pNames = reinterpret_cast<const IMAGE_THUNK_DATA*>(pBase + pDll->OriginalFirstThunk);
        auto* pSlots = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDll->FirstThunk);
        for (; pNames->u1.AddressOfData; ++pNames, ++pSlots) {
            if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal)) continue;
            const auto* pName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(pBase + pNames->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(pName->Name), pszFunction) != 0) continue;
            m_ppSlot = reinterpret_cast<void**>(&pSlots->u1.Function);
            m_pOriginal = *m_ppSlot;
            Write(pReplacement);
            return;
        }
    }
}

ImportPatch::~ImportPatch()
{
    if (m_ppSlot) Write(m_pOriginal);
}

void ImportPatch::Write(void* pValue)
{
    DWORD dwOld = 0;
    if (!::VirtualProtect(m_ppSlot, sizeof(void*), PAGE_READWRITE, &dwOld)) return;
    *m_ppSlot = pValue;
    ::VirtualProtect(m_ppSlot, sizeof(void*), dwOld, &dwOld);
}
