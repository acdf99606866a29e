#pragma once
// What the objects of one apartment (thread) share: the core's module state
// with the services it calls out to, the host's library through COM, the
// Win32 user interface and the local files. Made on the first object the
// thread creates; the thread and each of its objects hold it, so it lives
// until the thread ends and its last object is gone.

#include <memory>

#include "win32/Win32Ui.h"

#include "ComHostLibrary.h"
#include "env/Module.h"
#include "env/TextFiles.h"

namespace zelva::server {

struct Apartment {
    explicit Apartment(HINSTANCE resources);
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

    ComHostLibrary hostLibrary;
    win32::Win32Ui ui;
    env::LocalFileSystem files;
    env::Module module;
};

std::shared_ptr<Apartment> currentApartment();

}  // namespace zelva::server
