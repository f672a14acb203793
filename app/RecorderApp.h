// CRecorderApp - the application object: it runs the recorder window once,
// modally, and the program ends with it.
#pragma once

#include "platform/framework/Framework.h"

class CRecorderApp : public CWinApp {
public:
    CRecorderApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CRecorderApp theApp;
