// The shell context menu: the real shell's verbs for a file, running one of
// them, and (through a recording stand-in for the shell) the id range, the
// verb offsets and the forwarding of the owner's menu messages.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "BaseFrameWindow.h"
#include "CMenu.h"
#include "ShellContextMenu.h"
#include "ShellTestKit.h"

using shell_test::ShellObject;
using shell_test::TempFolder;

namespace
{
const UINT FirstId = 20000;
const UINT LastId = 21000;
const UINT ExploreNoDefault = 0x24; // CMF_EXPLORE | CMF_NODEFAULT

struct MenuEntry
{
    UINT id;
    std::string text;
    std::string verb;
};

// Every command item of a popup (sub-menus included), with its verb.
void CollectEntries(HMENU menu, CShellContextMenu& shell, std::vector<MenuEntry>& entries)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; i++)
    {
        char text[256] = "";
        MENUITEMINFOA info = {sizeof(info)};
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        if (!GetMenuItemInfoA(menu, i, TRUE, &info) || (info.fType & MFT_SEPARATOR))
            continue;
        if (info.hSubMenu)
            CollectEntries(info.hSubMenu, shell, entries);
        else
            entries.push_back({info.wID, text, std::string(shell.GetCommandVerb(info.wID))});
    }
}

class ShellMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.reset(new TempFolder("shellmenu"));
        m_file = m_folder->Touch("Holiday Photo.jpg");
        m_item.reset(new ShellObject(m_file));
        ASSERT_TRUE(m_item->Folder() && m_item->Relative());
        ASSERT_TRUE(m_popup.CreatePopupMenu());
    }
    void TearDown() override
    {
        m_menu.Release();
        m_item.reset();
        m_folder.reset();
    }

    std::unique_ptr<TempFolder> m_folder;
    std::string m_file;
    std::unique_ptr<ShellObject> m_item;
    CShellContextMenu m_menu;
    CMenu m_popup;
};
}

TEST_F(ShellMenu, FileMenuHoldsTheShellVerbsWithinTheIdRange)
{
    ASSERT_NE(0, m_menu.Create(m_item->Folder(), m_item->Relative()));
    int used = m_menu.FillMenu(&m_popup, 0, FirstId, LastId, ExploreNoDefault);
    ASSERT_GT(used, 0);
    std::vector<MenuEntry> entries;
    CollectEntries(m_popup.m_hMenu, m_menu, entries);
    std::set<std::string> verbs;
    for (const MenuEntry& entry : entries)
    {
        EXPECT_GE(entry.id, FirstId) << entry.text;
        EXPECT_LT(entry.id, FirstId + used) << entry.text;
        verbs.insert(entry.verb);
    }
    // What this system's shell offers for a file with these flags (Wine:
    // six commands; "Select" and "Rename" need other flags).
    EXPECT_EQ((std::set<std::string>{"open", "cut", "copy", "link", "delete", "properties"}), verbs);
    EXPECT_EQ(6u, entries.size());
}

TEST_F(ShellMenu, RenameComesWithTheCanRenameFlag)
{
    ASSERT_NE(0, m_menu.Create(m_item->Folder(), m_item->Relative()));
    int used = m_menu.FillMenu(&m_popup, 0, FirstId, LastId, CMF_NORMAL | CMF_CANRENAME);
    ASSERT_GT(used, 0);
    std::vector<MenuEntry> entries;
    CollectEntries(m_popup.m_hMenu, m_menu, entries);
    std::vector<std::string> texts;
    for (const MenuEntry& entry : entries)
    {
        std::string text;
        for (char c : entry.text)
            if (c != '&')
                text += c;
        texts.push_back(text);
        EXPECT_LT(entry.id, FirstId + used) << text;
    }
    // The eight commands this system's shell gives a file in a normal menu.
    EXPECT_EQ((std::vector<std::string>{"Select", "Open", "Cut", "Copy", "Create Link", "Delete", "Rename",
                                        "Properties"}),
              texts);
}

TEST_F(ShellMenu, ShellObjectsOfTheFrameHelperBuildTheSameMenu)
{
    // The way the browser and the viewer come to a file's menu.
    IMalloc* allocator = NULL;
    IShellFolder* folder = NULL;
    LPITEMIDLIST item = NULL;
    ASSERT_EQ(1, CBaseFrameWindow::GetShellVarsForFile(m_file.c_str(), &allocator, &folder, &item));
    ASSERT_NE(0, m_menu.Create(folder, item));
    ASSERT_GT(m_menu.FillMenu(&m_popup, 0, FirstId, LastId, ExploreNoDefault), 0);
    std::vector<MenuEntry> entries;
    CollectEntries(m_popup.m_hMenu, m_menu, entries);
    EXPECT_EQ(6u, entries.size());
    m_menu.Release();
    allocator->Free(item);
    folder->Release();
    allocator->Release();
}

TEST_F(ShellMenu, ItemsGoWhereThePositionSays)
{
    m_popup.AppendMenu(MF_STRING, 1, "First");
    m_popup.AppendMenu(MF_STRING, 2, "Last");
    ASSERT_NE(0, m_menu.Create(m_item->Folder(), m_item->Relative()));
    int used = m_menu.FillMenu(&m_popup, 1, FirstId, LastId, ExploreNoDefault);
    ASSERT_GT(used, 0);
    int count = m_popup.GetMenuItemCount();
    EXPECT_EQ(1u, m_popup.GetMenuItemID(0));
    EXPECT_EQ(2u, m_popup.GetMenuItemID(count - 1));
}

TEST_F(ShellMenu, CopyVerbPutsTheFileOnTheClipboard)
{
    ASSERT_NE(0, m_menu.Create(m_item->Folder(), m_item->Relative()));
    ASSERT_GT(m_menu.FillMenu(&m_popup, 0, FirstId, LastId, ExploreNoDefault), 0);
    std::vector<MenuEntry> entries;
    CollectEntries(m_popup.m_hMenu, m_menu, entries);
    UINT copyId = 0;
    for (const MenuEntry& entry : entries)
        if (entry.verb == "copy")
            copyId = entry.id;
    ASSERT_NE(0u, copyId);

    // Empty the clipboard first, so only the command can put the file there.
    ASSERT_TRUE(OpenClipboard(NULL));
    EmptyClipboard();
    CloseClipboard();
    shell_test::TestWindow owner("Shell menu owner");
    m_menu.SetOwner(&owner);
    EXPECT_NE(0, m_menu.InvokeCommand(copyId));
    m_menu.SetOwner(NULL);

    IDataObject* data = NULL;
    ASSERT_EQ(S_OK, OleGetClipboard(&data));
    FORMATETC format = {CF_HDROP, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    ASSERT_EQ(S_OK, data->GetData(&format, &medium));
    HDROP drop = (HDROP)medium.hGlobal;
    ASSERT_EQ(1u, DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0));
    char path[MAX_PATH] = "";
    DragQueryFileA(drop, 0, path, MAX_PATH);
    EXPECT_STRCASEEQ(m_file.c_str(), path);
    ReleaseStgMedium(&medium);
    data->Release();
    OleFlushClipboard();
}

TEST_F(ShellMenu, IdsOutsideTheFilledRangeRunNothing)
{
    ASSERT_NE(0, m_menu.Create(m_item->Folder(), m_item->Relative()));
    EXPECT_EQ(0, m_menu.InvokeCommand(FirstId)); // not filled yet
    ASSERT_GT(m_menu.FillMenu(&m_popup, 0, FirstId, LastId, ExploreNoDefault), 0);
    EXPECT_EQ(0, m_menu.InvokeCommand(FirstId - 1));
    EXPECT_EQ(0, m_menu.InvokeCommand(LastId + 1));
    EXPECT_TRUE(m_menu.GetCommandVerb(LastId + 1).IsEmpty());
}

TEST_F(ShellMenu, MissingShellObjectsGiveNoMenu)
{
    EXPECT_EQ(0, m_menu.Create(NULL, m_item->Relative()));
    EXPECT_EQ(0, m_menu.Create(m_item->Folder(), NULL));
    EXPECT_FALSE(m_menu.IsCreated());
    EXPECT_EQ(0, m_menu.FillMenu(&m_popup, 0, FirstId, LastId, ExploreNoDefault));
    EXPECT_EQ(0u, m_popup.GetMenuItemCount());
    EXPECT_EQ(0, m_menu.InvokeCommand(FirstId));
}

namespace
{
// A stand-in shell: a folder whose items have a recording IContextMenu3.
class RecordingMenu : public IContextMenu3
{
public:
    LONG refs = 1;
    UINT first = 0, last = 0, flags = 0, position = 0;
    std::vector<UINT_PTR> invoked;
    std::vector<UINT> messages;
    HWND invokedOwner = NULL;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IContextMenu) ||
            IsEqualIID(riid, IID_IContextMenu2) || IsEqualIID(riid, IID_IContextMenu3))
        {
            *out = static_cast<IContextMenu3*>(this);
            AddRef();
            return S_OK;
        }
        *out = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs); }
    STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&refs); }
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT indexMenu, UINT idFirst, UINT idLast, UINT uFlags) override
    {
        first = idFirst;
        last = idLast;
        flags = uFlags;
        position = indexMenu;
        InsertMenuA(menu, indexMenu, MF_BYPOSITION | MF_STRING, idFirst + 0, "&Open");
        InsertMenuA(menu, indexMenu + 1, MF_BYPOSITION | MF_OWNERDRAW, idFirst + 4, NULL);
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 5);
    }
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override
    {
        invoked.push_back((UINT_PTR)info->lpVerb);
        invokedOwner = info->hwnd;
        return S_OK;
    }
    STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT type, UINT*, LPSTR name, UINT cch) override
    {
        if (type != GCS_VERBA || idCmd != 0)
            return E_INVALIDARG;
        lstrcpynA(name, "open", cch);
        return S_OK;
    }
    STDMETHODIMP HandleMenuMsg(UINT msg, WPARAM, LPARAM) override
    {
        messages.push_back(msg);
        return S_OK;
    }
    STDMETHODIMP HandleMenuMsg2(UINT msg, WPARAM, LPARAM, LRESULT* result) override
    {
        messages.push_back(msg);
        if (result)
            *result = msg == WM_MENUCHAR ? MAKELRESULT(1, MNC_EXECUTE) : TRUE;
        return S_OK;
    }
};

class RecordingFolder : public IShellFolder
{
public:
    RecordingMenu menu;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override
    {
        *out = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
    STDMETHODIMP BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_NOTIMPL; }
    STDMETHODIMP CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return E_NOTIMPL; }
    STDMETHODIMP GetUIObjectOf(HWND, UINT count, PCUITEMID_CHILD_ARRAY, REFIID riid, UINT*, void** out) override
    {
        if (count != 1 || !IsEqualIID(riid, IID_IContextMenu))
            return E_FAIL;
        menu.AddRef();
        *out = static_cast<IContextMenu*>(&menu);
        return S_OK;
    }
    STDMETHODIMP GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*) override { return E_NOTIMPL; }
    STDMETHODIMP SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override { return E_NOTIMPL; }
};

// One item id of one byte, enough for the stand-in.
#pragma pack(push, 1)
struct PackedItem
{
    USHORT cb;
    BYTE data;
    USHORT end;
};
#pragma pack(pop)
const PackedItem TheItem = {3, 1, 0};
LPCITEMIDLIST Item() { return (LPCITEMIDLIST)&TheItem; }
}

TEST(ShellMenuRange, FillPassesRangePositionAndFlagsAndCountsTheIdsUsed)
{
    RecordingFolder folder;
    CShellContextMenu menu;
    ASSERT_NE(0, menu.Create(&folder, Item()));
    CMenu popup;
    popup.CreatePopupMenu();
    EXPECT_EQ(5, menu.FillMenu(&popup, 0, FirstId, LastId, ExploreNoDefault));
    EXPECT_EQ(FirstId, folder.menu.first);
    EXPECT_EQ(LastId, folder.menu.last);
    EXPECT_EQ(ExploreNoDefault, folder.menu.flags);
    EXPECT_EQ(0u, folder.menu.position);
    EXPECT_EQ(2u, popup.GetMenuItemCount());
}

TEST(ShellMenuRange, InvokePassesTheIdsOffsetFromTheFirstId)
{
    RecordingFolder folder;
    CShellContextMenu menu;
    ASSERT_NE(0, menu.Create(&folder, Item()));
    CMenu popup;
    popup.CreatePopupMenu();
    menu.FillMenu(&popup, 0, 30000, 30010, 0);
    EXPECT_NE(0, menu.InvokeCommand(30004));
    EXPECT_NE(0, menu.InvokeCommand(30000));
    EXPECT_EQ(0, menu.InvokeCommand(30011));
    EXPECT_EQ((std::vector<UINT_PTR>{4, 0}), folder.menu.invoked);
    EXPECT_EQ("open", std::string(menu.GetCommandVerb(30000)));
    EXPECT_TRUE(menu.GetCommandVerb(30004).IsEmpty());
}

TEST(ShellMenuRange, ReleaseDropsTheShellMenu)
{
    RecordingFolder folder;
    {
        CShellContextMenu menu;
        ASSERT_NE(0, menu.Create(&folder, Item()));
        EXPECT_GT(folder.menu.refs, 1);
        // A second Create releases the first menu.
        ASSERT_NE(0, menu.Create(&folder, Item()));
    }
    EXPECT_EQ(1, folder.menu.refs);
}

TEST(ShellMenuOwner, MenuMessagesReachTheShellOnlyWhileTheOwnerIsSet)
{
    RecordingFolder folder;
    CShellContextMenu menu;
    ASSERT_NE(0, menu.Create(&folder, Item()));
    CMenu popup;
    popup.CreatePopupMenu();
    menu.FillMenu(&popup, 0, FirstId, LastId, 0);
    shell_test::TestWindow owner("Owner");
    CMenu sub;
    sub.CreatePopupMenu();
    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, FirstId + 4, 0, 0, 0};
    MEASUREITEMSTRUCT ownControl = {ODT_BUTTON, 7, 0, 0, 0, 0};
    MEASUREITEMSTRUCT otherItem = {ODT_MENU, 0, 100, 0, 0, 0};

    ::SendMessageA(owner.m_hWnd, WM_INITMENUPOPUP, (WPARAM)sub.m_hMenu, 0);
    EXPECT_TRUE(folder.menu.messages.empty());

    menu.SetOwner(&owner);
    ::SendMessageA(owner.m_hWnd, WM_INITMENUPOPUP, (WPARAM)sub.m_hMenu, 0);
    EXPECT_EQ(TRUE, ::SendMessageA(owner.m_hWnd, WM_MEASUREITEM, 0, (LPARAM)&measure));
    ::SendMessageA(owner.m_hWnd, WM_MEASUREITEM, 7, (LPARAM)&ownControl);
    ::SendMessageA(owner.m_hWnd, WM_MEASUREITEM, 0, (LPARAM)&otherItem);
    EXPECT_EQ(MAKELRESULT(1, MNC_EXECUTE), ::SendMessageA(owner.m_hWnd, WM_MENUCHAR, 'o', (LPARAM)sub.m_hMenu));
    EXPECT_EQ((std::vector<UINT>{WM_INITMENUPOPUP, WM_MEASUREITEM, WM_MENUCHAR}), folder.menu.messages);

    // The owner's handle goes with the command.
    menu.InvokeCommand(FirstId);
    EXPECT_EQ(owner.m_hWnd, folder.menu.invokedOwner);

    menu.SetOwner(NULL);
    folder.menu.messages.clear();
    ::SendMessageA(owner.m_hWnd, WM_INITMENUPOPUP, (WPARAM)sub.m_hMenu, 0);
    ::SendMessageA(owner.m_hWnd, WM_MEASUREITEM, 0, (LPARAM)&measure);
    EXPECT_TRUE(folder.menu.messages.empty());
    menu.InvokeCommand(FirstId);
    EXPECT_EQ(NULL, folder.menu.invokedOwner);
}

TEST(ShellMenuOwner, OwnerDestroyedWhileSetIsForgotten)
{
    RecordingFolder folder;
    CShellContextMenu menu;
    ASSERT_NE(0, menu.Create(&folder, Item()));
    CMenu popup;
    popup.CreatePopupMenu();
    menu.FillMenu(&popup, 0, FirstId, LastId, 0);
    HWND gone;
    {
        shell_test::TestWindow owner("Short-lived owner");
        menu.SetOwner(&owner);
        gone = owner.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_NE(0, menu.InvokeCommand(FirstId));
    EXPECT_EQ(NULL, folder.menu.invokedOwner);
    menu.SetOwner(NULL);
}
