#include "standin/sim/GeometryClasses.h"

#include "core/automation/Error.h"

namespace zelva::sim {

namespace {

constexpr int kRotationValues = 4;

// A vector of this host: Nothing is error 91, another library's vector 13.
const Vec3& vectorValue(const Ref<host::HostVector>& v) {
    if (!v) throw Error::runtime(err::ObjectNotSet);
    const auto* own = dynamic_cast<const SimVector*>(v.get());
    if (!own) throw Error::runtime(err::TypeMismatch);
    return own->value();
}

size_t rotationSlot(int i) {
    if (i < 1 || i > kRotationValues) throw Error::runtime(err::InvalidCall);
    return static_cast<size_t>(i - 1);
}

}  // namespace

void SimVector::setXYZ(double x, double y, double z) {
    journalled("setXYZ", CallKind::Method, {describe(x, true), describe(y, true), describe(z, true)}, [&] {
        v_ = {x, y, z};
    });
}

double SimVector::x() {
    return journalled("x", CallKind::Method, {}, [&] { return v_.x; });
}
double SimVector::y() {
    return journalled("y", CallKind::Method, {}, [&] { return v_.y; });
}
double SimVector::z() {
    return journalled("z", CallKind::Method, {}, [&] { return v_.z; });
}

void SimVector::normalize() {
    journalled("normalize", CallKind::Method, {}, [&] { v_ = normalized(v_); });
}

double SimPlacement::coordinate(const char* member, const double& slot) {
    return journalled(member, CallKind::Method, {}, [&] { return slot; });
}

void SimPlacement::setCoordinate(const char* member, double& slot, double v) {
    journalled(member, CallKind::Method, {describe(v)}, [&] { slot = v; });
}

double SimPlacement::x() { return coordinate("x", position_.x); }
void SimPlacement::setX(double v) { setCoordinate("setX", position_.x, v); }
double SimPlacement::y() { return coordinate("y", position_.y); }
void SimPlacement::setY(double v) { setCoordinate("setY", position_.y, v); }
double SimPlacement::z() { return coordinate("z", position_.z); }
void SimPlacement::setZ(double v) { setCoordinate("setZ", position_.z, v); }

double SimPlacement::rotation(int i) {
    return journalled("rotation", CallKind::Method, {describe(int32_t{i})}, [&] { return rotation_[rotationSlot(i)]; });
}

void SimPlacement::setRotation(int i, double v) {
    journalled("setRotation", CallKind::Method, {describe(int32_t{i}), describe(v)},
               [&] { rotation_[rotationSlot(i)] = v; });
}

void SimTransform::setFrames(const Ref<host::HostVector>& fromPoint, const Ref<host::HostVector>& fromAxis,
                             const Ref<host::HostVector>& toPoint, const Ref<host::HostVector>& toAxis) {
    journalled("setFrames", CallKind::Method,
               {describe(fromPoint, true), describe(fromAxis, true), describe(toPoint, true), describe(toAxis, true)},
               [&] {
                   vectorValue(fromPoint);  // the points must be vectors too, though only the axes turn
                   vectorValue(toPoint);
                   rotation_ = rotationBetween(vectorValue(fromAxis), vectorValue(toAxis));
               });
}

// The four slots the host answers in are journalled as the component's
// variables start: zero.
std::array<double, 4> SimTransform::rotation() {
    std::array<double, 4> r{};
    journalled("rotation", CallKind::Method,
               {describe(r[0], true), describe(r[1], true), describe(r[2], true), describe(r[3], true)},
               [&] { r = {rotation_.w, rotation_.x, rotation_.y, rotation_.z}; });
    return r;
}

}  // namespace zelva::sim
