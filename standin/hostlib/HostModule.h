#pragma once
// Process-wide state of the stand-in host library: its object and lock counts,
// its own type library, and the table of its classes.

#include <windows.h>
#include <oaidl.h>
#include <unknwn.h>

#include <string>

namespace zelva::hostlib {

void moduleObjectCreated();
void moduleObjectDestroyed();
void moduleLock(bool lock);

// Type information of interface `iid` from the type library embedded in this DLL.
HRESULT typeInfoOf(REFIID iid, ITypeInfo** info);

// Full path of this DLL.
std::wstring modulePath();

struct HostClass {
    const CLSID& clsid;
    const wchar_t* name;
    IClassFactory* factory;
};
const HostClass* hostClassesBegin();
const HostClass* hostClassesEnd();

}  // namespace zelva::hostlib
