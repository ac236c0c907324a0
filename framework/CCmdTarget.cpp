// Message-map search and command dispatch shared by every command target.
#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() {}
CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
    static const AFX_MSGMAP map = {NULL, &entries[0]};
    return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* map, UINT nMessage, UINT nCode, UINT nID)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : NULL)
    {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e)
        {
            UINT message = e->nMessage;
            if (message == 0xC000 && e->nID == 0 && e->nCode == 0)
                message = *(const UINT*)e->nSig; // registered message
            if (message == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    UINT code = (UINT)nCode;
    if (code != CN_UPDATE_COMMAND_UI)
    {
        nMsg = HIWORD(code);
        code = LOWORD(code);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), nMsg, code, nID);
    if (!e)
        return FALSE;
    if (pHandlerInfo)
    {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = e->pfn;
        return TRUE;
    }
    return DispatchCmdMsg(this, nID, nCode, e->pfn, pExtra, e->nSig, NULL);
}

BOOL CCmdTarget::DispatchCmdMsg(CCmdTarget* target, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra,
                                UINT_PTR nSig, AFX_CMDHANDLERINFO*)
{
    switch (nSig)
    {
    case AfxSig_v_v:
        (target->*pfn)();
        return TRUE;
    case AfxSig_b_v:
        return (target->*reinterpret_cast<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSig_v_u:
        (target->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSig_b_u:
        return (target->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSig_cmdui:
    {
        CCmdUI* cmdUI = (CCmdUI*)pExtra;
        if (!cmdUI)
            return FALSE;
        cmdUI->m_bContinueRouting = FALSE;
        (target->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(cmdUI);
        BOOL handled = !cmdUI->m_bContinueRouting;
        cmdUI->m_bContinueRouting = FALSE;
        return handled;
    }
    case AfxSig_notify:
    case AfxSig_notify_range:
    case AfxSig_b_notify:
    {
        AFX_NOTIFY* notify = (AFX_NOTIFY*)pExtra;
        if (!notify)
            return FALSE;
        if (nSig == AfxSig_notify)
            (target->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(notify->pNMHDR, notify->pResult);
        else if (nSig == AfxSig_notify_range)
            (target->*reinterpret_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, notify->pNMHDR,
                                                                                           notify->pResult);
        else
            return (target->*reinterpret_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(notify->pNMHDR,
                                                                                           notify->pResult);
        return TRUE;
    }
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(1) : (void)SetCursor(LoadCursor(NULL, IDC_WAIT)); }
void CCmdTarget::EndWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(-1) : (void)SetCursor(LoadCursor(NULL, IDC_ARROW)); }
void CCmdTarget::RestoreWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(0) : (void)SetCursor(LoadCursor(NULL, IDC_WAIT)); }
