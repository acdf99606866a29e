#pragma once
// Pure geometry and unit arithmetic behind the stand-in host library classes.
// Shared by the native stand-in host and the Windows stand-in host library, so
// both answer the same numbers.

#include <array>
#include <optional>

namespace zelva::sim {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// A unit quaternion (w, x, y, z): the host's four-value rotation form.
struct Quaternion {
    double w = 1, x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator*(double k, Vec3 v) { return {k * v.x, k * v.y, k * v.z}; }

double length(const Vec3& v);
Vec3 normalized(const Vec3& v);  // the zero vector stays zero
Vec3 cross(const Vec3& a, const Vec3& b);
double dot(const Vec3& a, const Vec3& b);

// The shortest rotation that turns direction `from` onto direction `to`.
Quaternion rotationBetween(const Vec3& from, const Vec3& to);
Vec3 rotate(const Quaternion& q, const Vec3& v);

// Length units of the host library's converter, in metres per unit:
//   1 millimetre (model lengths), 2 metre (the host's internal unit),
//   4 inch, 7 millimetre (texture lengths), 11 millimetre on the drawing sheet.
// An unknown code has no factor.
std::optional<double> metresPerUnit(int code);

}  // namespace zelva::sim
