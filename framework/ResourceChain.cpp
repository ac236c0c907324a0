// The resource chain's modules, shared by every thread of the process.
#include "ResourceChain.h"

namespace
{
const int kMaxModules = 16;
HMODULE s_modules[kMaxModules];
int s_count;
CRITICAL_SECTION s_lock;
struct LockInit
{
    LockInit() { InitializeCriticalSection(&s_lock); }
} s_lockInit;
}

void AfxAddResourceModule(HMODULE module)
{
    if (!module)
        return;
    EnterCriticalSection(&s_lock);
    bool present = false;
    for (int i = 0; i < s_count; ++i)
        present = present || s_modules[i] == module;
    if (!present && s_count < kMaxModules)
        s_modules[s_count++] = module;
    LeaveCriticalSection(&s_lock);
}

void AfxRemoveResourceModule(HMODULE module)
{
    EnterCriticalSection(&s_lock);
    for (int i = 0; i < s_count; ++i)
    {
        if (s_modules[i] != module)
            continue;
        for (int j = i + 1; j < s_count; ++j)
            s_modules[j - 1] = s_modules[j];
        --s_count;
        break;
    }
    LeaveCriticalSection(&s_lock);
}

HMODULE AfxGetResourceModule(int index)
{
    if (index == 0)
        return GetModuleHandleA(NULL);
    EnterCriticalSection(&s_lock);
    HMODULE module = index - 1 < s_count ? s_modules[index - 1] : NULL;
    LeaveCriticalSection(&s_lock);
    return module;
}

HMODULE AfxFindResourceHandle(LPCSTR name, LPCSTR type)
{
    for (int i = 0; HMODULE module = AfxGetResourceModule(i); ++i)
        if (FindResourceA(module, name, type))
            return module;
    return NULL;
}
