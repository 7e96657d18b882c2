#include "feeds/ListFill.h"

void AppendRows(CListCtrl& list, const std::vector<core::Row>& rows)
{
    // Drawn once at the end: a repaint per cell made a long feed take minutes.
    list.SetRedraw(FALSE);
    for (const core::Row& row : rows) {
        if (row.empty()) continue;
        const int item = list.InsertItem(list.GetItemCount(), row[0].c_str());
        if (item < 0) break;
        for (size_t column = 1; column < row.size(); ++column) {
            list.SetItemText(item, static_cast<int>(column), row[column].c_str());
        }
    }
    list.SetRedraw(TRUE);
    list.Invalidate();
}

void KeepColumns(const std::vector<core::Row>& rows, std::initializer_list<CStringArray*> arrays)
{
    for (CStringArray* pArray : arrays) pArray->RemoveAll();
    for (const core::Row& row : rows) {
        size_t column = 0;
        for (CStringArray* pArray : arrays) {
            pArray->Add(column < row.size() ? CString(row[column]) : CString());
            ++column;
        }
    }
}

void ReplaceRows(CListCtrl& list, const std::vector<core::Row>& rows, std::initializer_list<CStringArray*> arrays)
{
    list.DeleteAllItems();
    KeepColumns(rows, arrays);
    AppendRows(list, rows);
}
