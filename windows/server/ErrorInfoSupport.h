#pragma once
// ISupportErrorInfo for a server object: tells vtable clients which of its
// interfaces leave error information when a member fails. Embedded in the
// object, it answers its IUnknown through the object's.

#include <windows.h>
#include <oaidl.h>

#include <initializer_list>
#include <vector>

namespace zelva::server {

struct ErrorInfoSupport {
    ErrorInfoSupport(IUnknown* owner, std::initializer_list<const IID*> interfaces);

    ISupportErrorInfo ISupportErrorInfo_iface;
    IUnknown* owner;
    std::vector<const IID*> interfaces;
};

}  // namespace zelva::server
