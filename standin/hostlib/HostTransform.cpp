// HostTransform: the transform between two frames, each a point and an axis.
// Only its rotation is ever read, so that is what it keeps.

#include "ComObject.h"
#include "HostClasses.h"
#include "standin/sim/FrameMath.h"

namespace zelva::hostlib {

namespace {

HRESULT readVector(IHostVector** vector, sim::Vec3& out) {
    if (!vector || !*vector) return E_POINTER;
    HRESULT hr = (*vector)->get_X(&out.x);
    if (SUCCEEDED(hr)) hr = (*vector)->get_Y(&out.y);
    if (SUCCEEDED(hr)) hr = (*vector)->get_Z(&out.z);
    return hr;
}

class HostTransform final : public DualObject<IHostTransform> {
public:
    HRESULT STDMETHODCALLTYPE GetRotation(double* w, double* x, double* y, double* z) override {
        if (!w || !x || !y || !z) return E_POINTER;
        *w = rotation_.w;
        *x = rotation_.x;
        *y = rotation_.y;
        *z = rotation_.z;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetFrames(IHostVector** fromPoint, IHostVector** fromAxis,
                                        IHostVector** toPoint, IHostVector** toAxis) override {
        sim::Vec3 from, to;
        HRESULT hr = (!fromPoint || !*fromPoint || !toPoint || !*toPoint) ? E_POINTER : S_OK;
        if (SUCCEEDED(hr)) hr = readVector(fromAxis, from);
        if (SUCCEEDED(hr)) hr = readVector(toAxis, to);
        if (FAILED(hr)) return fail(hr, IID_IHostTransform, L"SetFrames needs four vectors.");
        rotation_ = sim::rotationBetween(from, to);
        return S_OK;
    }

    ZELVA_UNUSED_SLOT(1)
    ZELVA_UNUSED_SLOT(2)
    ZELVA_UNUSED_SLOT(3)
    ZELVA_UNUSED_SLOT(5)
    ZELVA_UNUSED_SLOT(6)
    ZELVA_UNUSED_SLOT(7)
    ZELVA_UNUSED_SLOT(8)
    ZELVA_UNUSED_SLOT(9)
    ZELVA_UNUSED_SLOT(10)
    ZELVA_UNUSED_SLOT(11)
    ZELVA_UNUSED_SLOT(12)
    ZELVA_UNUSED_SLOT(13)
    ZELVA_UNUSED_SLOT(14)
    ZELVA_UNUSED_SLOT(15)
    ZELVA_UNUSED_SLOT(16)
    ZELVA_UNUSED_SLOT(17)
    ZELVA_UNUSED_SLOT(18)
    ZELVA_UNUSED_SLOT(19)

private:
    sim::Quaternion rotation_;
};

}  // namespace

HRESULT createHostTransform(REFIID iid, void** out) { return createObject<HostTransform>(iid, out); }

}  // namespace zelva::hostlib
