#pragma once

// Moving a feed's rows into its list view and column arrays.

#include <initializer_list>
#include <vector>

#include "core/FeedRows.h"
#include "framework/ListCtrl.h"
#include "framework/StringArray.h"

// Appends each row at the end of the list (its first cell as the item, the
// others on that last row). A row the list refuses ends the filling; the rows
// added so far stay.
void AppendRows(CListCtrl& list, const std::vector<core::Row>& rows);

// Empties the arrays, then keeps cell k of every row in the k-th array.
void KeepColumns(const std::vector<core::Row>& rows, std::initializer_list<CStringArray*> arrays);

// The list and the arrays hold exactly these rows afterwards.
void ReplaceRows(CListCtrl& list, const std::vector<core::Row>& rows, std::initializer_list<CStringArray*> arrays = {});
