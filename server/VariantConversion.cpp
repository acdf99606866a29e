#include "VariantConversion.h"

#include "automation/Error.h"
#include "Bstr.h"
#include "ComVariant.h"
#include "DispatchObject.h"

namespace zelva::server {

Variant fromComVariant(const VARIANT& v) {
    switch (V_VT(&v)) {
        case VT_EMPTY: return {};
        case VT_I2: return Variant::i2(V_I2(&v));
        case VT_I4: return Variant::i4(V_I4(&v));
        case VT_R8: return Variant::r8(V_R8(&v));
        case VT_BOOL: return Variant::boolean(V_BOOL(&v) != VARIANT_FALSE);
        case VT_BSTR: return Variant::str(Bstr::utf8Of(V_BSTR(&v)));
        case VT_DISPATCH: return Variant::object(objectOf(V_DISPATCH(&v)));
        default: break;
    }
    // The conversion functions leave their source unchanged but do not say so.
    VARIANT* source = const_cast<VARIANT*>(&v);
    ComVariant plain;
    if (V_ISBYREF(source)) {
        if (SUCCEEDED(VariantCopyInd(plain.ptr(), source))) return fromComVariant(plain.get());
    } else if (SUCCEEDED(VariantChangeType(plain.ptr(), source, 0, VT_R8))) {
        return Variant::r8(V_R8(plain.ptr()));
    }
    throw Error::runtime(err::TypeMismatch);
}

void toComVariant(const Variant& v, VARIANT* out) {
    switch (v.type()) {
        case VarType::Empty: V_VT(out) = VT_EMPTY; break;
        case VarType::I2:
            V_VT(out) = VT_I2;
            V_I2(out) = v.i2Value();
            break;
        case VarType::I4:
            V_VT(out) = VT_I4;
            V_I4(out) = v.i4Value();
            break;
        case VarType::R8:
            V_VT(out) = VT_R8;
            V_R8(out) = v.r8Value();
            break;
        case VarType::Bool:
            V_VT(out) = VT_BOOL;
            V_BOOL(out) = v.boolValue() ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VarType::Str:
            V_BSTR(out) = Bstr(v.strValue()).detach();
            V_VT(out) = VT_BSTR;
            break;
        case VarType::Object:
            V_DISPATCH(out) = dispatchOf(v.objectValue()).detach();
            V_VT(out) = VT_DISPATCH;
            break;
    }
}

}  // namespace zelva::server
