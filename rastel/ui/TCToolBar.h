// CTCToolBar: a tool bar whose normal, hot and disabled images are
// true-colour image lists with a mask colour. The bar keeps the lists and
// destroys them with its window.
#pragma once

#include "Framework.h"
#include "CToolBar.h"
#include "RastelApi.h"

class RASTEL_API CTCToolBar : public CToolBar
{
    DECLARE_DYNAMIC(CTCToolBar)
public:
    // Square images of buttonWidth from each bitmap; disabledID 0 leaves the
    // disabled list alone. Returns 1.
    int LoadTCToolBar(int buttonWidth, UINT normalID, UINT hotID, UINT disabledID, COLORREF mask = 0xFFFFFF);

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
