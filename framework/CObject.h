// CObject and run-time class records: the class name and base chain that
// IsKindOf and DYNAMIC_DOWNCAST use.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

class CObject;

struct MORVA_API CRuntimeClass
{
    LPCSTR m_lpszClassName;            // the class's name
    const CRuntimeClass* m_pBaseClass; // record of the base class, null for CObject

    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class MORVA_API CObject
{
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static const CRuntimeClass classCObject;
    static const CRuntimeClass* GetThisClass() { return &classCObject; }

protected:
    CObject() = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                  \
public:                                                              \
    static const CRuntimeClass class##class_name;                    \
    static const CRuntimeClass* GetThisClass() { return &class##class_name; } \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)               \
    const CRuntimeClass class_name::class##class_name = {            \
        #class_name, RUNTIME_CLASS(base_class_name)};                \
    const CRuntimeClass* class_name::GetRuntimeClass() const         \
    {                                                                \
        return RUNTIME_CLASS(class_name);                            \
    }

template <class T>
T* AfxDynamicDownCast(CObject* p)
{
    return p != nullptr && p->IsKindOf(T::GetThisClass()) ? static_cast<T*>(p) : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) AfxDynamicDownCast<class_name>(object)
