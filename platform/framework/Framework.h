// The class library: everything a program written against it includes.
#pragma once

#include "platform/framework/Afx.h"
#include "platform/framework/AfxConstants.h"
#include "platform/framework/CButton.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CMenu.h"
#include "platform/framework/CString.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/DataExchange.h"
#include "platform/windowing/Api.h"
