// CCmdTarget: an object that receives commands through its message map.
// OnCmdMsg finds the handler for a command id (or a command-state update, or
// a control notification) in the map of this class and its bases; derived
// targets override it to route further (frame -> view -> document -> frame ->
// application).
#pragma once

#include <windows.h>
#include "CObject.h"
#include "AfxMsgMap.h"
#include "FrameworkApi.h"

class CCmdUI;

// OnCmdMsg with a handler-info record only reports whether a handler exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// The extra data of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

class FRAMEWORK_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra is the CCmdUI*), a
    // control's notification code, or MAKELONG(code, WM_NOTIFY) (pExtra is an
    // AFX_NOTIFY*). Returns TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // The first entry of the maps from this class down to CCmdTarget that
    // matches; NULL when none does.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT nMessage, UINT nCode, UINT nID);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    // Calls a command, update or notification handler; FALSE when an update
    // handler left the state untouched is not distinguished (handled = TRUE).
    static BOOL DispatchCmdMsg(CCmdTarget* target, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra,
                               UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo);
};
