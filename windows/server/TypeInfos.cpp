#include "TypeInfos.h"

#include <mutex>

#include "IronCADAO.h"
#include "Zelvacorin.h"
#include "windows/comvalues/ComPtr.h"
#include "ServerModule.h"

namespace zelva::server {

namespace {

constexpr int kInterfaces = 3;

std::mutex cacheMutex;
ITypeInfo* cache[kInterfaces];

HRESULT load(DualInterface which, ITypeInfo** info) {
    comvalues::ComPtr<ITypeLib> library;
    HRESULT hr;
    if (which == DualInterface::ProjectedThreads) {
        hr = LoadRegTypeLib(LIBID_IronCADAO, 3, 21, LOCALE_NEUTRAL, library.put());
        if (SUCCEEDED(hr)) hr = ITypeLib_GetTypeInfoOfGuid(library.get(), IID_IC2DProjectedThreads, info);
    } else {
        hr = LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, library.put());
        const IID& iid = which == DualInterface::PShape ? IID__PShape : IID__DropHook;
        if (SUCCEEDED(hr)) hr = ITypeLib_GetTypeInfoOfGuid(library.get(), iid, info);
    }
    return hr;
}

}  // namespace

HRESULT typeInfoOf(DualInterface which, ITypeInfo** info) {
    *info = nullptr;
    std::lock_guard<std::mutex> guard(cacheMutex);
    ITypeInfo*& cached = cache[static_cast<int>(which)];
    if (!cached) {
        const HRESULT hr = load(which, &cached);
        if (FAILED(hr)) return hr;
    }
    ITypeInfo_AddRef(cached);
    *info = cached;
    return S_OK;
}

void releaseTypeInfos() {
    std::lock_guard<std::mutex> guard(cacheMutex);
    for (ITypeInfo*& info : cache) {
        if (info) ITypeInfo_Release(info);
        info = nullptr;
    }
}

}  // namespace zelva::server
