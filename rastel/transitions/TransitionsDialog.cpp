// CTransitionsDialog: the list of transition kinds with their tick boxes,
// the fluctuation controls, the timed preview and the settings it stores.
#include "TransitionsDialog.h"
#include "CPaintDC.h"
#include "ResourceChain.h"
#include "RgbBuffer.h"
#include "BitmapFactory.h"
#include "TransitionManager.h"
#include "TransitionsDialogIds.h"

BEGIN_MESSAGE_MAP(CTransitionsDialog, CDialog)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_TRANSITION_ENABLE, OnEnable)
    ON_BN_CLICKED(IDC_TRANSITION_RUN, OnRunTransition)
    ON_BN_CLICKED(IDC_TRANSITION_EXIT, OnExit)
    ON_NOTIFY(NM_CLICK, IDC_TRANSITION_LIST, OnListClick)
    ON_NOTIFY(NM_RCLICK, IDC_TRANSITION_LIST, OnListRightClick)
END_MESSAGE_MAP()

namespace
{
// A 24-bit bitmap resource of the resource chain as a picture; empty when missing.
CRgbBuffer* LoadPreviewPicture(UINT id)
{
    LPCSTR name = MAKEINTRESOURCEA(id);
    HMODULE module = AfxFindResourceHandle(name, (LPCSTR)RT_BITMAP);
    HBITMAP bitmap = module ? (HBITMAP)LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION) : NULL;
    CRgbBuffer* picture = bitmap ? CBitmapFactory::CreateRgbFromDIBitmap(bitmap) : NULL;
    if (bitmap)
        DeleteObject(bitmap);
    return picture ? picture : new CRgbBuffer;
}

bool IsCancelInputDown()
{
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) || (GetAsyncKeyState(VK_RBUTTON) & 0x8000) ||
           (GetAsyncKeyState(VK_SPACE) & 0x8000) || (GetAsyncKeyState(VK_ESCAPE) & 0x8000);
}
}

CTransitionsDialog::CTransitionsDialog(CString prefix, CWnd* pParent)
    : CDialog(IDD_TRANSITIONS, pParent), CTransitionSettings(prefix),
      m_pShown(LoadPreviewPicture(IDB_TRANSITION_PREVIEW_1)), m_pOther(LoadPreviewPicture(IDB_TRANSITION_PREVIEW_2)),
      m_PreviewTimer(0), m_bFluctuation(0)
{
}

CTransitionsDialog::~CTransitionsDialog()
{
    delete m_pShown;
    delete m_pOther;
}

BOOL CTransitionsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bFluctuation = m_Fluctuation;
    CheckDlgButton(IDC_TRANSITION_ENABLE, m_bFluctuation ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessage(IDC_TRANSITION_AMPLITUDE_SPIN, UDM_SETBUDDY, (WPARAM)::GetDlgItem(m_hWnd, IDC_TRANSITION_AMPLITUDE));
    SendDlgItemMessage(IDC_TRANSITION_AMPLITUDE_SPIN, UDM_SETRANGE32, MinAmplitude, MaxAmplitude);
    SendDlgItemMessage(IDC_TRANSITION_AMPLITUDE_SPIN, UDM_SETPOS32, 0, (int)m_Amplitude);
    SetDlgItemInt(IDC_TRANSITION_AMPLITUDE, (int)m_Amplitude, FALSE);
    if (CWnd* edit = GetDlgItem(IDC_TRANSITION_AMPLITUDE))
        edit->EnableWindow(m_bFluctuation != 0);

    m_List.Attach(::GetDlgItem(m_hWnd, IDC_TRANSITION_LIST));
    m_Ticks.Create(IDB_TRANSITION_TICKS, 16, 0, RGB(255, 255, 255));
    m_List.SetImageList(&m_Ticks, LVSIL_SMALL);
    m_List.InsertColumn(0, "", LVCFMT_LEFT, 160);
    UINT mask = m_Transition;
    for (int i = 0; i < TRANSITION_COUNT; ++i)
    {
        int ticked = (mask >> i) & 1;
        int item = m_List.InsertItem(i, CTransitionManager::m_Transitions[i].name, ticked);
        m_List.SetItemData(item, ticked);
    }

    // The preview is drawn at the marker's top-left corner at its own size;
    // the buttons go below it and the box grows to hold both.
    CPoint origin = PreviewOrigin();
    int width = m_pShown->IsImage() ? m_pShown->GetWidth() : 400;
    int height = m_pShown->IsImage() ? m_pShown->GetHeight() : 300;
    CRect client;
    GetClientRect(&client);
    int right = origin.x + width + 8;
    int bottom = origin.y + height + 8;
    const int buttons[2] = {IDC_TRANSITION_RUN, IDC_TRANSITION_EXIT};
    for (int id : buttons)
    {
        CWnd* button = GetDlgItem(id);
        if (!button)
            continue;
        CRect r;
        button->GetWindowRect(&r);
        ScreenToClient(&r);
        if (r.top < origin.y + height + 6)
        {
            r.OffsetRect(0, origin.y + height + 6 - r.top);
            button->MoveWindow(&r);
        }
        if (r.bottom + 8 > bottom)
            bottom = r.bottom + 8;
    }
    if (right > client.right || bottom > client.bottom)
    {
        CRect window;
        GetWindowRect(&window);
        int grow = right > client.right ? right - client.right : 0;
        int growDown = bottom > client.bottom ? bottom - client.bottom : 0;
        SetWindowPos(NULL, 0, 0, window.Width() + grow, window.Height() + growDown, SWP_NOMOVE | SWP_NOZORDER);
    }
    return TRUE;
}

CPoint CTransitionsDialog::PreviewOrigin() const
{
    CRect r(0, 0, 0, 0);
    if (HWND marker = ::GetDlgItem(m_hWnd, IDC_TRANSITION_PREVIEW))
    {
        ::GetWindowRect(marker, &r);
        ::ScreenToClient(m_hWnd, (POINT*)&r.left);
    }
    return CPoint(r.left, r.top);
}

void CTransitionsDialog::SetTicked(int item, bool ticked)
{
    m_List.SetItemData(item, ticked ? 1 : 0);
    LVITEMA lv = {};
    lv.mask = LVIF_IMAGE;
    lv.iItem = item;
    lv.iImage = ticked ? 1 : 0;
    ::SendMessageA(m_List.m_hWnd, LVM_SETITEMA, 0, (LPARAM)&lv);
}

UINT CTransitionsDialog::GetTickedMask() const
{
    UINT mask = 0;
    for (int i = 0; i < TRANSITION_COUNT; ++i)
        if (m_List.GetItemData(i) == 1)
            mask |= 1u << i;
    return mask;
}

void CTransitionsDialog::OnListClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // The list reports where the click landed, in its client coordinates.
    CPoint point = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->ptAction;
    UINT flags = 0;
    int item = m_List.HitTest(point, &flags);
    if (item < 0)
        return;
    if (flags & LVHT_ONITEMICON)
        SetTicked(item, m_List.GetItemData(item) != 1);
    m_List.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CTransitionsDialog::OnListRightClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnListClick(pNMHDR, pResult);
}

void CTransitionsDialog::OnEnable()
{
    m_bFluctuation = IsDlgButtonChecked(IDC_TRANSITION_ENABLE) == BST_CHECKED;
    if (CWnd* edit = GetDlgItem(IDC_TRANSITION_AMPLITUDE))
        edit->EnableWindow(m_bFluctuation != 0);
}

// The amplitude as typed in the edit box (the spin's buddy), else the spin's
// position; limited to the amplitude's range.
int CTransitionsDialog::ReadAmplitude() const
{
    BOOL translated = FALSE;
    int value = (int)GetDlgItemInt(IDC_TRANSITION_AMPLITUDE, &translated, TRUE);
    if (!translated)
        value = (int)SendDlgItemMessage(IDC_TRANSITION_AMPLITUDE_SPIN, UDM_GETPOS32, 0, 0);
    return m_Amplitude.Clamp(value);
}

void CTransitionsDialog::OnRunTransition()
{
    if (m_PreviewTimer)
    {
        KillTimer(m_PreviewTimer);
        m_PreviewTimer = 0;
        SetDlgItemText(IDC_TRANSITION_RUN, "&Run transition");
        return;
    }
    m_PreviewTimer = SetTimer(PreviewTimerId, PreviewPeriod);
    SetDlgItemText(IDC_TRANSITION_RUN, "&Stop the test");
    RunPreviewStep();
}

void CTransitionsDialog::RunPreviewStep()
{
    OnEnable();
    int selected = m_List.GetNextItem(-1, LVNI_SELECTED);
    UINT mask = selected >= 0 ? 1u << selected : 0xFFFFFFFFu;
    CRgbBuffer* source = m_pShown;
    m_pShown = m_pOther;
    m_pOther = source;
    int amplitude = 0;
    if (m_bFluctuation)
    {
        amplitude = ReadAmplitude();
        SendDlgItemMessage(IDC_TRANSITION_AMPLITUDE_SPIN, UDM_SETPOS32, 0, amplitude);
    }
    CTransitionManager* manager = new CTransitionManager;
    manager->Run(source, m_pShown, mask, TransitionCallback, this, 2.0, amplitude);
    delete manager;
    TransitionCallback(this, m_pShown);
}

void CTransitionsDialog::DrawPreview(CDC* dc, CRgbBuffer* picture)
{
    if (!picture || !picture->IsImage())
        return;
    CPoint origin = PreviewOrigin();
    picture->Draw(dc, CRect(origin.x, origin.y, origin.x + picture->GetWidth(), origin.y + picture->GetHeight()), NULL);
}

int CTransitionsDialog::TransitionCallback(void* dialog, CRgbBuffer* frame)
{
    CTransitionsDialog* self = static_cast<CTransitionsDialog*>(dialog);
    if (!self || !self->m_hWnd || !frame)
        return 0;
    CClientDC dc(self);
    self->DrawPreview(&dc, frame);
    frame->DeleteInternalBitmap();
    return IsCancelInputDown() ? 0 : 1;
}

void CTransitionsDialog::OnPaint()
{
    CPaintDC dc(this);
    DrawPreview(&dc, m_pShown);
}

void CTransitionsDialog::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == PreviewTimerId && m_PreviewTimer)
        RunPreviewStep();
    else
        CDialog::OnTimer(nIDEvent);
}

void CTransitionsDialog::OnExit()
{
    OnOK();
}

void CTransitionsDialog::OnOK()
{
    EndDialog(IDOK);
}

void CTransitionsDialog::OnDestroy()
{
    if (m_PreviewTimer)
        KillTimer(m_PreviewTimer);
    m_PreviewTimer = 0;
    if (m_List.m_hWnd)
    {
        m_Transition = GetTickedMask();
        m_List.Detach();
    }
    m_Amplitude = ReadAmplitude();
    m_Fluctuation = IsDlgButtonChecked(IDC_TRANSITION_ENABLE) == BST_CHECKED ? 1 : 0;
    CDialog::OnDestroy();
}
