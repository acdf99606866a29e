#include "comhost/HostVariants.h"

#include "comhost/ForeignObject.h"
#include "comhost/HostDispatch.h"
#include "automation/Error.h"
#include "automation/Object.h"
#include "win32text/WideText.h"

namespace zelva::pinhost {

namespace {

Ref<Object> objectFor(IUnknown* object) {
    if (!object) return nullptr;
    if (Ref<Object> own = HostDispatch::unwrap(object)) return own;
    IDispatch* dispatch = nullptr;
    if (FAILED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
        throw Error::runtime(err::TypeMismatch);
    const Ref<Object> foreign = makeRef<ForeignObject>(dispatch);
    dispatch->Release();
    return foreign;
}

IDispatch* dispatchFor(const Ref<Object>& object) {
    if (!object) return nullptr;
    if (const auto* foreign = dynamic_cast<const ForeignObject*>(object.get())) {
        foreign->dispatch()->AddRef();
        return foreign->dispatch();
    }
    return HostDispatch::wrap(object);
}

}  // namespace

Variant hostValueOf(const VARIANT& v) {
    switch (V_VT(&v)) {
        case VT_EMPTY: return {};
        case VT_I2: return Variant::i2(V_I2(&v));
        case VT_I4: return Variant::i4(V_I4(&v));
        case VT_R8: return Variant::r8(V_R8(&v));
        case VT_BOOL: return Variant::boolean(V_BOOL(&v) != VARIANT_FALSE);
        case VT_BSTR: return Variant::str(win32::narrow({V_BSTR(&v) ? V_BSTR(&v) : L"", SysStringLen(V_BSTR(&v))}));
        case VT_DISPATCH: return Variant::object(objectFor(V_DISPATCH(&v)));
        case VT_UNKNOWN: return Variant::object(objectFor(V_UNKNOWN(&v)));
        case VT_ERROR:
            if (V_ERROR(&v) == DISP_E_PARAMNOTFOUND) return {};
            break;
        case VT_VARIANT | VT_BYREF: return hostValueOf(*V_VARIANTREF(&v));
        default: break;
    }
    if (V_ISBYREF(&v)) {
        VARIANT plain;
        VariantInit(&plain);
        if (SUCCEEDED(VariantCopyInd(&plain, const_cast<VARIANT*>(&v)))) {
            try {
                Variant value = hostValueOf(plain);
                VariantClear(&plain);
                return value;
            } catch (...) {
                VariantClear(&plain);
                throw;
            }
        }
    }
    throw Error::runtime(err::TypeMismatch);
}

void toComValue(const Variant& v, VARIANT* out) {
    // The VARIANT type of each core type, in the order of VarType.
    static constexpr VARTYPE kComType[] = {VT_EMPTY, VT_I2, VT_I4, VT_R8, VT_BOOL, VT_BSTR, VT_DISPATCH};
    VariantInit(out);
    switch (v.type()) {
        case VarType::Empty: break;
        case VarType::I2: V_I2(out) = v.i2Value(); break;
        case VarType::I4: V_I4(out) = v.i4Value(); break;
        case VarType::R8: V_R8(out) = v.r8Value(); break;
        case VarType::Bool: V_BOOL(out) = v.boolValue() ? VARIANT_TRUE : VARIANT_FALSE; break;
        case VarType::Str: {
            const std::wstring text = win32::widen(v.strValue());
            V_BSTR(out) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
            break;
        }
        case VarType::Object: V_DISPATCH(out) = dispatchFor(v.objectValue()); break;
    }
    V_VT(out) = kComType[static_cast<int>(v.type())];
}

void writeBack(const Variant& v, VARIANTARG& target) {
    if (V_VT(&target) == (VT_VARIANT | VT_BYREF)) {
        VariantClear(V_VARIANTREF(&target));
        return toComValue(v, V_VARIANTREF(&target));
    }
    VARIANT value;
    VariantInit(&value);
    toComValue(v, &value);
    const VARTYPE type = V_VT(&target) & ~VT_BYREF;
    if (FAILED(VariantChangeType(&value, &value, 0, type))) {
        VariantClear(&value);
        throw Error::runtime(err::TypeMismatch);
    }
    switch (type) {
        case VT_I2: *V_I2REF(&target) = V_I2(&value); break;
        case VT_I4: *V_I4REF(&target) = V_I4(&value); break;
        case VT_R8: *V_R8REF(&target) = V_R8(&value); break;
        case VT_BOOL: *V_BOOLREF(&target) = V_BOOL(&value); break;
        case VT_BSTR:
            SysFreeString(*V_BSTRREF(&target));
            *V_BSTRREF(&target) = V_BSTR(&value);
            return;  // the string now belongs to the caller
        case VT_DISPATCH:
            if (*V_DISPATCHREF(&target)) (*V_DISPATCHREF(&target))->Release();
            *V_DISPATCHREF(&target) = V_DISPATCH(&value);
            return;  // so does the reference
        default:
            VariantClear(&value);
            throw Error::runtime(err::TypeMismatch);
    }
}

}  // namespace zelva::pinhost
