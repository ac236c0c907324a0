// The suite's class library over Win32: the basic types every module uses.
#pragma once

#include <windows.h>
#include "FrameworkApi.h"
#include "CString.h"
#include "CPoint.h"
#include "CSize.h"
#include "CRect.h"
#include "CTime.h"
#include "CPtrList.h"
#include "CDC.h"
#include "CWinApp.h"
#include "ResourceChain.h"
