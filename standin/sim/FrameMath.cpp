#include "standin/sim/FrameMath.h"

#include <cmath>

namespace zelva::sim {

double length(const Vec3& v) { return std::sqrt(dot(v, v)); }

Vec3 normalized(const Vec3& v) {
    const double n = length(v);
    if (n == 0) return v;
    return {v.x / n, v.y / n, v.z / n};
}

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Quaternion rotationBetween(const Vec3& from, const Vec3& to) {
    const Vec3 a = normalized(from);
    const Vec3 b = normalized(to);
    const double c = dot(a, b);
    if (length(a) == 0 || length(b) == 0 || c > 1 - 1e-15) return {};
    if (c < -1 + 1e-15) {
        // Opposite directions: half a turn about any axis square to `a`.
        Vec3 axis = cross(a, {1, 0, 0});
        if (length(axis) < 1e-9) axis = cross(a, {0, 1, 0});
        axis = normalized(axis);
        return {0, axis.x, axis.y, axis.z};
    }
    // The half angle's cosine and sine from the turn's sine (the length of the
    // axis) and cosine c, each from the side where it keeps its digits: past a
    // quarter turn 1 + c would lose them, so the cosine comes from the sine
    // there. Only arithmetic and square roots, which every platform rounds
    // alike, so the host library under Wine places a pin exactly as this host.
    const Vec3 axis = cross(a, b);
    const double sine = length(axis);
    const double halfCos = c >= 0 ? std::sqrt((1 + c) / 2) : sine / std::sqrt(2 * (1 - c));
    const double halfSin = c >= 0 ? sine / (2 * halfCos) : std::sqrt((1 - c) / 2);
    const double k = halfSin / sine;
    return {halfCos, k * axis.x, k * axis.y, k * axis.z};
}

Vec3 rotate(const Quaternion& q, const Vec3& v) {
    const Vec3 u{q.x, q.y, q.z};
    const Vec3 t = cross(u, v);
    const Vec3 t2{2 * t.x, 2 * t.y, 2 * t.z};
    const Vec3 c = cross(u, t2);
    return {v.x + q.w * t2.x + c.x, v.y + q.w * t2.y + c.y, v.z + q.w * t2.z + c.z};
}

std::optional<double> metresPerUnit(int code) {
    switch (code) {
        case 1: case 7: case 11: return 0.001;
        case 2: return 1.0;
        case 4: return 0.0254;
        default: return std::nullopt;
    }
}

}  // namespace zelva::sim
