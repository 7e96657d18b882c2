#include "framework/TabCtrl.h"

int CTabCtrl::InsertItem(int nItem, const char* pszText)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(pszText ? pszText : "");
    return static_cast<int>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CTabCtrl::GetItemText(int nItem) const
{
    char buffer[260] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    if (!SendMessage(TCM_GETITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item))) return CString();
    return CString(item.pszText);
}
