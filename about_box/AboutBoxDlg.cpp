#include "about_box/AboutBoxDlg.h"

BEGIN_MESSAGE_MAP(CAboutBoxDlg, CDialog)
END_MESSAGE_MAP()

CAboutBoxDlg::CAboutBoxDlg() : CDialog(IDD) {}

void CAboutBoxDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }
