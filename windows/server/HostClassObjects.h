#pragma once
// The class objects of the host's classes that one apartment creates objects
// of. Each is fetched through the registry the first time its class is
// created and held until the apartment leaves COM; every later object comes
// from the held class object, as CoCreateInstance would make it, without the
// registry reads (under Wine each is a round trip to the Wine server, about
// 0.5 ms on a busy machine, and a drawing answer converts four lengths).

#include <windows.h>
#include <objbase.h>

#include <vector>

#include "windows/comvalues/ComPtr.h"

namespace zelva::server {

class ClassObjects {
public:
    // A new object of class `clsid` through interface `iid`: the HRESULT of
    // CoCreateInstance for the same arguments.
    HRESULT create(REFCLSID clsid, REFIID iid, void** out);
    // Lets go of the class objects, while COM still runs on the thread.
    void release() { held_.clear(); }

private:
    struct Held {
        CLSID clsid;
        comvalues::ComPtr<IClassFactory> factory;
    };
    std::vector<Held> held_;
};

}  // namespace zelva::server
