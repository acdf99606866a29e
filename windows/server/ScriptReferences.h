#pragma once
// Script clients pass their variables by reference as VT_VARIANT|VT_BYREF,
// which the type library's standard Invoke refuses for a typed by-reference
// parameter (a double*, say). ScriptReferences passes each such variable as a
// by-reference value of the declared type instead, and puts every output the
// member wrote into the script's variable, typed as declared, whether or not
// its value changed (also when the member fails after writing it); a variable
// whose output the member never reached stays as it was.

#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "WrittenOutputs.h"

namespace zelva::server {

class ScriptReferences {
public:
    ScriptReferences() = default;
    ScriptReferences(const ScriptReferences&) = delete;
    ScriptReferences& operator=(const ScriptReferences&) = delete;
    ~ScriptReferences();

    // Prepares the arguments of a call of member `id` with `flags`. A variable
    // that cannot take the declared type fails with the conversion's
    // DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW and its index in `*argError`.
    HRESULT unwrap(ITypeInfo* info, DISPID id, WORD flags, const DISPPARAMS& params, UINT* argError);
    // The arguments to invoke the member with.
    DISPPARAMS* params() { return &params_; }
    // Copies the outputs the member wrote into the script's variables.
    void writeBack(const WrittenOutputs& written);

private:
    DISPPARAMS params_{};
    std::vector<VARIANTARG> args_;
    std::vector<VARIANT> values_;      // the typed values passed in place of variables
    std::vector<VARIANT*> variables_;  // the script's variables, null where none was unwrapped
};

}  // namespace zelva::server
