#include "String.h"
#include "WinApp.h"
#include <mbstring.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {
char g_emptyText[1] = "";
}

const char* NextCharacter(const char* text)
{
    return text + (_ismbblead((unsigned char)*text) && text[1] ? 2 : 1);
}

CString::CString() : m_pData(g_emptyText), m_nLength(0), m_nCapacity(0) {}

CString::CString(const CString& other) : CString() { Assign(other.m_pData, other.m_nLength); }

CString::CString(const char* text) : CString() { *this = text; }

CString::~CString()
{
    if (m_nCapacity)
        free(m_pData);
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        Assign(other.m_pData, other.m_nLength);
    return *this;
}

CString& CString::operator=(const char* text)
{
    Assign(text ? text : "", text ? (int)strlen(text) : 0);
    return *this;
}

CString& CString::operator+=(const char* text)
{
    int added = (int)strlen(text);
    if (Reserve(m_nLength + added)) {
        memmove(m_pData + m_nLength, text, added + 1);
        m_nLength += added;
    }
    return *this;
}

CString operator+(const CString& left, const char* right)
{
    CString result(left);
    result += right;
    return result;
}

void CString::Empty() { Assign("", 0); }

void CString::Assign(const char* text, int length)
{
    if (m_nCapacity && text >= m_pData && text <= m_pData + m_nLength) {
        // Assigning a part of ourselves: copy it out first.
        CString copy;
        copy.Assign(text, length);
        *this = copy;
        return;
    }
    if (!Reserve(length))
        return;
    memcpy(m_pData, text, length);
    m_pData[length] = 0;
    m_nLength = length;
}

BOOL CString::Reserve(int capacity)
{
    if (capacity <= m_nCapacity && m_nCapacity)
        return TRUE;
    int grown = capacity < 32 ? 32 : capacity + capacity / 2;
    char* data = (char*)(m_nCapacity ? realloc(m_pData, grown + 1) : malloc(grown + 1));
    if (!data)
        return FALSE;
    if (!m_nCapacity)
        data[0] = 0;
    m_pData = data;
    m_nCapacity = grown;
    return TRUE;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int needed = _vscprintf(format, args);
    va_end(args);
    if (needed < 0 || !Reserve(needed)) {
        Empty();
        return;
    }
    va_start(args, format);
    _vsnprintf(m_pData, needed + 1, format, args);
    va_end(args);
    m_pData[needed] = 0;
    m_nLength = needed;
}

int CString::Replace(const char* oldText, const char* newText)
{
    int oldLength = (int)strlen(oldText);
    if (oldLength == 0)
        return 0;
    CString result;
    int count = 0;
    const char* rest = m_pData;
    // Matches start on character boundaries only: the trail byte 0x5C of a
    // double-byte character is no backslash. (Wine's _mbsstr is a plain
    // strstr, so the walk is ours.)
    for (const char* hit = rest; *hit;) {
        if (strncmp(hit, oldText, oldLength) == 0) {
            CString before;
            before.Assign(rest, (int)(hit - rest));
            result += before;
            result += newText;
            ++count;
            hit += oldLength;
            rest = hit;
        } else {
            hit = NextCharacter(hit);
        }
    }
    if (count) {
        result += rest;
        *this = result;
    }
    return count;
}

int CString::ReverseFind(char ch) const
{
    const unsigned char* hit = _mbsrchr((const unsigned char*)m_pData, (unsigned char)ch);
    return hit ? (int)((const char*)hit - m_pData) : -1;
}

int CString::Compare(const char* text) const
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(m_pData), reinterpret_cast<const unsigned char*>(text));
}

int CString::CompareNoCase(const char* text) const
{
    return _mbsicmp(reinterpret_cast<const unsigned char*>(m_pData), reinterpret_cast<const unsigned char*>(text));
}

CString CString::Left(int count) const
{
    CString result;
    result.Assign(m_pData, count < 0 ? 0 : count > m_nLength ? m_nLength : count);
    return result;
}

CString CString::Mid(int first) const
{
    if (first < 0)
        first = 0;
    if (first > m_nLength)
        first = m_nLength;
    CString result;
    result.Assign(m_pData + first, m_nLength - first);
    return result;
}

BOOL CString::LoadString(UINT id)
{
    // A string-table entry holds at most 4,096 characters; read into the
    // string itself, a stack that large would need probing.
    const int MAX_ENTRY = 4096;
    char* buffer = GetBuffer(MAX_ENTRY);
    int length = buffer ? ::LoadStringA(AfxGetResourceHandle(), id, buffer, MAX_ENTRY + 1) : 0;
    ReleaseBuffer(length > 0 ? length : 0);
    return length > 0;
}

char* CString::GetBuffer(int minLength)
{
    if (!Reserve(minLength))
        return NULL;
    return m_pData;
}

void CString::ReleaseBuffer(int newLength)
{
    if (!m_nCapacity)
        return;
    m_nLength = newLength < 0 ? (int)strlen(m_pData) : newLength;
    m_pData[m_nLength] = 0;
}
