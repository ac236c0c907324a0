// A browser window made in the test's thread the way a browser thread makes
// it (document template, frame, splitter with both panes), destroyed when
// the object goes; and a probe that records what a command's update
// handler sets.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>
#include "Framework.h"
#include "CCmdUI.h"
#include "CDocTemplate.h"
#include "WindowTestKit.h"
#include "BrowserFrame.h"
#include "BrowserView.h"
#include "LeftView.h"
#include "StubDocument.h"
#include "resource.h"

namespace frame_test
{
class StateProbe : public CCmdUI
{
public:
    explicit StateProbe(UINT id) { m_nID = id; }
    bool enabled = true;
    int check = -1;
    void Enable(BOOL bOn = TRUE) override
    {
        enabled = bOn != FALSE;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck = 1) override { check = nCheck; }
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

class RunningBrowser
{
public:
    RunningBrowser()
        : m_template(IDR_MAINFRAME, RUNTIME_CLASS(CStubDocument), RUNTIME_CLASS(CBrowserFrame),
                     RUNTIME_CLASS(CLeftView))
    {
        CFrameWnd* frame = m_template.CreateNewFrame(NULL, NULL);
        m_frame = dynamic_cast<CBrowserFrame*>(frame);
        if (m_frame)
        {
            m_template.InitialUpdateFrame(m_frame, NULL, TRUE);
            m_frame->SetWindowPos(NULL, 0, 0, 1000, 700, SWP_NOZORDER);
        }
        Pump(100);
    }
    ~RunningBrowser()
    {
        if (m_frame && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        AfxGetApp()->m_pMainWnd = NULL;
        Pump(20);
    }
    CBrowserFrame* Frame() const { return m_frame; }
    CBrowserView* View() const { return m_frame ? m_frame->GetBrowserView() : NULL; }

    void Pump(DWORD ms) { wintest::Pump(*AfxGetApp(), ms); }
    template <class Pred> bool PumpUntil(DWORD ms, Pred done) { return wintest::PumpUntil(*AfxGetApp(), ms, done); }
    // Sends a command the way a menu or an accelerator does.
    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, id, 0); }
    StateProbe Probe(UINT id)
    {
        StateProbe probe(id);
        probe.DoUpdate(m_frame, FALSE);
        return probe;
    }

private:
    CSingleDocTemplate m_template;
    CBrowserFrame* m_frame = NULL;
};
}
