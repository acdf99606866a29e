// HostRegistry: registry strings and file tests.

#include "ComObject.h"
#include "HostClasses.h"
#include "RegistryRead.h"
#include "core/host/HostCodes.h"

namespace zelva::hostlib {

namespace {

class HostRegistry final : public DualObject<IHostRegistry> {
public:
    HRESULT STDMETHODCALLTYPE ReadString(long* root, BSTR* key, BSTR* valueName, BSTR* value,
                                         long* status) override {
        if (!root || !key || !valueName || !value || !status) return E_POINTER;
        if (*root != host::registry::LocalMachine)  // the only root read
            return fail(E_INVALIDARG, IID_IHostRegistry,
                        L"Unknown registry root " + std::to_wstring(*root) + L".");
        const RegistryString read = readRegistryString(HKEY_LOCAL_MACHINE, textOf(key), textOf(valueName));
        *status = read.status;
        return read.text ? assignText(value, *read.text) : S_OK;
    }

    // True for an existing file; a directory is not a file.
    HRESULT STDMETHODCALLTYPE FileExists(BSTR* path, VARIANT_BOOL* exists) override {
        if (!path || !exists) return E_POINTER;
        const DWORD attributes = GetFileAttributesW(textOf(path).c_str());
        const bool file = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        *exists = file ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }

    ZELVA_UNUSED_SLOT(1)
    ZELVA_UNUSED_SLOT(2)
};

}  // namespace

HRESULT createHostRegistry(REFIID iid, void** out) { return createObject<HostRegistry>(iid, out); }

}  // namespace zelva::hostlib
