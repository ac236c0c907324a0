// Run-time class descriptors and their walk to the base classes.
#include "CObject.h"

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), NULL, NULL};

CObject::CObject() {}
CObject::~CObject() {}

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : NULL;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* cls = this; cls; cls = cls->GetBaseClass())
        if (cls == base)
            return TRUE;
    return FALSE;
}
