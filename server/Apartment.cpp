#include "Apartment.h"

#include <map>

#include "forms/FormEvents.h"
#include "ServerModule.h"

namespace zelva::server {

namespace {

// The apartments by thread, each held by its objects only. No thread-local
// object is involved: the C++ runtime would run its destructor at thread exit
// under the loader lock and unload the DLL from there, and the thread would
// never finish exiting.
class ApartmentTable {
public:
    std::shared_ptr<Apartment> find(DWORD thread) {
        AcquireSRWLockShared(&lock_);
        auto found = apartments_.find(thread);
        std::shared_ptr<Apartment> apartment = found == apartments_.end() ? nullptr : found->second.lock();
        ReleaseSRWLockShared(&lock_);
        return apartment;
    }

    void add(DWORD thread, const std::shared_ptr<Apartment>& apartment) {
        AcquireSRWLockExclusive(&lock_);
        apartments_[thread] = apartment;
        ReleaseSRWLockExclusive(&lock_);
    }

    // Drops the entry of `thread` when its apartment is gone (the thread may have
    // made a new one meanwhile).
    void forget(DWORD thread) {
        AcquireSRWLockExclusive(&lock_);
        auto found = apartments_.find(thread);
        if (found != apartments_.end() && found->second.expired()) apartments_.erase(found);
        ReleaseSRWLockExclusive(&lock_);
    }

    size_t size() {
        AcquireSRWLockShared(&lock_);
        const size_t count = apartments_.size();
        ReleaseSRWLockShared(&lock_);
        return count;
    }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::map<DWORD, std::weak_ptr<Apartment>> apartments_;
};

// Made on first use and never destroyed: while the process exits, the
// libraries whose objects an apartment holds may be shut down already.
ApartmentTable& table() {
    static ApartmentTable* const apartments = new ApartmentTable;
    return *apartments;
}

// Ends an apartment whose last object is gone; while the process exits, its
// references into other libraries are left alone.
void endApartment(DWORD thread, Apartment* apartment) {
    if (!processExiting()) delete apartment;
    table().forget(thread);
}

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
    table().add(thread, apartment);
    return apartment;
}

size_t liveApartments() { return table().size(); }

}  // namespace zelva::server
