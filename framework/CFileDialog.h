// CFileDialog lives with the other common dialogs.
#pragma once
#include "CCommonDialogs.h"
