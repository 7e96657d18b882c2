#pragma once

// What a process holds of the window system, counted as the platform keeps
// it. Wine's GetGuiResources always answers 0, so the GDI objects are counted
// in the process's handle table (the PEB's GdiSharedHandleTable, in Wine's
// layout), and the windows by walking them.

// Live GDI objects of this process (stock objects included); -1 when the
// table cannot be found.
int LiveGdiObjects();

// Windows of this process: top-level, message-only and all their descendants.
int ProcessWindows();
