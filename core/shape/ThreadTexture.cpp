#include "core/shape/ThreadTexture.h"

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"
#include "core/env/Settings.h"
#include "core/shape/UnitConversion.h"
#include "core/host/ComponentTypes.h"
#include "core/host/HostCalls.h"

namespace zelva::shape {

using namespace host;

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kPitchesPerPicture = 6.25;

const Variant kIndex = Variant::i2(1);

double divide(double a, double b) {
    if (b == 0) throw Error::runtime(err::DivisionByZero);
    return checkedDouble(a / b);
}

// Runs one texture step; a failing step is skipped.
template <class Step>
void skippingFailure(Step step) {
    try {
        step();
    } catch (const Error&) {
    }
}

void putIndexed(Object& texture, const char* property, Variant v) {
    skippingFailure([&] { texture.put(property, {val(kIndex), val(std::move(v))}); });
}

}  // namespace

int16_t FindTextureFile(env::Module& m, std::string& path) {
    std::string candidate = GetApplDir(m) + "\\Images\\" + kTexturePicture;
    if (FileExists(m, candidate) == kTrue) {
        path = candidate;
        return kTrue;
    }
    candidate = GetThreadFileDir(m) + "\\" + kTexturePicture;
    if (FileExists(m, candidate) == kTrue) {
        path = candidate;
        return kTrue;
    }
    return kFalse;
}

void ApplyThreadTexture(env::Module& m, Object& shape, FinishSize size, double diameter, double pitch) {
    std::string file;
    if (FindTextureFile(m, file) == kFalse) return;
    const Ref<Object> finish = componentOrNew(shape, types::SurfaceFinish);
    Variant na = Variant::r8(0), nb = Variant::r8(0), nc = Variant::r8(0);
    shape.call("GetNormal", {ref(na), ref(nb), ref(nc)});
    shape.call("Update");

    Ref<Object> texture;
    try {
        Variant vq = Variant::r8(size.width), vr = Variant::r8(size.depth), vs = Variant::r8(size.height);
        texture = deref(finish).callObject(
            "SurfaceFinish",
            {ref(vq), ref(vr), ref(vs), val(Variant::i2(-1)), val(Variant::i2(-1)), val(Variant::i2(0))});
        deref(texture);
    } catch (const Error&) {
        return;
    }
    Object& t = *texture;
    skippingFailure([&] { t.put("TextureFile", {val(Variant::str(file))}); });
    putIndexed(t, "ProjectionType", Variant::i4(3));
    putIndexed(t, "VerticalRatio", Variant::i2(1));
    putIndexed(t, "HorizontalRatio", Variant::i2(1));
    skippingFailure([&] { putIndexed(t, "ProjectionWidth", Variant::r8(checkedDouble(diameter * kPi))); });
    double threadsPerInch = 0;
    skippingFailure([&] { threadsPerInch = divide(kMillimetresPerInch, pitch); });
    skippingFailure([&] {
        const double height = ConvertUnits4To7(m, divide(kPitchesPerPicture, threadsPerInch));
        t.put("ProjectionHeight", {val(kIndex), val(Variant::r8(height))});
    });
    skippingFailure([&] { t.call("SetUpDirection", {val(kIndex), ref(na), ref(nb), ref(nc)}); });
    putIndexed(t, "Flip", Variant::boolean(true));
}

}  // namespace zelva::shape
