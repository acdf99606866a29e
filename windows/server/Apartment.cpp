#include "Apartment.h"

#include <objbase.h>

#include <map>

#include "core/forms/FormEvents.h"
#include "ServerModule.h"

namespace zelva::server {

namespace {

// One thread's apartment as the table holds it. While COM tells the thread's
// uninitialisation (the spy is registered), the table keeps the apartment
// alive between objects, as the host expects: a drawing view asks a new pin
// after the drop's objects are gone and finds the page the drop took. Without
// the spy the apartment lives as long as its objects.
struct Entry {
    std::shared_ptr<Apartment> kept;
    std::weak_ptr<Apartment> apartment;
    ULARGE_INTEGER spyCookie{};
};

// The apartments by thread. No thread-local object is involved: the C++
// runtime would run its destructor at thread exit under the loader lock and
// unload the DLL from there, and the thread would never finish exiting.
class ApartmentTable {
public:
    std::shared_ptr<Apartment> find(DWORD thread) {
        AcquireSRWLockShared(&lock_);
        auto found = entries_.find(thread);
        std::shared_ptr<Apartment> apartment = found == entries_.end() ? nullptr : found->second.apartment.lock();
        ReleaseSRWLockShared(&lock_);
        return apartment;
    }

    void add(DWORD thread, Entry entry) {
        AcquireSRWLockExclusive(&lock_);
        entries_[thread] = std::move(entry);
        ReleaseSRWLockExclusive(&lock_);
    }

    // Takes the entry of `thread` out of the table; the apartment ends when its
    // objects are gone too.
    Entry remove(DWORD thread) {
        AcquireSRWLockExclusive(&lock_);
        Entry entry;
        auto found = entries_.find(thread);
        if (found != entries_.end()) {
            entry = std::move(found->second);
            entries_.erase(found);
        }
        ReleaseSRWLockExclusive(&lock_);
        return entry;
    }

    // Drops the entry of `thread` when its apartment is gone (the thread may have
    // made a new one meanwhile).
    void forgetEnded(DWORD thread) {
        AcquireSRWLockExclusive(&lock_);
        auto found = entries_.find(thread);
        if (found != entries_.end() && found->second.apartment.expired()) entries_.erase(found);
        ReleaseSRWLockExclusive(&lock_);
    }

    size_t size() {
        AcquireSRWLockShared(&lock_);
        const size_t count = entries_.size();
        ReleaseSRWLockShared(&lock_);
        return count;
    }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::map<DWORD, Entry> entries_;
};

// Made as the DLL loads, not on first use, where the runtime's guard of a
// first use would set up the thread's threading library inside the host's
// first creation. Never destroyed: while the process exits, the libraries
// whose objects an apartment holds may be shut down already.
ApartmentTable* const apartments = new ApartmentTable;

ApartmentTable& table() { return *apartments; }

// Ends an apartment whose last holder is gone; while the process exits, its
// references into other libraries are left alone.
void endApartment(DWORD thread, Apartment* apartment) {
    if (!processExiting()) delete apartment;
    table().forgetEnded(thread);
}

// Takes the calling thread's apartment out of the table and stops watching
// its uninitialisation; the host's class objects go now, while COM runs, the
// host references it holds otherwise with its last object.
void releaseApartment(DWORD thread) {
    Entry entry = table().remove(thread);
    if (entry.spyCookie.QuadPart != 0) CoRevokeInitializeSpy(entry.spyCookie);
    if (const std::shared_ptr<Apartment> apartment = entry.apartment.lock())
        apartment->hostLibrary.releaseClassObjects();
}

// Told by COM of every initialisation and uninitialisation of the threads
// whose apartment the table keeps; one object for all of them. The DLL stays
// loaded while it is registered anywhere (an apartment is alive), so it needs
// no count of its own.
HRESULT STDMETHODCALLTYPE spy_QueryInterface(IInitializeSpy* self, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IInitializeSpy) {
        *out = self;
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE spy_AddRef(IInitializeSpy*) { return 2; }
ULONG STDMETHODCALLTYPE spy_Release(IInitializeSpy*) { return 1; }
HRESULT STDMETHODCALLTYPE spy_PreInitialize(IInitializeSpy*, DWORD, DWORD) { return S_OK; }
HRESULT STDMETHODCALLTYPE spy_PostInitialize(IInitializeSpy*, HRESULT result, DWORD, DWORD) { return result; }
// Before the thread's last uninitialisation, while its apartment still runs,
// the apartment lets go of the host's objects.
HRESULT STDMETHODCALLTYPE spy_PreUninitialize(IInitializeSpy*, DWORD initialisations) {
    if (initialisations == 1) releaseApartment(GetCurrentThreadId());
    return S_OK;
}
HRESULT STDMETHODCALLTYPE spy_PostUninitialize(IInitializeSpy*, DWORD) { return S_OK; }

const IInitializeSpyVtbl kSpyVtbl = {spy_QueryInterface, spy_AddRef,          spy_Release,
                                     spy_PreInitialize,  spy_PostInitialize,  spy_PreUninitialize,
                                     spy_PostUninitialize};
IInitializeSpy uninitialisationSpy = {const_cast<IInitializeSpyVtbl*>(&kSpyVtbl)};

}  // namespace

Apartment::Apartment(HINSTANCE resources) : ui(resources), module(hostLibrary, ui, files) {
    forms::ConnectFormEvents(module);
}

std::shared_ptr<Apartment> existingApartment() { return table().find(GetCurrentThreadId()); }

std::shared_ptr<Apartment> currentApartment() {
    const DWORD thread = GetCurrentThreadId();
    if (auto apartment = table().find(thread)) return apartment;
    // Only this thread makes its own apartment, so nothing can come between.
    std::shared_ptr<Apartment> apartment(new Apartment(moduleInstance()),
                                         [thread](Apartment* ended) { endApartment(thread, ended); });
    Entry entry{nullptr, apartment, {}};
    if (SUCCEEDED(CoRegisterInitializeSpy(&uninitialisationSpy, &entry.spyCookie))) entry.kept = apartment;
    else entry.spyCookie.QuadPart = 0;
    table().add(thread, std::move(entry));
    return apartment;
}

void releaseCurrentApartment() { releaseApartment(GetCurrentThreadId()); }

size_t liveApartments() { return table().size(); }

}  // namespace zelva::server
