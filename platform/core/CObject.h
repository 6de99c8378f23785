#pragma once
// CObject and run-time class information. A class that takes part declares
//     static const CRuntimeClass runtimeClass;
//     const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
// and defines runtimeClass with plat::MakeRuntimeClass<Class, Base>("Class").
// RuntimeClass<T>() stands for the framework's RUNTIME_CLASS(T).

#include <type_traits>

#include "platform/core/WinTypes.h"

class CObject;

struct SUI_API CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    const CRuntimeClass* m_pBaseClass;
    CObject* (*m_pfnCreateObject)();

    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
    // A new object for classes that can be made without arguments, else nullptr.
    CObject* CreateObject() const;
    // Searches the classes of the modules on the extension-module chain.
    static const CRuntimeClass* FromName(const char* className);
};

class SUI_API CObject {
public:
    virtual ~CObject() = default;
    static const CRuntimeClass runtimeClass;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &runtimeClass; }
    BOOL IsKindOf(const CRuntimeClass* cls) const;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

template <class T>
const CRuntimeClass* RuntimeClass() {
    return &T::runtimeClass;
}

namespace plat {

template <class T>
CObject* CreateObjectOf() {
    if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>) {
        return new T;
    } else {
        return nullptr;
    }
}

template <class T, class Base>
constexpr CRuntimeClass MakeRuntimeClass(const char* name) {
    return CRuntimeClass{name, static_cast<int>(sizeof(T)), &Base::runtimeClass,
                         &CreateObjectOf<T>};
}

}  // namespace plat

// Checked down-cast in the framework's spirit: nullptr unless obj is of class T.
template <class T>
T* DynamicDownCast(CObject* obj) {
    return (obj && obj->IsKindOf(RuntimeClass<T>())) ? static_cast<T*>(obj) : nullptr;
}
