#include "framework/String.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/Cp949.h"

namespace {

size_t ClampIndex(int n, size_t size)
{
    if (n < 0) return 0;
    return std::min(static_cast<size_t>(n), size);
}

int ToPosition(size_t pos)
{
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

}  // namespace

CString::CString(const char* psz) : m_str(psz ? psz : "") {}

CString::CString(const char* pch, int nLength)
{
    if (pch && nLength > 0) m_str.assign(pch, static_cast<size_t>(nLength));
}

CString::CString(char ch, int nRepeat)
{
    if (nRepeat > 0) m_str.assign(static_cast<size_t>(nRepeat), ch);
}

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength()) return 0;
    return m_str[static_cast<size_t>(nIndex)];
}

CString& CString::operator=(const char* psz)
{
    m_str = psz ? psz : "";
    return *this;
}

CString& CString::operator+=(const CString& str)
{
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(const char* psz)
{
    if (psz) m_str += psz;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_str += ch;
    return *this;
}

int CString::Compare(const char* psz) const
{
    const int n = std::strcmp(m_str.c_str(), psz ? psz : "");
    return (n > 0) - (n < 0);
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart > GetLength()) return -1;
    return ToPosition(core::FindChar(m_str, ch, static_cast<size_t>(nStart)));
}

int CString::Find(const char* pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength()) return -1;
    return ToPosition(core::FindText(m_str, pszSub, static_cast<size_t>(nStart)));
}

int CString::ReverseFind(char ch) const
{
    int last = -1;
    for (int pos = Find(ch); pos >= 0; pos = Find(ch, pos + 1)) last = pos;
    return last;
}

CString CString::Left(int nCount) const
{
    return CString(m_str.substr(0, ClampIndex(nCount, m_str.size())));
}

CString CString::Right(int nCount) const
{
    const size_t n = ClampIndex(nCount, m_str.size());
    return CString(m_str.substr(m_str.size() - n));
}

CString CString::Mid(int nFirst) const
{
    return CString(m_str.substr(ClampIndex(nFirst, m_str.size())));
}

CString CString::Mid(int nFirst, int nCount) const
{
    const size_t first = ClampIndex(nFirst, m_str.size());
    return CString(m_str.substr(first, ClampIndex(nCount, m_str.size() - first)));
}

int CString::Replace(const char* pszOld, const char* pszNew)
{
    if (!pszOld || !*pszOld) return 0;
    const std::string from(pszOld);
    const std::string to(pszNew ? pszNew : "");
    int count = 0;
    for (size_t pos = core::FindText(m_str, from); pos != std::string::npos;
         pos = core::FindText(m_str, from, pos + to.size())) {
        m_str.replace(pos, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Remove(char ch)
{
    std::string kept;
    int count = 0;
    for (size_t pos = 0; pos < m_str.size();) {
        const size_t len = core::CharLengthAt(m_str, pos);
        if (len == 1 && m_str[pos] == ch) {
            ++count;
        } else {
            kept.append(m_str, pos, len);
        }
        pos += len;
    }
    m_str.swap(kept);
    return count;
}

int CString::Delete(int nIndex, int nCount)
{
    const size_t first = ClampIndex(nIndex, m_str.size());
    m_str.erase(first, ClampIndex(nCount, m_str.size() - first));
    return GetLength();
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, pszFormat, measure);
    va_end(measure);
    if (needed < 0) {
        m_str.clear();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
    m_str.assign(buffer.data(), static_cast<size_t>(needed));
}

char* CString::GetBuffer(int nMinLength)
{
    if (nMinLength > 0 && m_str.size() < static_cast<size_t>(nMinLength)) {
        m_str.resize(static_cast<size_t>(nMinLength));
    }
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0) {
        m_str.resize(std::strlen(m_str.c_str()));
    } else {
        m_str.resize(ClampIndex(nNewLength, m_str.size()));
    }
}

CString operator+(const CString& a, const CString& b) { return CString(a.Str() + b.Str()); }
CString operator+(const CString& a, const char* b) { return CString(a.Str() + (b ? b : "")); }
CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.Str()); }
CString operator+(const CString& a, char b) { return CString(a.Str() + b); }
bool operator==(const CString& a, const CString& b) { return a.Str() == b.Str(); }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Str() < b.Str(); }
