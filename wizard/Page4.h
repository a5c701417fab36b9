// CPage4: the end of the wizard; may start the installed product.
#pragma once
#include "../framework/PropertyPage.h"
#include "Strip.h"

class CPage4 : public CPropertyPage
{
    DECLARE_DYNCREATE(CPage4)
public:
    CPage4();
    virtual ~CPage4();

protected:
    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();
    virtual BOOL OnWizardFinish();

    DECLARE_MESSAGE_MAP()

private:
    void LaunchProduct();

    CStrip m_strip;
};
