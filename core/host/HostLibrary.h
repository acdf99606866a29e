#pragma once
// The classes of the host's library that the component creates itself. Each
// method is named by its role; the comment gives the method's number in the
// host's interface (counted from the first method after IDispatch), which is
// the slot the Windows adapter calls. Every method may raise the host's error.
// The host takes every argument by reference and writes its answers into some
// of them; here inputs go in by value and answers come back as results, and
// only the adapters to a host deal in its by-reference slots.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/automation/Object.h"
#include "core/automation/Ref.h"

namespace zelva::host {

class HostVector : public RefCounted {
public:
    virtual void setXYZ(double x, double y, double z) = 0;  // 16
    virtual double x() = 0;                                    // 1
    virtual double y() = 0;                                    // 3
    virtual double z() = 0;                                    // 5
    virtual void normalize() = 0;                              // 7
};

class HostPlacement : public RefCounted {
public:
    virtual double x() = 0;  // 1
    virtual void setX(double v) = 0;  // 2
    virtual double y() = 0;  // 3
    virtual void setY(double v) = 0;  // 4
    virtual double z() = 0;  // 5
    virtual void setZ(double v) = 0;  // 6
    // Rotation values 1 to 4: get is method 5 + 2i, put is 6 + 2i.
    virtual double rotation(int i) = 0;
    virtual void setRotation(int i, double v) = 0;
};

class HostTransform : public RefCounted {
public:
    // 20: the transform that carries the first point and axis onto the second.
    virtual void setFrames(const Ref<HostVector>& fromPoint, const Ref<HostVector>& fromAxis,
                           const Ref<HostVector>& toPoint, const Ref<HostVector>& toAxis) = 0;
    // 4: the rotation in the host's four-value form, values 1 to 4 in order.
    virtual std::array<double, 4> rotation() = 0;
};

class HostClassRegistry : public RefCounted {
public:
    // 5: the class identifier registered for a ProgID.
    virtual std::string classIdOf(std::string_view progId, int32_t flags) = 0;
};

class UnitConverter : public RefCounted {
public:
    // 3: converts a length between two of the host's unit codes on a page.
    virtual double convert(const Ref<Object>& page, double value, int32_t fromCode, int32_t toCode) = 0;
};

class HostRegistry : public RefCounted {
public:
    // 3: reads a registry string. The host leaves its value slot untouched when
    // the value is absent, and the slot starts empty: absent reads as "". The
    // host's status is not looked at.
    virtual std::string readString(int32_t root, std::string_view key, std::string_view name) = 0;
    // 4: whether a file exists (the host answers -1).
    virtual bool fileExists(std::string_view path) = 0;
};

class HostSettingsStore : public RefCounted {
public:
    virtual bool openSection(std::string_view name) = 0;  // 7: whether the section exists
    virtual void closeSection() = 0;                      // 8
    // 11: the key's value in the open section, nothing when the host does not
    // answer -1 (found).
    virtual std::optional<std::string> readString(std::string_view key) = 0;
};

// Creates the host-library objects: the stand-in host natively, the registered
// classes on Windows. A class that cannot be created raises the host's error.
class HostLibrary {
public:
    virtual ~HostLibrary() = default;
    virtual Ref<HostVector> createVector() = 0;
    virtual Ref<HostPlacement> createPlacement() = 0;
    virtual Ref<HostTransform> createTransform() = 0;
    virtual Ref<HostClassRegistry> createClassRegistry() = 0;
    virtual Ref<UnitConverter> createUnitConverter() = 0;
    virtual Ref<HostRegistry> createRegistry() = 0;
    virtual Ref<HostSettingsStore> createSettingsStore() = 0;
};

}  // namespace zelva::host
