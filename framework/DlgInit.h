#pragma once

// A dialog's initialisation data (see core/DlgInit.h): the items its list
// boxes and combo boxes start with. Every dialog runs it before its controls
// are bound, as the classic framework does.

#include <windows.h>

// Adds each item stored under the template's id (resource type 240) to its
// control of hDlg. A template without such data adds nothing; damaged data
// adds the items before the damage.
void ExecuteDlgInit(HWND hDlg, UINT nIDTemplate);
