#pragma once

// The user's diagnostic log: one line per failure that the screen does not
// show (a network call that failed, a download refused with its verdict, a
// registry write that failed, the boot agent's decision), so that "the
// update never comes" can be answered. Each program writes its own file under
// the user's local application data; a file past its cap is renamed to
// "<name>.1" (replacing the older one) and a new one begun. Nothing on the
// screen changes, and a log that cannot be written is silently skipped.
// Any thread.

#include <string>

// Where the program's lines go: %LOCALAPPDATA%\<folder>\<file>. Until this is
// called, lines are dropped.
void OpenDiagnosticLog(const char* pszFolder, const char* pszFile);
// Appends "<local time> <thread> <what>" as one line (line breaks in `what`
// become spaces).
void LogDiagnostic(const std::string& strWhat);
// The log's path; "" before OpenDiagnosticLog or without local application data.
std::string DiagnosticLogPath();

// Past this size a log is rotated.
inline constexpr unsigned long kDiagnosticLogCap = 256 * 1024;
