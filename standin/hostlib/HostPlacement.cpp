// HostPlacement: a position and the four values of a rotation, held as given.

#include "ComObject.h"
#include "HostClasses.h"

namespace zelva::hostlib {

namespace {

class HostPlacement final : public DualObject<IHostPlacement> {
public:
    HRESULT STDMETHODCALLTYPE get_X(double* out) override { return read(0, out); }
    HRESULT STDMETHODCALLTYPE put_X(double value) override { return write(0, value); }
    HRESULT STDMETHODCALLTYPE get_Y(double* out) override { return read(1, out); }
    HRESULT STDMETHODCALLTYPE put_Y(double value) override { return write(1, value); }
    HRESULT STDMETHODCALLTYPE get_Z(double* out) override { return read(2, out); }
    HRESULT STDMETHODCALLTYPE put_Z(double value) override { return write(2, value); }
    HRESULT STDMETHODCALLTYPE get_Rotation1(double* out) override { return read(3, out); }
    HRESULT STDMETHODCALLTYPE put_Rotation1(double value) override { return write(3, value); }
    HRESULT STDMETHODCALLTYPE get_Rotation2(double* out) override { return read(4, out); }
    HRESULT STDMETHODCALLTYPE put_Rotation2(double value) override { return write(4, value); }
    HRESULT STDMETHODCALLTYPE get_Rotation3(double* out) override { return read(5, out); }
    HRESULT STDMETHODCALLTYPE put_Rotation3(double value) override { return write(5, value); }
    HRESULT STDMETHODCALLTYPE get_Rotation4(double* out) override { return read(6, out); }
    HRESULT STDMETHODCALLTYPE put_Rotation4(double value) override { return write(6, value); }

private:
    HRESULT read(int index, double* out) const {
        if (!out) return E_POINTER;
        *out = values_[index];
        return S_OK;
    }
    HRESULT write(int index, double value) {
        values_[index] = value;
        return S_OK;
    }

    // x, y, z, then rotation values 1 to 4; a new placement is the identity.
    double values_[7] = {0, 0, 0, 1, 0, 0, 0};
};

}  // namespace

HRESULT createHostPlacement(REFIID iid, void** out) { return createObject<HostPlacement>(iid, out); }

}  // namespace zelva::hostlib
