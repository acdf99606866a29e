#include "HostClassObjects.h"

namespace zelva::server {

HRESULT ClassObjects::create(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    auto held = held_.begin();
    while (held != held_.end() && !IsEqualCLSID(held->clsid, clsid)) ++held;
    if (held == held_.end()) {
        comvalues::ComPtr<IClassFactory> factory;
        const HRESULT hr = CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                            factory.putVoid());
        if (FAILED(hr)) return hr;
        held = held_.insert(held_.end(), Held{clsid, std::move(factory)});
    }
    return IClassFactory_CreateInstance(held->factory.get(), nullptr, iid, out);
}

}  // namespace zelva::server
