#pragma once
// An owning VARIANT, cleared on scope exit. A call's arguments and answer
// pass through these by the dozen: one that holds a number, a truth value or
// nothing is made and cleared in place (VariantInit only sets the type;
// VariantClear has nothing to free), without a call into the automation
// library for each.

#include <windows.h>
#include <oleauto.h>

namespace zelva::comvalues {

class ComVariant {
public:
    ComVariant() { V_VT(&v_) = VT_EMPTY; }
    ComVariant(const ComVariant&) = delete;
    ComVariant& operator=(const ComVariant&) = delete;
    ~ComVariant() { clear(); }

    const VARIANT& get() const { return v_; }
    VARIANT* ptr() { return &v_; }
    // For an out parameter: clears what is held first.
    VARIANT* put() {
        clear();
        return &v_;
    }

private:
    void clear() {
        switch (V_VT(&v_)) {
            case VT_EMPTY:
            case VT_I2:
            case VT_I4:
            case VT_R8:
            case VT_BOOL: V_VT(&v_) = VT_EMPTY; break;
            default: VariantClear(&v_);
        }
    }

    VARIANT v_;
};

}  // namespace zelva::comvalues
