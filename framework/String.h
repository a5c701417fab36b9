// CString: a narrow string in the machine's ANSI code page, treated as
// multibyte text wherever a character is searched for.
#pragma once
#include <windows.h>

// The character after the one at text, in the ANSI code page: two bytes
// for a double-byte character, one for any other (a lead byte before the
// terminator included).
const char* NextCharacter(const char* text);

class CString
{
public:
    CString();
    CString(const CString& other);
    CString(const char* text);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(const char* text);
    CString& operator+=(const char* text);
    friend CString operator+(const CString& left, const char* right);

    operator const char*() const { return m_pData; }
    int GetLength() const { return m_nLength; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    void Empty();

    void Format(const char* format, ...);
    int Replace(const char* oldText, const char* newText);
    // Byte index of the last occurrence of ch, or -1; never matches the
    // second byte of a double-byte character.
    int ReverseFind(char ch) const;
    // Byte-for-byte multibyte comparison (_mbscmp): 0 when equal.
    int Compare(const char* text) const;
    // The same without regard to the case of letters (_mbsicmp).
    int CompareNoCase(const char* text) const;
    CString Left(int count) const;
    CString Mid(int first) const;
    BOOL LoadString(UINT id);

    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    void Assign(const char* text, int length);
    BOOL Reserve(int capacity);

    char* m_pData;
    int m_nLength;
    int m_nCapacity;
};
