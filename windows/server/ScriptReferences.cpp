#include "ScriptReferences.h"

namespace zelva::server {

namespace {

// The function description of member `id` for an Invoke with `flags`.
class FunctionOf {
public:
    FunctionOf(ITypeInfo* info, DISPID id, WORD flags) : info_(info) {
        TYPEATTR* attr;
        if (FAILED(ITypeInfo_GetTypeAttr(info, &attr))) return;
        const WORD functions = attr->cFuncs;
        ITypeInfo_ReleaseTypeAttr(info, attr);
        for (UINT i = 0; i < functions && !desc_; ++i) {
            if (FAILED(ITypeInfo_GetFuncDesc(info, i, &desc_))) return;
            if (desc_->memid != id || !(kindsOf(flags) & desc_->invkind)) release();
        }
    }
    FunctionOf(const FunctionOf&) = delete;
    FunctionOf& operator=(const FunctionOf&) = delete;
    ~FunctionOf() { release(); }

    const FUNCDESC* get() const { return desc_; }

private:
    static int kindsOf(WORD flags) {
        int kinds = 0;
        if (flags & DISPATCH_METHOD) kinds |= INVOKE_FUNC;
        if (flags & DISPATCH_PROPERTYGET) kinds |= INVOKE_PROPERTYGET;
        if (flags & DISPATCH_PROPERTYPUT) kinds |= INVOKE_PROPERTYPUT;
        if (flags & DISPATCH_PROPERTYPUTREF) kinds |= INVOKE_PROPERTYPUTREF;
        return kinds;
    }
    void release() {
        if (desc_) ITypeInfo_ReleaseFuncDesc(info_, desc_);
        desc_ = nullptr;
    }

    ITypeInfo* info_;
    FUNCDESC* desc_ = nullptr;
};

// The parameter that argument `k` of `params` stands for.
int parameterOf(const DISPPARAMS& params, UINT k, const FUNCDESC& function) {
    if (k >= params.cNamedArgs) return static_cast<int>(params.cArgs - 1 - k);
    const DISPID named = params.rgdispidNamedArgs[k];
    return named == DISPID_PROPERTYPUT ? function.cParams - 1 : named;
}

// The value type of a by-reference parameter that a script variable can be
// converted to; VT_EMPTY for any other parameter.
VARTYPE referencedType(const FUNCDESC& function, int parameter) {
    if (parameter < 0 || parameter >= function.cParams) return VT_EMPTY;
    const TYPEDESC& type = function.lprgelemdescParam[parameter].tdesc;
    if (type.vt != VT_PTR || !type.lptdesc) return VT_EMPTY;
    switch (type.lptdesc->vt) {
        case VT_I2:
        case VT_I4:
        case VT_R8:
        case VT_BOOL:
        case VT_BSTR:
        case VT_DISPATCH: return type.lptdesc->vt;
        default: return VT_EMPTY;
    }
}

}  // namespace

ScriptReferences::~ScriptReferences() {
    for (VARIANT& value : values_) VariantClear(&value);
}

HRESULT ScriptReferences::unwrap(ITypeInfo* info, DISPID id, WORD flags, const DISPPARAMS& params, UINT* argError) {
    params_ = params;
    bool anyVariable = false;
    for (UINT k = 0; k < params.cArgs; ++k) anyVariable |= V_VT(&params.rgvarg[k]) == (VT_VARIANT | VT_BYREF);
    if (!anyVariable) return S_OK;
    const FunctionOf function(info, id, flags);
    if (!function.get()) return S_OK;

    args_.assign(params.rgvarg, params.rgvarg + params.cArgs);
    values_.resize(params.cArgs);
    for (VARIANT& value : values_) VariantInit(&value);
    variables_.assign(params.cArgs, nullptr);
    params_.rgvarg = args_.data();
    for (UINT k = 0; k < params.cArgs; ++k) {
        VARIANTARG& arg = args_[k];
        const VARTYPE type = referencedType(*function.get(), parameterOf(params, k, *function.get()));
        if (V_VT(&arg) != (VT_VARIANT | VT_BYREF) || type == VT_EMPTY) continue;
        const HRESULT hr = VariantChangeType(&values_[k], V_VARIANTREF(&arg), 0, type);
        if (FAILED(hr)) {
            if (argError) *argError = k;
            return hr;
        }
        variables_[k] = V_VARIANTREF(&arg);
        V_VT(&arg) = type | VT_BYREF;
        // Every member of a VARIANT's value union starts at the same address.
        V_BYREF(&arg) = &V_I4(&values_[k]);
    }
    return S_OK;
}

void ScriptReferences::writeBack(const WrittenOutputs& written) {
    for (size_t k = 0; k < variables_.size(); ++k)
        if (variables_[k] && written.wrote(&V_I4(&values_[k]))) VariantCopy(variables_[k], &values_[k]);
}

}  // namespace zelva::server
