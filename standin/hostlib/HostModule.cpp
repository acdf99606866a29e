// Entry points for class objects and unloading, and the state they share.

#include "HostModule.h"

#include <iterator>
#include <mutex>

#include "IronCADAO.h"
#include "HostClasses.h"
#include "windows/win32text/ModuleFileName.h"

namespace zelva::hostlib {

namespace {

HINSTANCE moduleInstance;
LONG liveObjects;
LONG serverLocks;

std::mutex typeLibMutex;
ITypeLib* typeLib;  // loaded on first use, released when the DLL may unload

// The factory of one class. Factories are static: counting their references
// keeps the DLL loaded while a client holds one.
class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(HRESULT (*create)(REFIID, void**)) : create_(create) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        moduleLock(true);
        return 2;
    }
    ULONG STDMETHODCALLTYPE Release() override {
        moduleLock(false);
        return 1;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return create_(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        moduleLock(lock);
        return S_OK;
    }

private:
    HRESULT (*create_)(REFIID, void**);
};

template <HRESULT (*Create)(REFIID, void**)>
IClassFactory* factoryOf() {
    static ClassFactory factory(Create);
    return &factory;
}

const HostClass hostClasses[] = {
    {CLSID_HostVector, L"HostVector", factoryOf<createHostVector>()},
    {CLSID_HostPlacement, L"HostPlacement", factoryOf<createHostPlacement>()},
    {CLSID_HostTransform, L"HostTransform", factoryOf<createHostTransform>()},
    {CLSID_HostClassRegistry, L"HostClassRegistry", factoryOf<createHostClassRegistry>()},
    {CLSID_UnitConverter, L"UnitConverter", factoryOf<createUnitConverter>()},
    {CLSID_HostRegistry, L"HostRegistry", factoryOf<createHostRegistry>()},
    {CLSID_HostSettingsStore, L"HostSettingsStore", factoryOf<createHostSettingsStore>()},
};

}  // namespace

void moduleObjectCreated() { InterlockedIncrement(&liveObjects); }
void moduleObjectDestroyed() { InterlockedDecrement(&liveObjects); }
void moduleLock(bool lock) { lock ? InterlockedIncrement(&serverLocks) : InterlockedDecrement(&serverLocks); }

const HostClass* hostClassesBegin() { return std::begin(hostClasses); }
const HostClass* hostClassesEnd() { return std::end(hostClasses); }

std::wstring modulePath() { return win32text::moduleFileName(moduleInstance); }

HRESULT typeInfoOf(REFIID iid, ITypeInfo** info) {
    std::lock_guard<std::mutex> guard(typeLibMutex);
    if (!typeLib) {
        const HRESULT hr = LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, &typeLib);
        if (FAILED(hr)) return hr;
    }
    return typeLib->GetTypeInfoOfGuid(iid, info);
}

}  // namespace zelva::hostlib

using namespace zelva::hostlib;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) moduleInstance = instance;
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const HostClass& hostClass : hostClasses)
        if (clsid == hostClass.clsid) return hostClass.factory->QueryInterface(iid, out);
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    if (liveObjects != 0 || serverLocks != 0) return S_FALSE;
    std::lock_guard<std::mutex> guard(typeLibMutex);
    if (typeLib) {
        typeLib->Release();
        typeLib = nullptr;
    }
    return S_OK;
}
