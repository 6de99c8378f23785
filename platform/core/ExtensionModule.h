#pragma once
// The extension-module chain. A module (the library, the host program) owns a table of
// resources (by id and type) and a list of run-time classes; a CDynLinkLibrary puts the
// module on the process-wide chain so that resources and classes are found by id or
// name, newest module first. AfxTermExtensionModule takes it off again.

#include <cstddef>
#include <span>
#include <vector>

#include "platform/core/CObject.h"

namespace plat {

enum class ResourceType { Bitmap, Icon, String, Dialog, Data };

struct ResourceEntry {
    UINT id;
    ResourceType type;
    std::span<const std::byte> bytes;
};

// What a module is made of; HINSTANCE points at one.
struct ModuleImage {
    const char* name;
    std::vector<ResourceEntry> resources;
    std::vector<const CRuntimeClass*> classes;
};

// The newest module on the chain that holds the resource, or an empty span.
SUI_API std::span<const std::byte> FindResourceOnChain(UINT id, ResourceType type);
SUI_API const CRuntimeClass* FindClassOnChain(const char* className);
// Number of modules on the chain (for tests and diagnostics).
SUI_API int ModulesOnChain();

}  // namespace plat

using HINSTANCE = plat::ModuleImage*;
using HMODULE = plat::ModuleImage*;

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

class SUI_API CDynLinkLibrary : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // Joins the module of state to the chain; the chain owns the object from then on.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    ~CDynLinkLibrary() override;
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    HMODULE m_hModule;
    HMODULE m_hResource;
};

// Records the module in state; FALSE for a null module.
SUI_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
// Removes every CDynLinkLibrary of the module from the chain (deleting them) and marks
// the record uninitialised.
SUI_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);
