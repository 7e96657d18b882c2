#pragma once

// CStringArray: a growable array of CString. Reading past the end yields an
// empty text instead of undefined behaviour: feeds index several arrays by one
// row number, and a document may hold fewer values than rows.

#include <vector>

#include "framework/String.h"

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }

    const CString& GetAt(int nIndex) const
    {
        static const CString empty;
        if (nIndex < 0 || nIndex >= GetSize()) return empty;
        return m_items[static_cast<size_t>(nIndex)];
    }
    const CString& operator[](int nIndex) const { return GetAt(nIndex); }

    void SetAt(int nIndex, const CString& str)
    {
        if (nIndex >= 0 && nIndex < GetSize()) m_items[static_cast<size_t>(nIndex)] = str;
    }
    int Add(const CString& str)
    {
        m_items.push_back(str);
        return GetSize() - 1;
    }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<CString> m_items;
};
