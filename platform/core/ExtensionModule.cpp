#include "platform/core/ExtensionModule.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

// The chain, newest module first. It owns its CDynLinkLibrary objects.
struct Chain {
    std::mutex lock;
    std::vector<CDynLinkLibrary*> libraries;
};

// Never destroyed: modules leave the chain during unload, after ordinary statics may
// already be gone.
Chain& TheChain() {
    static Chain* const chain = new Chain;
    return *chain;
}

}  // namespace

const CRuntimeClass CDynLinkLibrary::runtimeClass =
    plat::MakeRuntimeClass<CDynLinkLibrary, CObject>("CDynLinkLibrary");

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource) {
    Chain& chain = TheChain();
    const std::lock_guard guard(chain.lock);
    chain.libraries.insert(chain.libraries.begin(), this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    Chain& chain = TheChain();
    const std::lock_guard guard(chain.lock);
    std::erase(chain.libraries, this);
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module) {
    if (!module) {
        return FALSE;
    }
    if (!state.bInitialized) {
        state.hModule = module;
        state.hResource = module;
        state.bInitialized = TRUE;
    }
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL /*all*/) {
    if (!state.bInitialized) {
        return;
    }
    std::vector<CDynLinkLibrary*> leaving;
    {
        Chain& chain = TheChain();
        const std::lock_guard guard(chain.lock);
        for (CDynLinkLibrary* library : chain.libraries) {
            if (library->m_hModule == state.hModule) {
                leaving.push_back(library);
            }
        }
    }
    for (CDynLinkLibrary* library : leaving) {
        delete library;  // its destructor takes it off the chain
    }
    state.bInitialized = FALSE;
}

namespace plat {

std::span<const std::byte> FindResourceOnChain(UINT id, ResourceType type) {
    Chain& chain = TheChain();
    const std::lock_guard guard(chain.lock);
    for (const CDynLinkLibrary* library : chain.libraries) {
        if (!library->m_hResource) {
            continue;
        }
        for (const ResourceEntry& entry : library->m_hResource->resources) {
            if (entry.id == id && entry.type == type) {
                return entry.bytes;
            }
        }
    }
    return {};
}

const CRuntimeClass* FindClassOnChain(const char* className) {
    Chain& chain = TheChain();
    const std::lock_guard guard(chain.lock);
    for (const CDynLinkLibrary* library : chain.libraries) {
        if (!library->m_hModule) {
            continue;
        }
        for (const CRuntimeClass* cls : library->m_hModule->classes) {
            if (std::strcmp(cls->m_lpszClassName, className) == 0) {
                return cls;
            }
        }
    }
    return nullptr;
}

int ModulesOnChain() {
    Chain& chain = TheChain();
    const std::lock_guard guard(chain.lock);
    return static_cast<int>(chain.libraries.size());
}

}  // namespace plat
