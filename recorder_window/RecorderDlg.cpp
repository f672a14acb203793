#include "recorder_window/RecorderDlg.h"

#include "about_box/AboutBoxDlg.h"

BEGIN_MESSAGE_MAP(CRecorderDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_DETECT_HARDWARE, OnDetectHardware)
END_MESSAGE_MAP()

CRecorderDlg::CRecorderDlg(CWnd* pParent) : CDialog(IDD, pParent) {
    m_hAppIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_APP_ICON));
}

void CRecorderDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_DETECT_HARDWARE, m_btnDetectHardware); }

BOOL CRecorderDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    // The About entry at the end of the system menu, after a separator.
    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUT_ENTRY);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUT_ENTRY, strAboutMenu);
        }
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hAppIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hAppIcon));

    ::SendDlgItemMessageA(m_hWnd, IDC_CHANNEL, CB_SETCURSEL, 0, 0);
    SetDlgItemText(IDC_SAMPLE_RATE, "225");
    SetDlgItemText(IDC_RECORDING_TIME, "1000");
    SetDlgItemText(IDC_FILE_NAME, "output.txt");
    ::SendDlgItemMessageA(m_hWnd, IDC_FORMAT_TEXT, BM_SETCHECK, BST_CHECKED, 0);
    return TRUE;
}

void CRecorderDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    (void)lParam;
    if ((nID & 0xFFF0) == IDM_ABOUT_ENTRY) {
        CAboutBoxDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        Default();
    }
}

void CRecorderDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    // Minimised: the icon, centred in the client area.
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rectWidth(rect) - cxIcon + 1) / 2;
    int y = (rectHeight(rect) - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hAppIcon);
}

HCURSOR CRecorderDlg::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(m_hAppIcon); }

void CRecorderDlg::OnDetectHardware() {
    m_btnDetectHardware.EnableWindow(FALSE);
    m_btnDetectHardware.SetWindowText("Detecting...");
    ::Sleep(2500);
    MessageBox("No data acquisition hardware detected. Recording is disabled.", "Warning", MB_OK | MB_ICONEXCLAMATION);
    m_btnDetectHardware.EnableWindow(TRUE);
    m_btnDetectHardware.SetWindowText("Detect Hardware");
}
