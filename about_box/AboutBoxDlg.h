// CAboutBoxDlg - the About box: the program's name and version, on template
// IDD_ABOUT_BOX. Everything it does is the dialog's default behaviour.
#pragma once

#include "platform/framework/Framework.h"
#include "resources/resource.h"

class CAboutBoxDlg : public CDialog {
public:
    CAboutBoxDlg();

    enum { IDD = IDD_ABOUT_BOX };

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
