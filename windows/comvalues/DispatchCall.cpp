#include "windows/comvalues/DispatchCall.h"

#include "windows/comvalues/ArgumentSlots.h"
#include "windows/comvalues/ComFailures.h"
#include "windows/comvalues/ComVariant.h"
#include "windows/comvalues/VariantValues.h"

namespace zelva::comvalues {

Variant invokeMember(IDispatch* dispatch, DISPID id, CallKind kind, std::span<const Arg> args,
                     const ValuePolicy& policy) {
    const size_t count = args.size();
    ArgumentSlots<ComVariant> values(count);  // the arguments' values, and what by-reference ones receive
    ArgumentSlots<VARIANTARG> passed(count);  // positional arguments travel last to first
    for (size_t i = 0; i < count; ++i) {
        toVariant(args[i].get(), values[i].put(), policy);
        VARIANTARG& arg = passed[count - 1 - i];
        if (!args[i].ref) {
            arg = values[i].get();
        } else if (V_VT(values[i].ptr()) == VT_EMPTY) {
            V_VT(&arg) = VT_VARIANT | VT_BYREF;
            V_VARIANTREF(&arg) = values[i].ptr();
        } else {
            // Typed by reference, as a compiled caller passes its variables:
            // every member of a VARIANT's value union starts at one address.
            V_VT(&arg) = V_VT(values[i].ptr()) | VT_BYREF;
            V_BYREF(&arg) = &V_I4(values[i].ptr());
        }
    }
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = kind == CallKind::Put;
    DISPPARAMS params{passed.data(), put ? &putId : nullptr, static_cast<UINT>(count), put ? 1u : 0u};
    ComVariant result;
    EXCEPINFO exception{};
    UINT argError = 0;
    const HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                                        put ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                        &params, put ? nullptr : result.ptr(), &exception, &argError);
    for (size_t i = 0; i < count; ++i)
        if (args[i].ref) args[i].set(valueOf(values[i].get(), policy));
    if (FAILED(hr)) throw invokeError(hr, exception, policy);
    return valueOf(result.get(), policy);
}

}  // namespace zelva::comvalues
