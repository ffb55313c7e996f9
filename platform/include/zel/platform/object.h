#pragma once
// Run-time class records: the class name, its base and (for classes the framework creates by
// itself, such as documents, frames and views) a factory.

#include "zel/platform/types.h"

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    CObject* (*m_pfnCreateObject)();
    CObject* CreateObject() const {
        return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
    }
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
    static const CRuntimeClass classCObject;
};

#define RUNTIME_CLASS(cls) (&cls::class##cls)

#define DECLARE_DYNAMIC(cls)                                                                       \
public:                                                                                            \
    static const CRuntimeClass class##cls;                                                         \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(cls)                                                                     \
    DECLARE_DYNAMIC(cls)                                                                           \
    static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(cls, base)                                                               \
    const CRuntimeClass cls::class##cls = {#cls, RUNTIME_CLASS(base), nullptr};                    \
    const CRuntimeClass* cls::GetRuntimeClass() const {                                            \
        return &class##cls;                                                                        \
    }

#define IMPLEMENT_DYNCREATE(cls, base)                                                             \
    CObject* cls::CreateObject() {                                                                 \
        return new cls;                                                                            \
    }                                                                                              \
    const CRuntimeClass cls::class##cls = {#cls, RUNTIME_CLASS(base), &cls::CreateObject};         \
    const CRuntimeClass* cls::GetRuntimeClass() const {                                            \
        return &class##cls;                                                                        \
    }
