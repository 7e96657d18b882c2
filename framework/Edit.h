#pragma once

#include "framework/Wnd.h"

// CEdit: a single-line edit box; its text is the window text.
class CEdit : public CWnd {};
