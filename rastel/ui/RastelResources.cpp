// rastel.dll joins the class library's resource chain while it is loaded, so
// programs find its dialog templates and bitmaps after their own.
#include "Framework.h"

namespace
{
HMODULE ThisModule()
{
    HMODULE module = NULL;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (LPCSTR)&ThisModule, &module);
    return module;
}

struct CResourceChainMember
{
    HMODULE module = ThisModule();
    CResourceChainMember() { AfxAddResourceModule(module); }
    ~CResourceChainMember() { AfxRemoveResourceModule(module); }
} g_member;
}
