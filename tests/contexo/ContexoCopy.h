// Loads a private copy of Contexo.dll from a test folder, so every test has its
// own module instance (its own live-object count and its own folder for the
// programs it starts), and reaches the four exports.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <string>

// {4C17BBF3-767C-4DFE-B4FD-BFD54EA50F95}
static const CLSID CLSID_ContexoUnderTest =
    { 0x4C17BBF3, 0x767C, 0x4DFE, { 0xB4, 0xFD, 0xBF, 0xD5, 0x4E, 0xA5, 0x0F, 0x95 } };
static const char CONTEXO_CLSID_TEXT[] = "{4C17BBF3-767C-4DFE-B4FD-BFD54EA50F95}";

inline std::string BuiltBinary(const char* name)
{
    return std::string(PIXMERE_BIN_DIR) + "\\" + name;
}

class CContexoCopy
{
public:
    typedef HRESULT (STDAPICALLTYPE *GetClassObjectFunction)(REFCLSID, REFIID, void**);
    typedef HRESULT (STDAPICALLTYPE *PlainFunction)();

    explicit CContexoCopy(const std::string& folder)
        : m_Path(folder + "\\Contexo.dll")
    {
        if (CopyFileA(BuiltBinary("Contexo.dll").c_str(), m_Path.c_str(), FALSE))
            m_hModule = LoadLibraryA(m_Path.c_str());
        if (m_hModule == NULL)
            return;
        m_pGetClassObject = reinterpret_cast<GetClassObjectFunction>(
            reinterpret_cast<void*>(GetProcAddress(m_hModule, "DllGetClassObject")));
        m_pCanUnloadNow = reinterpret_cast<PlainFunction>(
            reinterpret_cast<void*>(GetProcAddress(m_hModule, "DllCanUnloadNow")));
        m_pRegisterServer = reinterpret_cast<PlainFunction>(
            reinterpret_cast<void*>(GetProcAddress(m_hModule, "DllRegisterServer")));
        m_pUnregisterServer = reinterpret_cast<PlainFunction>(
            reinterpret_cast<void*>(GetProcAddress(m_hModule, "DllUnregisterServer")));
    }
    ~CContexoCopy()
    {
        if (m_hModule != NULL)
            FreeLibrary(m_hModule);
    }

    bool IsLoaded() const
    {
        return m_pGetClassObject && m_pCanUnloadNow && m_pRegisterServer && m_pUnregisterServer;
    }
    const std::string& Path() const { return m_Path; }

    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** ppv) { return m_pGetClassObject(clsid, iid, ppv); }
    HRESULT CanUnloadNow() { return m_pCanUnloadNow(); }
    HRESULT RegisterServer() { return m_pRegisterServer(); }
    HRESULT UnregisterServer() { return m_pUnregisterServer(); }

    // A new extension object through the class factory, as the shell makes one;
    // null on any failure.
    template <class Interface>
    Interface* Create(REFIID iid)
    {
        IClassFactory* pFactory = NULL;
        if (FAILED(GetClassObject(CLSID_ContexoUnderTest, IID_IClassFactory,
                                  reinterpret_cast<void**>(&pFactory))) || pFactory == NULL)
            return NULL;
        Interface* pObject = NULL;
        HRESULT hr = pFactory->CreateInstance(NULL, iid, reinterpret_cast<void**>(&pObject));
        pFactory->Release();
        return SUCCEEDED(hr) ? pObject : NULL;
    }

private:
    std::string m_Path;
    HMODULE m_hModule = NULL;
    GetClassObjectFunction m_pGetClassObject = NULL;
    PlainFunction m_pCanUnloadNow = NULL;
    PlainFunction m_pRegisterServer = NULL;
    PlainFunction m_pUnregisterServer = NULL;
};
