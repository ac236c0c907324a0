// The extension object's two interfaces, its reference count, and how it holds
// the shell's data object.
#include "ContexoCopy.h"
#include "ExtensionHelpers.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class ExtensionObjectTest : public testing::Test
{
protected:
    CTempFolder m_Folder{"object"};
    CContexoCopy m_Contexo{m_Folder.Path()};

    void SetUp() override { ASSERT_TRUE(m_Contexo.IsLoaded()); }
};

TEST_F(ExtensionObjectTest, UnknownIsTheInitInterface)
{
    IContextMenu* pMenu = m_Contexo.Create<IContextMenu>(IID_IContextMenu);
    ASSERT_NE(nullptr, pMenu);
    IShellExtInit* pInit = NULL;
    IUnknown* pUnknown = NULL;
    IContextMenu* pMenuAgain = NULL;
    ASSERT_EQ(S_OK, pMenu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&pInit)));
    ASSERT_EQ(S_OK, pMenu->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)));
    ASSERT_EQ(S_OK, pInit->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&pMenuAgain)));
    EXPECT_EQ(static_cast<IUnknown*>(pInit), pUnknown);
    EXPECT_EQ(pMenu, pMenuAgain);
    EXPECT_NE(static_cast<void*>(pMenu), static_cast<void*>(pInit));

    void* pOther = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(E_NOINTERFACE, pInit->QueryInterface(IID_IDataObject, &pOther));
    EXPECT_EQ(NULL, pOther);

    EXPECT_EQ(3u, pMenuAgain->Release());
    EXPECT_EQ(2u, pUnknown->Release());
    EXPECT_EQ(1u, pInit->Release());
    EXPECT_EQ(S_FALSE, m_Contexo.CanUnloadNow());
    EXPECT_EQ(0u, pMenu->Release());
    EXPECT_EQ(S_OK, m_Contexo.CanUnloadNow());
}

TEST_F(ExtensionObjectTest, HoldsTheDataObjectUntilItDies)
{
    CTestDataObject data({"C:\\photos\\b.JPG"});
    IContextMenu* pMenu = CreateInitializedMenu(m_Contexo, data);
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ(2, data.m_nRefCount);
    pMenu->Release();
    EXPECT_EQ(1, data.m_nRefCount);
}

TEST_F(ExtensionObjectTest, NextInitializeReleasesTheEarlierDataObject)
{
    CTestDataObject first({"C:\\photos\\a.jpg"});
    CTestDataObject second({"C:\\photos\\b.jpg"});
    IShellExtInit* pInit = m_Contexo.Create<IShellExtInit>(IID_IShellExtInit);
    ASSERT_NE(nullptr, pInit);
    ASSERT_EQ(S_OK, pInit->Initialize(NULL, &first, NULL));
    ASSERT_EQ(S_OK, pInit->Initialize(NULL, &second, NULL));
    EXPECT_EQ(1, first.m_nRefCount);
    EXPECT_EQ(2, second.m_nRefCount);
    // Without a data object Initialize fails and holds nothing.
    EXPECT_EQ(E_FAIL, pInit->Initialize(NULL, NULL, NULL));
    EXPECT_EQ(1, second.m_nRefCount);
    pInit->Release();
    EXPECT_EQ(1, first.m_nRefCount);
    EXPECT_EQ(1, second.m_nRefCount);
}

} // namespace
