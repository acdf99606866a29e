// HostVector: a three-component vector.

#include "ComObject.h"
#include "HostClasses.h"
#include "standin/sim/FrameMath.h"

namespace zelva::hostlib {

namespace {

class HostVector final : public DualObject<IHostVector> {
public:
    HRESULT STDMETHODCALLTYPE get_X(double* x) override { return read(value_.x, x); }
    HRESULT STDMETHODCALLTYPE get_Y(double* y) override { return read(value_.y, y); }
    HRESULT STDMETHODCALLTYPE get_Z(double* z) override { return read(value_.z, z); }

    // The host applies this to a hit normal before using it as an axis.
    HRESULT STDMETHODCALLTYPE Normalize() override {
        value_ = sim::normalized(value_);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetXYZ(double* x, double* y, double* z) override {
        if (!x || !y || !z) return E_POINTER;
        value_ = {*x, *y, *z};
        return S_OK;
    }

    ZELVA_UNUSED_SLOT(2)
    ZELVA_UNUSED_SLOT(4)
    ZELVA_UNUSED_SLOT(6)
    ZELVA_UNUSED_SLOT(8)
    ZELVA_UNUSED_SLOT(9)
    ZELVA_UNUSED_SLOT(10)
    ZELVA_UNUSED_SLOT(11)
    ZELVA_UNUSED_SLOT(12)
    ZELVA_UNUSED_SLOT(13)
    ZELVA_UNUSED_SLOT(14)
    ZELVA_UNUSED_SLOT(15)

private:
    static HRESULT read(double component, double* out) {
        if (!out) return E_POINTER;
        *out = component;
        return S_OK;
    }

    sim::Vec3 value_;
};

}  // namespace

HRESULT createHostVector(REFIID iid, void** out) { return createObject<HostVector>(iid, out); }

}  // namespace zelva::hostlib
