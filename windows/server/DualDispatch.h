#pragma once
// The IDispatch half of the server's dual interfaces, answered through their
// type information: names resolve case-insensitively to the dispatch
// identifiers of the type library, and Invoke calls the vtable member. A
// member's failure reaches the caller as DISP_E_EXCEPTION with its number and
// description in the EXCEPINFO.

#include <windows.h>
#include <oaidl.h>

#include "TypeInfos.h"

namespace zelva::server {

HRESULT dispatchGetTypeInfoCount(UINT* count);
HRESULT dispatchGetTypeInfo(DualInterface which, UINT index, ITypeInfo** info);
HRESULT dispatchGetIDsOfNames(DualInterface which, REFIID iid, LPOLESTR* names, UINT count, DISPID* ids);
// `object` is the interface pointer of `which` whose vtable the call runs on.
HRESULT dispatchInvoke(DualInterface which, void* object, DISPID id, REFIID iid, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* exception, UINT* argError);

}  // namespace zelva::server
