// The benchmark's floor for the wizard's first page: the least a wizard in
// our pages' font costs. One page, built in memory, in a PropertySheetA
// wizard with the common controls 6: nothing of Setup.exe's own.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <string.h>

namespace {

const char CAPTION[] = "Wizard floor";

// A DLGTEMPLATE and its items, written word by word.
class TemplateWriter
{
public:
    explicit TemplateWriter(WORD* buffer) : m_next(buffer) {}
    void Word(WORD value) { *m_next++ = value; }
    void Dword(DWORD value)
    {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const wchar_t* text)
    {
        do
            Word(*text);
        while (*text++);
    }
    // Position and size, in dialog units.
    void Rect(short x, short y, short cx, short cy)
    {
        Word((WORD)x);
        Word((WORD)y);
        Word((WORD)cx);
        Word((WORD)cy);
    }
    void AlignDword()
    {
        if (reinterpret_cast<ULONG_PTR>(m_next) & 2)
            Word(0);
    }
    // One control: a predefined class given by its atom.
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const wchar_t* text)
    {
        AlignDword();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Rect(x, y, cx, cy);
        Word(id);
        Word(0xFFFF);
        Word(classAtom);
        Text(text);
        Word(0);
    }

private:
    WORD* m_next;
};

const WORD STATIC_ATOM = 0x0082;
const WORD EDIT_ATOM = 0x0081;

void BuildPage(WORD* buffer)
{
    TemplateWriter page(buffer);
    page.Dword(WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT);
    page.Dword(0);
    page.Word(2);
    page.Rect(0, 0, 266, 153);
    page.Word(0);
    page.Word(0);
    page.Text(L"Wizard floor");
    page.Word(9);
    page.Text(L"ＭＳ Ｐゴシック");
    page.Item(SS_LEFT, 48, 5, 165, 11, 0xFFFF, STATIC_ATOM, L"著作権＆使用制限情報");
    page.Item(WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_READONLY, 47, 16, 218, 119, 100, EDIT_ATOM, L"");
}

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls = { sizeof controls, ICC_WIN95_CLASSES };
    InitCommonControlsEx(&controls);

    static WORD pageTemplate[512];
    BuildPage(pageTemplate);
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT;
    page.hInstance = instance;
    page.pResource = reinterpret_cast<LPCDLGTEMPLATEA>(pageTemplate);
    page.pfnDlgProc = PageProc;

    PROPSHEETHEADERA sheet = {};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD;
    sheet.hInstance = instance;
    sheet.pszCaption = CAPTION;
    sheet.nPages = 1;
    sheet.ppsp = &page;
    return (int)PropertySheetA(&sheet);
}
