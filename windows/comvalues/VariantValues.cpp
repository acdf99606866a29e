#include "windows/comvalues/VariantValues.h"

#include <utility>

#include "windows/comvalues/Bstr.h"
#include "windows/comvalues/ComPtr.h"
#include "windows/comvalues/ComVariant.h"

namespace zelva::comvalues {

namespace {

Variant objectValue(IDispatch* dispatch, const ValuePolicy& policy) {
    return Variant::object(dispatch ? policy.objectOf(dispatch) : nullptr);
}

// A type without a core value of its own, under `policy`'s reading.
Variant otherValue(const VARIANT& v, const ValuePolicy& policy) {
    // The conversion functions leave their source unchanged but do not say so.
    VARIANT* source = const_cast<VARIANT*>(&v);
    ComVariant plain;
    if (V_ISBYREF(source)) {
        if (SUCCEEDED(VariantCopyInd(plain.ptr(), source))) return valueOf(plain.get(), policy);
    } else if (policy.reading == Reading::Lenient) {
        if (SUCCEEDED(VariantChangeType(plain.ptr(), source, 0, VT_R8))) return Variant::r8(V_R8(plain.ptr()));
    } else if (V_VT(source) == VT_ERROR && V_ERROR(source) == DISP_E_PARAMNOTFOUND) {
        return {};  // a missing optional argument
    } else if (V_VT(source) == VT_UNKNOWN) {
        if (!V_UNKNOWN(source)) return Variant::object(nullptr);
        ComPtr<IDispatch> dispatch;
        if (SUCCEEDED(ComPtr<IUnknown>(V_UNKNOWN(source)).queryTo(IID_IDispatch, dispatch.put())))
            return objectValue(dispatch.get(), policy);
    }
    throw Error::runtime(err::TypeMismatch);
}

}  // namespace

Variant valueOf(const VARIANT& v, const ValuePolicy& policy) {
    switch (V_VT(&v)) {
        case VT_EMPTY: return {};
        case VT_I2: return Variant::i2(V_I2(&v));
        case VT_I4: return Variant::i4(V_I4(&v));
        case VT_R8: return Variant::r8(V_R8(&v));
        case VT_BOOL: return Variant::boolean(V_BOOL(&v) != VARIANT_FALSE);
        case VT_BSTR: return Variant::str(Bstr::utf8Of(V_BSTR(&v)));
        case VT_DISPATCH: return objectValue(V_DISPATCH(&v), policy);
        case VT_VARIANT | VT_BYREF: return valueOf(*V_VARIANTREF(&v), policy);
        default: return otherValue(v, policy);
    }
}

void toVariant(const Variant& v, VARIANT* out, const ValuePolicy& policy) {
    // The VARIANT type of each core type, in the order of VarType.
    static constexpr VARTYPE kComType[] = {VT_EMPTY, VT_I2, VT_I4, VT_R8, VT_BOOL, VT_BSTR, VT_DISPATCH};
    V_VT(out) = VT_EMPTY;  // what VariantInit does: empty, should the value fail
    switch (v.type()) {
        case VarType::Empty: break;
        case VarType::I2: V_I2(out) = v.i2Value(); break;
        case VarType::I4: V_I4(out) = v.i4Value(); break;
        case VarType::R8: V_R8(out) = v.r8Value(); break;
        case VarType::Bool: V_BOOL(out) = v.boolValue() ? VARIANT_TRUE : VARIANT_FALSE; break;
        case VarType::Str: V_BSTR(out) = Bstr(v.strValue()).detach(); break;
        case VarType::Object:
            V_DISPATCH(out) = v.objectValue() ? policy.dispatchOf(v.objectValue()) : nullptr;
            break;
    }
    V_VT(out) = kComType[static_cast<int>(v.type())];
}

void storeThrough(const Variant& v, VARIANTARG& target, const ValuePolicy& policy) {
    if (V_VT(&target) == (VT_VARIANT | VT_BYREF)) {
        VariantClear(V_VARIANTREF(&target));
        return toVariant(v, V_VARIANTREF(&target), policy);
    }
    ComVariant value;
    toVariant(v, value.ptr(), policy);
    const VARTYPE type = V_VT(&target) & ~VT_BYREF;
    if (FAILED(VariantChangeType(value.ptr(), value.ptr(), 0, type))) throw Error::runtime(err::TypeMismatch);
    switch (type) {
        case VT_I2: *V_I2REF(&target) = V_I2(value.ptr()); break;
        case VT_I4: *V_I4REF(&target) = V_I4(value.ptr()); break;
        case VT_R8: *V_R8REF(&target) = V_R8(value.ptr()); break;
        case VT_BOOL: *V_BOOLREF(&target) = V_BOOL(value.ptr()); break;
        // The caller's string or object goes to `value`, which frees it.
        case VT_BSTR: std::swap(*V_BSTRREF(&target), V_BSTR(value.ptr())); break;
        case VT_DISPATCH: std::swap(*V_DISPATCHREF(&target), V_DISPATCH(value.ptr())); break;
        default: throw Error::runtime(err::TypeMismatch);
    }
}

}  // namespace zelva::comvalues
