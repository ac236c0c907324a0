// A null test of `this` that the optimiser keeps.
#pragma once

// MFC-style GetSafeHwnd()/GetSafeHandle() are called through null pointers;
// the compiler may assume `this` is never null, so the test goes through a
// pointer it cannot see through.
template <class T> inline const T* AfxOpaqueThis(const T* p)
{
    asm("" : "+r"(p));
    return p;
}
