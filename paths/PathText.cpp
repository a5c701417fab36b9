#include "PathText.h"
#include <string.h>

namespace {

// Names Windows gives to devices, with or without an extension.
const char DEVICE_NAMES[][5] = { "CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
                                  "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9" };

// A name Windows would not keep as written: it strips a dot or a space at
// its end, and a device name opens the device instead.
BOOL IsAlteredName(const char* name, int length)
{
    if (length == 0 || name[length - 1] == '.' || name[length - 1] == ' ')
        return TRUE;
    // Windows drops the spaces before a device name's extension too.
    int baseLength = 0;
    while (baseLength < length && name[baseLength] != '.')
        ++baseLength;
    while (baseLength > 0 && name[baseLength - 1] == ' ')
        --baseLength;
    CString base;
    base.Format("%.*s", baseLength, name);
    for (const char* device : DEVICE_NAMES)
        if (base.CompareNoCase(device) == 0)
            return TRUE;
    return FALSE;
}

}

CString JoinPath(const CString& folder, const char* name)
{
    CString path = name;
    if (!folder.IsEmpty())
        path.Format("%s\\%s", (const char*)folder, name);
    return path;
}

CString GetParentFolder(const CString& path)
{
    int last = path.ReverseFind('\\');
    return last < 0 ? CString() : path.Left(last);
}

CString CollapseSeparators(CString path)
{
    path.Replace("/", "\\");
    BOOL network = path.Left(2).Compare("\\\\") == 0;
    CString rest = network ? path.Mid(2) : path;
    rest.Replace("\\\\", "\\");
    return network ? CString("\\\\") + rest : rest;
}

CString WithoutTrailingSeparators(CString path)
{
    int last;
    while ((last = path.ReverseFind('\\')) >= 0 && last == path.GetLength() - 1)
        path = path.Left(last);
    return path;
}

int FullPathRootLength(const char* text)
{
    BOOL driveLetter = (*text >= 'A' && *text <= 'Z') || (*text >= 'a' && *text <= 'z');
    if (driveLetter && text[1] == ':' && text[2] == '\\')
        return 3;
    if (text[0] != '\\' || text[1] != '\\')
        return 0;
    // Two names, the server's and the share's, neither of them empty; "."
    // and "?" name devices and raw paths, no server.
    if ((text[2] == '.' || text[2] == '?') && text[3] == '\\')
        return 0;
    int i = 2;
    for (int name = 0; name < 2; ++name) {
        int start = i;
        while (text[i] && text[i] != '\\')
            i = (int)(NextCharacter(text + i) - text);
        if (i == start || (name == 0 && !text[i]))
            return 0;
        if (name == 0)
            ++i;
    }
    return text[i] ? i + 1 : i;
}

BOOL IsSameOrBelow(const CString& path, const CString& folder)
{
    int length = folder.GetLength();
    const char* text = path;
    const char* character = text;
    while (*character && character - text < length)
        character = NextCharacter(character);
    if (length == 0 || character - text != length || (*character && *character != '\\'))
        return FALSE;
    return path.Left(length).CompareNoCase(folder) == 0;
}

BOOL HasNamesKeptAsWritten(const char* fullPath, int rootLength)
{
    // Past the drive's colon, character by character: a trail byte is
    // never taken for one of the forbidden characters.
    for (const char* character = fullPath + 2; *character; character = NextCharacter(character))
        if (NextCharacter(character) == character + 1 &&
            ((unsigned char)*character < 0x20 || strchr("<>\"|?*:", *character)))
            return FALSE;
    for (const char* name = fullPath + rootLength; *name;) {
        const char* end = name;
        while (*end && *end != '\\')
            end = NextCharacter(end);
        if (IsAlteredName(name, (int)(end - name)))
            return FALSE;
        name = *end ? end + 1 : end;
    }
    return TRUE;
}
