// Reads the resources back out of the built Setup.exe and compares them
// with what the program and its users rely on.
#include "../../res/resource.h"
#include <windows.h>
#include "../support/TestFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

const WORD JAPANESE = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

struct DialogItem
{
    DWORD style;
    short x, y, cx, cy;
    short id;
    std::wstring className;
    std::wstring text;
    int textOrdinal;  // -1 when the text is a string
};

struct Dialog
{
    DWORD style, exStyle;
    short x, y, cx, cy;
    bool plainForm;
    std::wstring caption;
    WORD pointSize;
    std::wstring face;
    std::vector<DialogItem> items;
};

class Reader
{
public:
    explicit Reader(const BYTE* data) : m_start(data), m_at(data) {}
    WORD Word() { WORD value = *reinterpret_cast<const WORD*>(m_at); m_at += 2; return value; }
    DWORD Dword() { return Word() | (DWORD)Word() << 16; }
    short Short() { return (short)Word(); }
    std::wstring String()
    {
        std::wstring text;
        for (WORD ch; (ch = Word()) != 0;)
            text += (wchar_t)ch;
        return text;
    }
    // A name or an ordinal (0xFFFF, then the number).
    std::wstring NameOrOrdinal(int* ordinal)
    {
        *ordinal = -1;
        if (*reinterpret_cast<const WORD*>(m_at) == 0xFFFF) {
            Word();
            *ordinal = Word();
            return std::wstring();
        }
        return String();
    }
    void AlignDword() { m_at = m_start + ((m_at - m_start + 3) & ~3); }

private:
    const BYTE* m_start;
    const BYTE* m_at;
};

std::wstring ClassName(const std::wstring& name, int ordinal)
{
    switch (ordinal) {
    case 0x80: return L"BUTTON";
    case 0x81: return L"EDIT";
    case 0x82: return L"STATIC";
    case -1: break;
    default: return L"#" + std::to_wstring(ordinal);
    }
    std::wstring upper = name;
    for (wchar_t& ch : upper)
        ch = towupper(ch);
    return upper;
}

class ResourceSet : public testing::Test
{
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExA((MediaFolder() + "\\Setup.exe").c_str(), NULL,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, m_module);
    }
    void TearDown() override { FreeLibrary(m_module); }

    const BYTE* Load(LPCSTR type, UINT id, DWORD* size)
    {
        HRSRC found = FindResourceExA(m_module, type, MAKEINTRESOURCEA(id), JAPANESE);
        if (!found)
            return NULL;
        *size = SizeofResource(m_module, found);
        return static_cast<const BYTE*>(LockResource(LoadResource(m_module, found)));
    }

    Dialog LoadDialog(UINT id)
    {
        DWORD size = 0;
        const BYTE* data = Load(RT_DIALOG, id, &size);
        Dialog dialog = {};
        if (!data) {
            ADD_FAILURE() << "no Japanese dialog " << id;
            return dialog;
        }
        Reader read(data);
        dialog.plainForm = *reinterpret_cast<const DWORD*>(data) >> 16 != 0xFFFF;
        dialog.style = read.Dword();
        dialog.exStyle = read.Dword();
        WORD count = read.Word();
        dialog.x = read.Short();
        dialog.y = read.Short();
        dialog.cx = read.Short();
        dialog.cy = read.Short();
        int menu, windowClass;
        EXPECT_EQ(L"", read.NameOrOrdinal(&menu)) << "no menu";
        EXPECT_EQ(L"", read.NameOrOrdinal(&windowClass)) << "no window class";
        EXPECT_EQ(-1, menu);
        EXPECT_EQ(-1, windowClass);
        dialog.caption = read.String();
        if (dialog.style & DS_SETFONT) {
            dialog.pointSize = read.Word();
            dialog.face = read.String();
        }
        for (WORD index = 0; index < count; ++index) {
            read.AlignDword();
            DialogItem item = {};
            item.style = read.Dword();
            read.Dword();
            item.x = read.Short();
            item.y = read.Short();
            item.cx = read.Short();
            item.cy = read.Short();
            item.id = read.Short();
            int classOrdinal;
            std::wstring className = read.NameOrOrdinal(&classOrdinal);
            item.className = ClassName(className, classOrdinal);
            item.text = read.NameOrOrdinal(&item.textOrdinal);
            WORD extra = read.Word();
            for (WORD skipped = 0; skipped < extra; skipped += 2)
                read.Word();
            dialog.items.push_back(item);
        }
        return dialog;
    }

    HMODULE m_module;
};

struct ExpectedItem
{
    short id;
    const wchar_t* className;
    short x, y, cx, cy;
    const wchar_t* text;  // null: bitmap 131
    DWORD style;
};

struct ExpectedDialog
{
    UINT id;
    DWORD style;
    short cx, cy;
    const wchar_t* caption;
    std::vector<ExpectedItem> items;
};

const DWORD PAGE = 0x48C00040;
const DWORD STRIP = 0x5000104E;
const DWORD TEXT = 0x50020000;

const ExpectedDialog DIALOGS[] = {
    { IDD_AGREEMENT_PAGE, PAGE, 266, 153, L"Setup Setps - 情報確認\u30001 / 4",
      { { IDC_STRIP, L"STATIC", 0, 0, 41, 153, NULL, STRIP },
        { -1, L"STATIC", 48, 5, 165, 11, L"著作権＆使用制限情報", TEXT },
        { IDC_AGREE, L"BUTTON", 118, 142, 57, 10, L"同意します(&A)", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON },
        { IDC_DISAGREE, L"BUTTON", 188, 142, 64, 10, L"同意しません(&D)", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON },
        { IDC_README, L"EDIT", 47, 16, 218, 119, L"",
          WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
              ES_AUTOHSCROLL | ES_READONLY | ES_WANTRETURN } } },
    { IDD_DESTINATION_PAGE, PAGE, 222, 135, L"Setup Setps - インストール設定\u30002 / 4",
      { { IDC_STRIP, L"STATIC", 0, 0, 41, 135, NULL, STRIP },
        { -1, L"STATIC", 48, 31, 165, 29,
          L"プログラムをインストールするフォルダの設定をします。\n\nインストールするパスを入力してください(&P)。", TEXT },
        { IDC_DESTINATION, L"EDIT", 47, 95, 115, 14, L"",
          WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL },
        { IDC_BROWSE, L"BUTTON", 167, 95, 50, 14, L"参照(&R)...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON },
        { IDC_CREATE_SHORTCUTS, L"BUTTON", 47, 117, 160, 10, L"スタートメニューにショートカットを作成する(&S)",
          WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX } } },
    { IDD_PROGRESS_PAGE, PAGE, 222, 135, L"Setup Setps - インストール\u3000 3 / 4",
      { { IDC_STRIP, L"STATIC", 0, 0, 41, 135, NULL, STRIP },
        { -1, L"STATIC", 61, 27, 88, 21, L"ただ今、インストール中です...\nしばらくお待ちください。", TEXT },
        { IDC_INSTALL_PROGRESS, L"MSCTLS_PROGRESS32", 53, 87, 157, 14, L"Progress1", 0x50800000 } } },
    { IDD_FINISH_PAGE, PAGE, 222, 135, L"Setup Setps - 完了\u3000 4 / 4",
      { { IDC_STRIP, L"STATIC", 0, 0, 41, 135, NULL, STRIP },
        { -1, L"STATIC", 54, 33, 85, 8, L"インストールが完了しました。", TEXT },
        { IDC_LAUNCH_PRODUCT, L"BUTTON", 51, 86, 142, 10, L"インストールしたプログラムを実行する(&R)",
          WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX } } },
    { IDD_PROGRESS_PANEL, 0x90C000C0, 187, 42, L"アンインストール中．．．",
      { { IDC_PANEL_PROGRESS, L"MSCTLS_PROGRESS32", 16, 18, 154, 13, L"Progress1", 0x50800000 },
        { IDC_PANEL_PERCENT, L"STATIC", 84, 7, 18, 8, L" 0 %", TEXT } } },
};

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found)
{
    reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
    return TRUE;
}

}

TEST_F(ResourceSet, DialogTemplatesHaveTheirLayouts)
{
    for (const ExpectedDialog& expected : DIALOGS) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        Dialog dialog = LoadDialog(expected.id);
        EXPECT_TRUE(dialog.plainForm) << "plain DIALOG, not DIALOGEX";
        EXPECT_EQ(expected.style, dialog.style);
        EXPECT_EQ(0u, dialog.exStyle);
        EXPECT_EQ(0, dialog.x);
        EXPECT_EQ(0, dialog.y);
        EXPECT_EQ(expected.cx, dialog.cx);
        EXPECT_EQ(expected.cy, dialog.cy);
        EXPECT_EQ(std::wstring(expected.caption), dialog.caption);
        EXPECT_EQ(9, dialog.pointSize);
        EXPECT_EQ(std::wstring(L"ＭＳ Ｐゴシック"), dialog.face);
        ASSERT_EQ(expected.items.size(), dialog.items.size());
        for (size_t index = 0; index < dialog.items.size(); ++index) {
            SCOPED_TRACE("control " + std::to_string(index));
            const ExpectedItem& want = expected.items[index];
            const DialogItem& got = dialog.items[index];
            EXPECT_EQ(want.id, got.id);
            EXPECT_EQ(std::wstring(want.className), got.className);
            EXPECT_EQ(want.x, got.x);
            EXPECT_EQ(want.y, got.y);
            EXPECT_EQ(want.cx, got.cx);
            EXPECT_EQ(want.cy, got.cy);
            EXPECT_EQ(want.style, got.style);
            if (want.text) {
                EXPECT_EQ(std::wstring(want.text), got.text);
            } else {
                EXPECT_EQ(IDB_STRIP, got.textOrdinal);
            }
        }
    }
}

TEST_F(ResourceSet, EveryResourceIsJapaneseOnly)
{
    // Strings 112 and 114 live in string block 8 (ids 112 to 127).
    const struct { LPCSTR type; UINT id; const char* what; } resources[] = {
        { RT_DIALOG, IDD_AGREEMENT_PAGE, "dialog 107" },   { RT_DIALOG, IDD_DESTINATION_PAGE, "dialog 108" },
        { RT_DIALOG, IDD_PROGRESS_PAGE, "dialog 109" },    { RT_DIALOG, IDD_FINISH_PAGE, "dialog 110" },
        { RT_DIALOG, IDD_PROGRESS_PANEL, "dialog 111" },   { RT_BITMAP, IDB_STRIP, "bitmap" },
        { RT_GROUP_ICON, IDI_SETUP, "icon group" },        { RT_ICON, 1, "icon 1" },
        { RT_ICON, 2, "icon 2" },                          { RT_ICON, 3, "icon 3" },
        { RT_ICON, 4, "icon 4" },                          { RT_ICON, 5, "icon 5" },
        { RT_STRING, IDS_PROGRAM_GROUP / 16 + 1, "strings" },
        { RT_VERSION, 1, "version block" },
    };
    for (const auto& resource : resources) {
        std::vector<WORD> languages;
        EnumResourceLanguagesA(m_module, resource.type, MAKEINTRESOURCEA(resource.id), CollectLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(std::vector<WORD>{ JAPANESE }, languages) << resource.what;
    }
}

TEST_F(ResourceSet, TheStripIsA16ColourBitmap)
{
    DWORD size = 0;
    const BYTE* data = Load(RT_BITMAP, IDB_STRIP, &size);
    ASSERT_NE(nullptr, data);
    const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
    EXPECT_EQ(40u, header->biSize);
    EXPECT_EQ(70, header->biWidth);
    EXPECT_EQ(200, header->biHeight) << "bottom-up";
    EXPECT_EQ(4, header->biBitCount);
    EXPECT_EQ((DWORD)BI_RLE4, header->biCompression);
    EXPECT_EQ(size - 40 - 16 * sizeof(RGBQUAD), header->biSizeImage) << "the runs fill the resource";
    const RGBQUAD* palette = reinterpret_cast<const RGBQUAD*>(data + 40);
    const COLORREF standard[16] = { RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
                                    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
                                    RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
                                    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255) };
    for (int index = 0; index < 16; ++index)
        EXPECT_EQ(standard[index], RGB(palette[index].rgbRed, palette[index].rgbGreen, palette[index].rgbBlue))
            << "palette entry " << index;

    // The system's loader, which the pages' static uses, reads the runs back
    // into a whole picture, not one colour.
    HBITMAP loaded = static_cast<HBITMAP>(LoadImageA(m_module, MAKEINTRESOURCEA(IDB_STRIP), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, loaded);
    BITMAPINFO wanted = {};
    wanted.bmiHeader.biSize = sizeof wanted.bmiHeader;
    wanted.bmiHeader.biWidth = 70;
    wanted.bmiHeader.biHeight = 200;
    wanted.bmiHeader.biPlanes = 1;
    wanted.bmiHeader.biBitCount = 32;
    std::vector<COLORREF> pixels(70 * 200);
    HDC screen = GetDC(NULL);
    EXPECT_EQ(200, GetDIBits(screen, loaded, 0, 200, pixels.data(), &wanted, DIB_RGB_COLORS));
    ReleaseDC(NULL, screen);
    DeleteObject(loaded);
    std::sort(pixels.begin(), pixels.end());
    EXPECT_GE(std::unique(pixels.begin(), pixels.end()) - pixels.begin(), 5) << "colours in the picture";
}

// Every size Windows asks for up to 200 %: 16 and 32, which Windows before
// Vista draws everywhere, as 16-colour bitmaps, the only form it reads; 24,
// 48 and 256 (the group writes 256 as 0) as PNGs.
TEST_F(ResourceSet, TheIconGroupHoldsEverySizeWindowsAsksFor)
{
    DWORD size = 0;
    const BYTE* group = Load(RT_GROUP_ICON, IDI_SETUP, &size);
    ASSERT_NE(nullptr, group);
    Reader read(group);
    EXPECT_EQ(0, read.Word());
    EXPECT_EQ(1, read.Word()) << "an icon group";
    const struct
    {
        int pixels;
        bool bitmap;
    } sizes[] = { { 16, true }, { 24, false }, { 32, true }, { 48, false }, { 256, false } };
    ASSERT_EQ((WORD)ARRAYSIZE(sizes), read.Word());
    for (int image = 0; image < (int)ARRAYSIZE(sizes); ++image) {
        int pixels = sizes[image].pixels;
        bool bitmap = sizes[image].bitmap;
        SCOPED_TRACE("image " + std::to_string(pixels));
        const BYTE* entry = group + 6 + 14 * image;
        EXPECT_EQ(pixels % 256, entry[0]);
        EXPECT_EQ(pixels % 256, entry[1]);
        EXPECT_EQ(bitmap ? 16 : 0, entry[2]) << "colours";
        EXPECT_EQ(bitmap ? 4 : 32, *reinterpret_cast<const WORD*>(entry + 6)) << "bits per pixel";
        DWORD iconSize = 0;
        const BYTE* icon = Load(RT_ICON, *reinterpret_cast<const WORD*>(entry + 12), &iconSize);
        ASSERT_NE(nullptr, icon);
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(entry + 8), iconSize);
        EXPECT_EQ(bitmap ? std::string("\x28\0\0\0", 4) : std::string("\x89PNG"),
                  std::string(reinterpret_cast<const char*>(icon), 4))
            << "a bitmap's header, or a PNG's signature";
        // The system's icon loader reads it at that size.
        HICON loaded = static_cast<HICON>(
            LoadImageA(m_module, MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON, pixels, pixels, 0));
        EXPECT_NE(nullptr, loaded);
        DestroyIcon(loaded);
    }
}

TEST_F(ResourceSet, StringsAndVersionBlock)
{
    wchar_t text[256];
    ASSERT_GT(LoadStringW(m_module, IDS_PROGRAM_GROUP, text, 256), 0);
    EXPECT_EQ(std::wstring(L"Varnolt"), text);
    ASSERT_GT(LoadStringW(m_module, IDS_PANEL_CAPTION, text, 256), 0);
    EXPECT_EQ(std::wstring(L"アンインストール中．．．"), text) << "the caption the run sets, so none other flashes";

    DWORD size = 0;
    const BYTE* block = Load(RT_VERSION, 1, &size);
    ASSERT_NE(nullptr, block);
    std::vector<BYTE> copy(block, block + size);
    VS_FIXEDFILEINFO* fixed = NULL;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(MAKELONG(6, 2), (long)fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(1, 0), (long)fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    EXPECT_EQ(0x3Fu, fixed->dwFileFlagsMask);
    EXPECT_EQ(0u, fixed->dwFileFlags);
    EXPECT_EQ((DWORD)VOS__WINDOWS32, fixed->dwFileOS);
    EXPECT_EQ((DWORD)VFT_APP, fixed->dwFileType);

    WORD* translation = NULL;
    UINT translationSize = 0;
    ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &translationSize));
    EXPECT_EQ(0x411, translation[0]);
    EXPECT_EQ(1200, translation[1]);

    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        { L"FileDescription", L"Setup（簡易）" }, { L"FileVersion", L"2, 6, 0, 1" },
        { L"InternalName", L"Setup" },         { L"OriginalFilename", L"Setup.exe" },
        { L"ProductVersion", L"2, 6, 0, 1" },  { L"CompanyName", L"" },
        { L"LegalTrademarks", L"" },           { L"PrivateBuild", L"" },
        { L"SpecialBuild", L"" },
    };
    for (const auto& entry : strings) {
        wchar_t* value = NULL;
        UINT length = 0;
        std::wstring key = std::wstring(L"\\StringFileInfo\\041104b0\\") + entry.first;
        std::wstring got = VerQueryValueW(copy.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) && value
                               ? std::wstring(value)
                               : std::wstring(L"<missing>");
        EXPECT_EQ(std::wstring(entry.second), got) << "version string " << testing::PrintToString(std::wstring(entry.first));
    }
}

TEST_F(ResourceSet, TheManifestAsksForAdministratorRights)
{
    HRSRC found = FindResourceA(m_module, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(nullptr, found);
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(m_module, found))),
                         SizeofResource(m_module, found));
    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
    EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
    EXPECT_NE(std::string::npos, manifest.find("supportedOS"));
    EXPECT_NE(std::string::npos, manifest.find(">true</dpiAware>")) << "aware of the system's scale";
}
