#pragma once
// What the objects of one apartment (thread) share: the core's module state
// with the services it calls out to, the host's library through COM, the
// Win32 user interface and the local files. Made on the first object the
// thread creates and held by each of its objects; it lives on between objects
// until the thread leaves COM, or until the DLL is asked whether it may
// unload while none of its objects is left.

#include <memory>

#include "windows/server/win32/Win32Ui.h"

#include "ComHostLibrary.h"
#include "core/env/Module.h"
#include "core/files/TextFiles.h"

namespace zelva::server {

class WrittenOutputs;

struct Apartment {
    explicit Apartment(HINSTANCE resources);
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

    ComHostLibrary hostLibrary;
    win32::Win32Ui ui;
    files::LocalFileSystem files;
    env::Module module;
    // The record of the script call in progress on this apartment, if any.
    WrittenOutputs* scriptCall = nullptr;
};

// The calling thread's apartment, made when it has none.
std::shared_ptr<Apartment> currentApartment();
// The calling thread's apartment, or null when it has none.
std::shared_ptr<Apartment> existingApartment();
// Lets go of the calling thread's apartment: it ends with its last object.
void releaseCurrentApartment();
// How many apartments are alive; the DLL stays loaded while one is.
size_t liveApartments();

}  // namespace zelva::server
