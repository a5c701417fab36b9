#include "CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, AfxSig_end, 0 } };
    static const AFX_MSGMAP messageMap = { NULL, entries };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* pMap, UINT message, UINT code, UINT id)
{
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL)
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end; ++pEntry)
            if (pEntry->nMessage == message && pEntry->nCode == code && pEntry->nID == id)
                return pEntry;
    return NULL;
}

}

BOOL CCmdTarget::OnCmdMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UINT code = 0, id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        code = pHeader->code;
        id = (UINT)pHeader->idFrom;
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(GetMessageMap(), message, code, id);
    if (!pEntry)
        return FALSE;

    *pResult = 0;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
    switch (pEntry->nSig) {
    case AfxSig_vv:
        (this->*pEntry->pfn)();
        break;
    case AfxSig_bv:
        *pResult = (this->*reinterpret_cast<BOOL (CCmdTarget::*)()>(pEntry->pfn))();
        break;
    case AfxSig_lv:
        *pResult = (this->*reinterpret_cast<LRESULT (CCmdTarget::*)()>(pEntry->pfn))();
        break;
    case AfxSig_vw:
        (this->*reinterpret_cast<void (CCmdTarget::*)(UINT_PTR)>(pEntry->pfn))(wParam);
        break;
    case AfxSig_end:
        return FALSE;
    }
#pragma GCC diagnostic pop
    return TRUE;
}
