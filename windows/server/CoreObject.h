#pragma once
// What every server object holds: its reference count, its apartment, and the
// core object whose members it answers. It counts among the DLL's live objects
// from its construction until its last member is gone.

#include <windows.h>

#include <memory>

#include "Apartment.h"
#include "core/automation/Ref.h"
#include "ComErrors.h"
#include "ServerModule.h"

namespace zelva::server {

template <class Core>
struct CoreObject {
    CoreObject() : apartment(currentApartment()), core(makeRef<Core>(apartment->module)) {}

    ULONG addRef() { return InterlockedIncrement(&refs); }
    // Deletes `owner` when the last reference goes.
    template <class Owner>
    ULONG release(Owner* owner) {
        const ULONG left = InterlockedDecrement(&refs);
        if (left == 0) delete owner;
        return left;
    }

    struct LiveObject {
        LiveObject() { objectCreated(); }
        ~LiveObject() { objectDestroyed(); }
    } live;
    LONG refs = 1;
    std::shared_ptr<Apartment> apartment;  // outlives the core object, which uses its module
    Ref<Core> core;
};

// Creates an object of a server class and answers it for `iid`.
template <class ServerObject>
HRESULT createServerObject(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    ServerObject* object = nullptr;
    const HRESULT hr = guarded(IID_IClassFactory, [&] { object = new ServerObject(); });
    if (FAILED(hr)) return hr;
    IUnknown* unknown = object->unknown();
    const HRESULT answer = IUnknown_QueryInterface(unknown, iid, out);
    IUnknown_Release(unknown);
    return answer;
}

}  // namespace zelva::server
