// CDC, CPaintDC - device contexts of the class library. A CPaintDC brackets
// the painting of a window: it begins painting when made and ends it when
// it goes away.
#pragma once

#include "platform/windowing/Api.h"

class CWnd;

class CDC {
public:
    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    void FillSolidRect(const RECT* rect, int colorIndex) { ::FillRect(m_hDC, rect, colorIndex); }
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};
