#include "platform/core/CObject.h"

#include <cstring>

#include "platform/core/ExtensionModule.h"

const CRuntimeClass CObject::runtimeClass = {"CObject", sizeof(CObject), nullptr, nullptr};

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass) {
        if (cls == base) {
            return TRUE;
        }
    }
    return FALSE;
}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className) {
    if (!className) {
        return nullptr;
    }
    if (std::strcmp(className, CObject::runtimeClass.m_lpszClassName) == 0) {
        return &CObject::runtimeClass;
    }
    return plat::FindClassOnChain(className);
}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const {
    return GetRuntimeClass()->IsDerivedFrom(cls);
}
