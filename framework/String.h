#pragma once

// CString: 8-bit text in the Korean code page (CP949), the way the program's
// users' systems hold it. Positions and lengths count bytes; searches match
// only where a character starts, so a trail byte of a Hangul syllable is never
// taken for an ASCII letter. Out-of-range positions are clamped, never read.
// Platform-neutral: it builds natively for the unit tests as well.

#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz);
    CString(const char* pch, int nLength);
    CString(char ch, int nRepeat = 1);
    CString(std::string str) : m_str(std::move(str)) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    operator const char*() const { return m_str.c_str(); }
    const char* GetString() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }

    // The byte at nIndex; 0 outside the text.
    char GetAt(int nIndex) const;

    CString& operator=(const char* psz);
    CString& operator+=(const CString& str);
    CString& operator+=(const char* psz);
    CString& operator+=(char ch);

    int Compare(const char* psz) const;

    // Position of the first match at or after nStart, or -1.
    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;
    // Position of the last occurrence of ch, or -1.
    int ReverseFind(char ch) const;

    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;

    // Replaces every occurrence; returns how many were replaced.
    int Replace(const char* pszOld, const char* pszNew);
    // Removes every occurrence of ch; returns how many were removed.
    int Remove(char ch);
    // Deletes nCount bytes from nIndex; returns the new length.
    int Delete(int nIndex, int nCount = 1);

    void Format(const char* pszFormat, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void FormatV(const char* pszFormat, va_list args);

    // A writable buffer of at least nMinLength bytes plus the terminating zero,
    // for platform calls that fill text; ReleaseBuffer(-1) takes the length up
    // to the first zero.
    char* GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator<(const CString& a, const CString& b);
