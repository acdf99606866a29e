// HostClassRegistry: the class identifier registered for a ProgID.

#include "ComObject.h"
#include "HostClasses.h"

namespace zelva::hostlib {

namespace {

class HostClassRegistry final : public DualObject<IHostClassRegistry> {
public:
    HRESULT STDMETHODCALLTYPE ClassIdOf(BSTR* progId, long* reserved, BSTR* classId) override {
        if (!progId || !reserved || !classId) return E_POINTER;
        *classId = nullptr;
        const std::wstring name = textOf(progId);
        CLSID clsid;
        const HRESULT hr = CLSIDFromProgID(name.c_str(), &clsid);
        if (FAILED(hr))
            return fail(hr, IID_IHostClassRegistry, L"No class is registered for \"" + name + L"\".");
        wchar_t text[39];
        StringFromGUID2(clsid, text, 39);
        *classId = SysAllocString(text);
        return *classId ? S_OK : E_OUTOFMEMORY;
    }

    ZELVA_UNUSED_SLOT(1)
    ZELVA_UNUSED_SLOT(2)
    ZELVA_UNUSED_SLOT(3)
    ZELVA_UNUSED_SLOT(4)
};

}  // namespace

HRESULT createHostClassRegistry(REFIID iid, void** out) {
    return createObject<HostClassRegistry>(iid, out);
}

}  // namespace zelva::hostlib
