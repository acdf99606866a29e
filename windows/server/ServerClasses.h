#pragma once
// The component's two creatable classes, as the class-object entry points and
// registration see them.

#include <windows.h>
#include <unknwn.h>

#include <span>

namespace zelva::server {

struct ServerClass {
    const CLSID& clsid;
    const char* progId;
    IClassFactory* factory;
};

std::span<const ServerClass> serverClasses();

}  // namespace zelva::server
