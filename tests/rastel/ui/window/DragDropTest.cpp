// Drag and drop between two windows of ours: a data source with a drop-files
// object dragged onto a registered drop target where the cursor is.
#include <gtest/gtest.h>
#include <shlobj.h>
#include "COleDataSource.h"
#include "COleDataObject.h"
#include "COleDropTarget.h"
#include "ClipBoardData.h"
#include "CWnd.h"

namespace
{
class CFileDropTarget : public COleDropTarget
{
public:
    int m_enters = 0, m_drops = 0;
    CPoint m_dropPoint;
    CString m_first, m_second;
    UINT m_count = 0;
    DROPEFFECT m_offer = DROPEFFECT_COPY;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD, CPoint) override
    {
        ++m_enters;
        return data->IsDataAvailable(CF_HDROP) ? m_offer : DROPEFFECT_NONE;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD, CPoint) override
    {
        return data->IsDataAvailable(CF_HDROP) ? m_offer : DROPEFFECT_NONE;
    }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint point) override
    {
        ++m_drops;
        m_dropPoint = point;
        HGLOBAL block = data->GetGlobalData(CF_HDROP);
        if (!block)
            return FALSE;
        HDROP drop = (HDROP)block;
        m_count = DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0);
        char name[MAX_PATH] = "";
        DragQueryFileA(drop, 0, name, MAX_PATH);
        m_first = name;
        DragQueryFileA(drop, 1, name, MAX_PATH);
        m_second = name;
        GlobalFree(block);
        return TRUE;
    }
};

class DragDrop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        LPCSTR cls = AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        ASSERT_TRUE(m_source.CreateEx(0, cls, "source", WS_POPUP | WS_VISIBLE, 50, 50, 200, 200, NULL, NULL));
        ASSERT_TRUE(m_target.CreateEx(0, cls, "target", WS_POPUP | WS_VISIBLE, 400, 50, 200, 200, NULL, NULL));
        ASSERT_TRUE(m_dropTarget.Register(&m_target));
        m_files.RegisterFile("C:\\pictures\\one.jpg");
        m_files.RegisterFile("C:\\pictures\\two.jpg");
    }
    void TearDown() override
    {
        m_dropTarget.Revoke();
        m_source.DestroyWindow();
        m_target.DestroyWindow();
        OleUninitialize();
    }
    CWnd m_source, m_target;
    CFileDropTarget m_dropTarget;
    CClipBoardData m_files;
};
}

TEST_F(DragDrop, FilesDraggedOntoOurOtherWindowArriveThere)
{
    SetCursorPos(400 + 70, 50 + 90);
    COleDataSource source;
    source.CacheGlobalData(CF_HDROP, m_files.CreateGlobalObject());
    DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    EXPECT_EQ(effect, (DROPEFFECT)DROPEFFECT_COPY);
    EXPECT_EQ(m_dropTarget.m_drops, 1);
    EXPECT_EQ(m_dropTarget.m_count, 2u);
    EXPECT_STREQ(m_dropTarget.m_first, "C:\\pictures\\one.jpg");
    EXPECT_STREQ(m_dropTarget.m_second, "C:\\pictures\\two.jpg");
    EXPECT_EQ(m_dropTarget.m_dropPoint, CPoint(70, 90)); // client coordinates of the target
}

TEST_F(DragDrop, EffectOutsideWhatTheSourceAllowsIsRefused)
{
    SetCursorPos(400 + 70, 50 + 90);
    m_dropTarget.m_offer = DROPEFFECT_MOVE;
    COleDataSource source;
    source.CacheGlobalData(CF_HDROP, m_files.CreateGlobalObject());
    EXPECT_EQ(source.DoDragDrop(DROPEFFECT_COPY), (DROPEFFECT)DROPEFFECT_NONE);
    EXPECT_EQ(m_dropTarget.m_drops, 0);
}

TEST_F(DragDrop, DroppingWhereNoTargetIsRegisteredChangesNothing)
{
    SetCursorPos(50 + 100, 50 + 100); // over the source window, which accepts nothing
    COleDataSource source;
    source.CacheGlobalData(CF_HDROP, m_files.CreateGlobalObject());
    EXPECT_EQ(source.DoDragDrop(), (DROPEFFECT)DROPEFFECT_NONE);
    EXPECT_EQ(m_dropTarget.m_drops, 0);
}

TEST(OleClipboard, DataSourceOnTheClipboardReadsBackAsDropFiles)
{
    ASSERT_TRUE(AfxOleInit());
    CClipBoardData files;
    files.RegisterFile("C:\\x\\y.png");
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(CF_HDROP, files.CreateGlobalObject());
    source->SetClipboard();
    source->InternalRelease(); // the clipboard keeps the data
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(CF_HDROP));
    EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
    HGLOBAL block = data.GetGlobalData(CF_HDROP);
    ASSERT_NE(block, nullptr);
    char name[MAX_PATH] = "";
    DragQueryFileA((HDROP)block, 0, name, MAX_PATH);
    EXPECT_STREQ(name, "C:\\x\\y.png");
    GlobalFree(block);
    data.Release();
    OleSetClipboard(NULL);
    OleUninitialize();
}
