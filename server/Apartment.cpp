#include "Apartment.h"

#include "forms/FormEvents.h"
#include "ServerModule.h"

namespace zelva::server {

namespace {

// The thread's own reference.
struct ThreadApartment {
    std::shared_ptr<Apartment> apartment;

    ~ThreadApartment() {
        // While the process exits, the libraries whose objects the module
        // holds may be shut down already: those references are left alone.
        if (apartment && processExiting()) new std::shared_ptr<Apartment>(std::move(apartment));
    }
};

thread_local ThreadApartment current;

}  // namespace

Apartment::Apartment(HINSTANCE resources) : ui(resources), module(hostLibrary, ui, files) {
    forms::ConnectFormEvents(module);
}

std::shared_ptr<Apartment> currentApartment() {
    if (!current.apartment) current.apartment = std::make_shared<Apartment>(moduleInstance());
    return current.apartment;
}

}  // namespace zelva::server
