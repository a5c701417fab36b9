// CCmdTarget and message maps: a table of {message, notification code,
// control id, handler} per class, chained to the base class's table.
#pragma once
#include "Object.h"

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

// The handler's signature, so that one dispatcher can call any entry.
enum AfxSig
{
    AfxSig_end,
    AfxSig_vv,  // void Handler()
    AfxSig_bv,  // BOOL Handler(), result returned to the system
    AfxSig_lv,  // LRESULT Handler(), result returned to the system
    AfxSig_vw,  // void Handler(UINT_PTR wParam)
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;
    UINT nID;
    AfxSig nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Walks this object's message map and its base maps; TRUE when an entry
    // handled the message, with the handler's result in *pResult.
    BOOL OnCmdMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// A map keeps every handler as one member-pointer type; the dispatcher casts
// it back by the entry's recorded signature, so these casts are meant.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
template <typename Handler>
constexpr AFX_PMSG AfxHandler(Handler pfn)
{
    return reinterpret_cast<AFX_PMSG>(pfn);
}
#pragma GCC diagnostic pop

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass __attribute__((unused)); \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, AfxSig_end, 0 } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, entries }; \
        return &messageMap; \
    }

#define AFX_ENTRY(message, code, id, sig, type, memberFxn) \
    { message, code, id, sig, AfxHandler(static_cast<type>(&ThisClass::memberFxn)) },

#define ON_COMMAND(id, memberFxn) \
    AFX_ENTRY(WM_COMMAND, 0, (UINT)(id), AfxSig_vv, void (CCmdTarget::*)(), memberFxn)
#define ON_CONTROL(code, id, memberFxn) \
    AFX_ENTRY(WM_COMMAND, (UINT)(code), (UINT)(id), AfxSig_vv, void (CCmdTarget::*)(), memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
// A WM_NOTIFY whose handler's result is the notification's answer.
#define ON_NOTIFY_RESULT(code, id, memberFxn) \
    AFX_ENTRY(WM_NOTIFY, (UINT)(code), (UINT)(id), AfxSig_lv, LRESULT (CCmdTarget::*)(), memberFxn)
#define ON_WM_TIMER() \
    AFX_ENTRY(WM_TIMER, 0, 0, AfxSig_vw, void (CCmdTarget::*)(UINT_PTR), OnTimer)
#define ON_WM_INITDIALOG() \
    AFX_ENTRY(WM_INITDIALOG, 0, 0, AfxSig_bv, BOOL (CCmdTarget::*)(), OnInitDialog)
