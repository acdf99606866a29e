#pragma once
// The automation strings of the member names the component asks host objects
// for. The names are the component's own few, asked by the thousand while a
// drawing is made: each string is made on its first use and kept while the
// DLL is loaded, instead of a new one for every call.

#include <windows.h>
#include <oleauto.h>

#include <string_view>

namespace zelva::server {

// `name` as a BSTR the cache owns, passed to a host object and never freed;
// null once the cache is full.
BSTR memberName(std::string_view name);

}  // namespace zelva::server
