// CPage1: the readme from the setup folder, and the agreement to it.
#pragma once
#include "../framework/PropertyPage.h"
#include "Strip.h"

class CPage1 : public CPropertyPage
{
    DECLARE_DYNCREATE(CPage1)
public:
    CPage1();
    virtual ~CPage1();

    CWnd* m_pSheet;  // the CMainPage, once the page has a window
    CString m_strReadme;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();

    void OnAgree();
    void OnDisagree();
    void OnSetFocusReadme();

    DECLARE_MESSAGE_MAP()

private:
    CStrip m_strip;
};
