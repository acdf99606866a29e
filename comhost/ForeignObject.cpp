#include "comhost/ForeignObject.h"

#include <vector>

#include "comhost/ComFailures.h"
#include "comhost/HostVariants.h"
#include "win32text/WideText.h"

namespace zelva::pinhost {

namespace {

// The VARIANTs of one call's arguments, cleared when the call is over.
class CallValues {
public:
    explicit CallValues(size_t count) : values_(count) {
        for (VARIANT& v : values_) VariantInit(&v);
    }
    CallValues(const CallValues&) = delete;
    CallValues& operator=(const CallValues&) = delete;
    ~CallValues() {
        for (VARIANT& v : values_) VariantClear(&v);
    }
    VARIANT& operator[](size_t i) { return values_[i]; }

private:
    std::vector<VARIANT> values_;
};

}  // namespace

ForeignObject::ForeignObject(IDispatch* dispatch) : dispatch_(dispatch) { dispatch_->AddRef(); }

ForeignObject::~ForeignObject() { dispatch_->Release(); }

Variant ForeignObject::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    std::wstring member = win32::widen(name);
    LPOLESTR names[] = {member.data()};
    DISPID id = DISPID_UNKNOWN;
    checkCall(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));

    const size_t count = args.size();
    CallValues values(count);  // each argument's value, and what a by-reference one receives
    std::vector<VARIANTARG> passed(count);  // positional arguments travel last to first
    for (size_t i = 0; i < count; ++i) {
        toComValue(args[i].get(), &values[i]);
        VARIANTARG& arg = passed[count - 1 - i];
        if (!args[i].ref) {
            arg = values[i];
        } else if (V_VT(&values[i]) == VT_EMPTY) {
            V_VT(&arg) = VT_VARIANT | VT_BYREF;
            V_VARIANTREF(&arg) = &values[i];
        } else {
            // Typed by reference, as a compiled host passes its variables:
            // every member of a VARIANT's value union starts at one address.
            V_VT(&arg) = V_VT(&values[i]) | VT_BYREF;
            V_BYREF(&arg) = &V_I4(&values[i]);
        }
    }
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = kind == CallKind::Put;
    DISPPARAMS params{passed.data(), put ? &putId : nullptr, static_cast<UINT>(count), put ? 1u : 0u};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    UINT argError = 0;
    const HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                                         put ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                         &params, put ? nullptr : &result, &exception, &argError);
    for (size_t i = 0; i < count; ++i)
        if (args[i].ref) args[i].set(hostValueOf(values[i]));
    if (FAILED(hr)) throw invokeError(hr, exception);
    const Variant answer = hostValueOf(result);
    VariantClear(&result);
    return answer;
}

}  // namespace zelva::pinhost
