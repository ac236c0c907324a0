// The common-control wrappers are header-only; defining their destructors
// here gives each class one home for its vtable, which framework.dll exports,
// so programs can make the objects themselves (`CStatic text;`).
#include "CComboBox.h"
#include "CEdit.h"
#include "CListBox.h"
#include "CProgressCtrl.h"
#include "CScrollBar.h"
#include "CSliderCtrl.h"
#include "CSpinButtonCtrl.h"
#include "CStatic.h"
#include "CToolBarCtrl.h"

CStatic::~CStatic() {}
CEdit::~CEdit() {}
CListBox::~CListBox() {}
CComboBox::~CComboBox() {}
CScrollBar::~CScrollBar() {}
CSliderCtrl::~CSliderCtrl() {}
CSpinButtonCtrl::~CSpinButtonCtrl() {}
CProgressCtrl::~CProgressCtrl() {}
CToolBarCtrl::~CToolBarCtrl() {}
