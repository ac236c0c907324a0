// CObject and CRuntimeClass: run-time class information and creation from a
// class descriptor, so frames, views, documents and threads can be made by
// the framework from a RUNTIME_CLASS(...) the program hands it.
//
//   class CMyView : public CView { DECLARE_DYNCREATE(CMyView) ... };
//   IMPLEMENT_DYNCREATE(CMyView, CView)      // in the .cpp
//
// CreateObject returns NULL for classes declared only DECLARE_DYNAMIC.
#pragma once

#include <windows.h>
#include "FrameworkApi.h"
#include "AfxSafeThis.h"

class CObject;


struct FRAMEWORK_API CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* (*m_pfnGetBaseClass)(); // a function, so descriptors in other modules need no relocation

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
    CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : NULL; }
};

class FRAMEWORK_API CObject
{
public:
    virtual ~CObject();
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* cls) const;

    static CRuntimeClass classCObject;

protected:
    CObject();

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, (int)sizeof(class_name), pfnNew, \
        []() -> CRuntimeClass* { return RUNTIME_CLASS(base_class_name); } }; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, &class_name::CreateObject)

// A pointer cast that checks the run-time class; NULL when it does not fit.
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((object) && (object)->IsKindOf(RUNTIME_CLASS(class_name)) ? static_cast<class_name*>(object) : (class_name*)NULL)
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
