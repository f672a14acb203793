// CRecorderDlg - the recorder window: the acquisition settings, the output
// settings and the actions, on template IDD_RECORDER. Only Close and Detect
// Hardware can be used; the other inputs stay disabled.
#pragma once

#include "platform/framework/Framework.h"
#include "resources/resource.h"

class CRecorderDlg : public CDialog {
public:
    explicit CRecorderDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_RECORDER };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDetectHardware();

    CButton m_btnDetectHardware;
    HICON m_hAppIcon;  // shared for the life of the process, never released

    DECLARE_MESSAGE_MAP()
};
