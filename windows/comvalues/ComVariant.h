#pragma once
// An owning VARIANT, cleared on scope exit.

#include <windows.h>
#include <oleauto.h>

namespace zelva::comvalues {

class ComVariant {
public:
    ComVariant() { VariantInit(&v_); }
    ComVariant(const ComVariant&) = delete;
    ComVariant& operator=(const ComVariant&) = delete;
    ~ComVariant() { VariantClear(&v_); }

    const VARIANT& get() const { return v_; }
    VARIANT* ptr() { return &v_; }
    // For an out parameter: clears what is held first.
    VARIANT* put() {
        VariantClear(&v_);
        return &v_;
    }

private:
    VARIANT v_;
};

}  // namespace zelva::comvalues
