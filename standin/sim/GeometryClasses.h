#pragma once
// The stand-in host library's geometry classes: a vector, a placement and a
// transform between two point-and-axis frames. Each call is journalled under
// the method's role name and may be made to fail.

#include <array>
#include <memory>

#include "core/host/HostLibrary.h"
#include "standin/sim/Tracked.h"
#include "standin/sim/FrameMath.h"

namespace zelva::sim {

class SimVector : public host::HostVector, public Tracked {
public:
    explicit SimVector(std::shared_ptr<HostState> host) : Tracked(std::move(host), "HostVector") {}

    void setXYZ(double x, double y, double z) override;
    double x() override;
    double y() override;
    double z() override;
    void normalize() override;  // to unit length; the zero vector stays zero

    const Vec3& value() const { return v_; }  // read by the host itself, unjournalled

private:
    Vec3 v_;
};

class SimPlacement : public host::HostPlacement, public Tracked {
public:
    explicit SimPlacement(std::shared_ptr<HostState> host) : Tracked(std::move(host), "HostPlacement") {}

    double x() override;
    void setX(double v) override;
    double y() override;
    void setY(double v) override;
    double z() override;
    void setZ(double v) override;
    double rotation(int i) override;  // i from 1 to 4, otherwise error 5
    void setRotation(int i, double v) override;

private:
    double coordinate(const char* member, const double& slot);
    void setCoordinate(const char* member, double& slot, double v);

    Vec3 position_;
    std::array<double, 4> rotation_{};
};

// Holds the rotation that turns the first axis onto the second: the host's
// four values are that rotation as a quaternion w, x, y, z.
class SimTransform : public host::HostTransform, public Tracked {
public:
    explicit SimTransform(std::shared_ptr<HostState> host) : Tracked(std::move(host), "HostTransform") {}

    void setFrames(const Ref<host::HostVector>& fromPoint, const Ref<host::HostVector>& fromAxis,
                   const Ref<host::HostVector>& toPoint, const Ref<host::HostVector>& toAxis) override;
    std::array<double, 4> rotation() override;

private:
    Quaternion rotation_;
};

}  // namespace zelva::sim
