// The class factory, DllGetClassObject and the live-object count behind
// DllCanUnloadNow.
#include "ContexoCopy.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

void* const GARBAGE = reinterpret_cast<void*>(0x1234);

class ClassFactoryTest : public testing::Test
{
protected:
    CTempFolder m_Folder{"factory"};
    CContexoCopy m_Contexo{m_Folder.Path()};

    void SetUp() override { ASSERT_TRUE(m_Contexo.IsLoaded()); }

    IClassFactory* GetFactory()
    {
        IClassFactory* pFactory = NULL;
        EXPECT_EQ(S_OK, m_Contexo.GetClassObject(CLSID_ContexoUnderTest, IID_IClassFactory,
                                                 reinterpret_cast<void**>(&pFactory)));
        return pFactory;
    }
};

TEST_F(ClassFactoryTest, OtherClassIsNotAvailable)
{
    void* pObject = GARBAGE;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE,
              m_Contexo.GetClassObject(CLSID_NULL, IID_IClassFactory, &pObject));
    EXPECT_EQ(NULL, pObject);
    // A neighbouring id (last byte differs) is another class too.
    CLSID neighbour = CLSID_ContexoUnderTest;
    neighbour.Data4[7] ^= 1;
    pObject = GARBAGE;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, m_Contexo.GetClassObject(neighbour, IID_IClassFactory, &pObject));
    EXPECT_EQ(NULL, pObject);
    EXPECT_EQ(S_OK, m_Contexo.CanUnloadNow());
}

TEST_F(ClassFactoryTest, AnswersUnknownAndClassFactoryWithItself)
{
    IClassFactory* pFactory = GetFactory();
    ASSERT_NE(nullptr, pFactory);
    IUnknown* pUnknown = NULL;
    ASSERT_EQ(S_OK, pFactory->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)));
    EXPECT_EQ(static_cast<IUnknown*>(pFactory), pUnknown);
    void* pOther = GARBAGE;
    EXPECT_EQ(E_NOINTERFACE, pFactory->QueryInterface(IID_IContextMenu, &pOther));
    EXPECT_EQ(NULL, pOther);
    // Two references now: the query added one.
    EXPECT_EQ(1u, pUnknown->Release());
    EXPECT_EQ(0u, pFactory->Release());
    EXPECT_EQ(S_OK, m_Contexo.CanUnloadNow());
}

TEST_F(ClassFactoryTest, UnknownInterfaceLeavesNoFactoryBehind)
{
    void* pObject = GARBAGE;
    EXPECT_EQ(E_NOINTERFACE, m_Contexo.GetClassObject(CLSID_ContexoUnderTest, IID_IContextMenu, &pObject));
    EXPECT_EQ(NULL, pObject);
    EXPECT_EQ(S_OK, m_Contexo.CanUnloadNow());
}

TEST_F(ClassFactoryTest, RefusesAggregation)
{
    IClassFactory* pFactory = GetFactory();
    ASSERT_NE(nullptr, pFactory);
    void* pObject = GARBAGE;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, pFactory->CreateInstance(pFactory, IID_IContextMenu, &pObject));
    EXPECT_EQ(NULL, pObject);
    pFactory->Release();
    EXPECT_EQ(S_OK, m_Contexo.CanUnloadNow());
}

TEST_F(ClassFactoryTest, CreateInstanceWithUnknownInterfaceDestroysTheObject)
{
    IClassFactory* pFactory = GetFactory();
    ASSERT_NE(nullptr, pFactory);
    void* pObject = GARBAGE;
    EXPECT_EQ(E_NOINTERFACE, pFactory->CreateInstance(NULL, IID_IDataObject, &pObject));
    EXPECT_EQ(NULL, pObject);
    pFactory->Release();
    EXPECT_EQ(S_OK, m_Contexo.CanUnloadNow());
}

TEST_F(ClassFactoryTest, CanUnloadOnlyWhenEveryObjectIsReleased)
{
    EXPECT_EQ(S_OK, m_Contexo.CanUnloadNow());
    IClassFactory* pFactory = GetFactory();
    ASSERT_NE(nullptr, pFactory);
    EXPECT_EQ(S_FALSE, m_Contexo.CanUnloadNow());

    IContextMenu* pFirst = NULL;
    IContextMenu* pSecond = NULL;
    ASSERT_EQ(S_OK, pFactory->CreateInstance(NULL, IID_IContextMenu, reinterpret_cast<void**>(&pFirst)));
    ASSERT_EQ(S_OK, pFactory->CreateInstance(NULL, IID_IContextMenu, reinterpret_cast<void**>(&pSecond)));
    pFactory->Release();
    EXPECT_EQ(S_FALSE, m_Contexo.CanUnloadNow());

    pFirst->Release();
    EXPECT_EQ(S_FALSE, m_Contexo.CanUnloadNow());
    // An extra reference keeps the last object alive.
    pSecond->AddRef();
    pSecond->Release();
    EXPECT_EQ(S_FALSE, m_Contexo.CanUnloadNow());
    pSecond->Release();
    EXPECT_EQ(S_OK, m_Contexo.CanUnloadNow());
}

} // namespace
