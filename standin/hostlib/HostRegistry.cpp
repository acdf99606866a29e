// HostRegistry: registry strings and file tests.

#include "ComObject.h"
#include "HostClasses.h"
#include "RegistryRead.h"
#include "core/host/HostCodes.h"

namespace zelva::hostlib {

namespace {

VARIANT_BOOL answerForAFile() {
    wchar_t text[8];
    const DWORD length = GetEnvironmentVariableW(L"ZELVA_HOSTLIB_FILE_ANSWER", text, 8);
    if (length == 0 || length >= 8) return VARIANT_TRUE;
    return static_cast<VARIANT_BOOL>(_wtoi(text));
}

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

    // True (-1) for an existing file; a directory is not a file. A test may set
    // another answer for an existing file in ZELVA_HOSTLIB_FILE_ANSWER, to see
    // how a client takes a host that answers otherwise.
    HRESULT STDMETHODCALLTYPE FileExists(BSTR* path, VARIANT_BOOL* exists) override {
        if (!path || !exists) return E_POINTER;
        const DWORD attributes = GetFileAttributesW(textOf(path).c_str());
        const bool file = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        *exists = file ? answerForAFile() : VARIANT_FALSE;
        return S_OK;
    }

    ZELVA_UNUSED_SLOT(1)
    ZELVA_UNUSED_SLOT(2)
};

}  // namespace

HRESULT createHostRegistry(REFIID iid, void** out) { return createObject<HostRegistry>(iid, out); }

}  // namespace zelva::hostlib
