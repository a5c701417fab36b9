#include "Strip.h"

CStrip::CStrip() : m_hFitted(NULL) {}

CStrip::~CStrip()
{
    if (m_hFitted)
        ::DeleteObject(m_hFitted);
}

void CStrip::FitToFrame(HWND hStrip)
{
    // Once: the sheet gives the page the same size each time it shows it.
    if (m_hFitted)
        return;

    // The frame ends where the page does: the page clips what lies below.
    HWND hPage = ::GetParent(hStrip);
    RECT strip, page;
    ::GetWindowRect(hStrip, &strip);
    ::MapWindowPoints(NULL, hPage, reinterpret_cast<POINT*>(&strip), 2);
    ::GetClientRect(hPage, &page);
    if (strip.bottom > page.bottom)
        ::SetWindowPos(hStrip, NULL, 0, 0, strip.right - strip.left, page.bottom - strip.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    HBITMAP hPicture = reinterpret_cast<HBITMAP>(::SendMessageA(hStrip, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP picture;
    RECT frame;
    if (!hPicture || !::GetObjectA(hPicture, sizeof picture, &picture) || !::GetClientRect(hStrip, &frame))
        return;

    // 24 bits a pixel, with no alpha channel: the static shows it as it is
    // (a 32-bit one with alpha it would copy and blend).
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = frame.right;
    info.bmiHeader.biHeight = frame.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    HBITMAP hFitted = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hFrom = ::CreateCompatibleDC(NULL);
    HDC hTo = ::CreateCompatibleDC(NULL);
    if (hFitted && hFrom && hTo) {
        HGDIOBJ hOldFrom = ::SelectObject(hFrom, hPicture);
        HGDIOBJ hOldTo = ::SelectObject(hTo, hFitted);
        // HALFTONE averages the picture's pixels under each of the frame's;
        // it wants the brush origin set again after it.
        ::SetStretchBltMode(hTo, HALFTONE);
        ::SetBrushOrgEx(hTo, 0, 0, NULL);
        ::StretchBlt(hTo, 0, 0, frame.right, frame.bottom, hFrom, 0, 0, picture.bmWidth, picture.bmHeight, SRCCOPY);
        ::SelectObject(hFrom, hOldFrom);
        ::SelectObject(hTo, hOldTo);
        // The static hands back the picture it loaded, shown no more.
        ::DeleteObject(reinterpret_cast<HGDIOBJ>(
            ::SendMessageA(hStrip, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hFitted))));
        m_hFitted = hFitted;
        hFitted = NULL;
    }
    if (hFitted)
        ::DeleteObject(hFitted);
    if (hFrom)
        ::DeleteDC(hFrom);
    if (hTo)
        ::DeleteDC(hTo);
}
