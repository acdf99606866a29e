#pragma once
// The classes of the host's library that the component creates itself. Each
// method is named by its role; the comment gives the method's number in the
// host's interface (counted from the first method after IDispatch), which is
// the slot the Windows adapter calls. Every method may raise the host's error.

#include <cstdint>
#include <string>

#include "automation/Object.h"
#include "automation/Ref.h"

namespace zelva::host {

class HostVector : public RefCounted {
public:
    virtual void setXYZ(double& x, double& y, double& z) = 0;  // 16
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
    virtual void setFrames(Ref<HostVector>& fromPoint, Ref<HostVector>& fromAxis, Ref<HostVector>& toPoint,
                           Ref<HostVector>& toAxis) = 0;
    // 4: the rotation in the host's four-value form.
    virtual void rotation(double& r1, double& r2, double& r3, double& r4) = 0;
};

class HostClassRegistry : public RefCounted {
public:
    // 5: the class identifier registered for a ProgID.
    virtual void classIdOf(std::string& progId, int32_t& flags, std::string& classId) = 0;
};

class UnitConverter : public RefCounted {
public:
    // 3: converts a length between two of the host's unit codes on a page.
    virtual void convert(Ref<Object>& page, double& value, int32_t& fromCode, int32_t& toCode,
                         double& result) = 0;
};

class HostRegistry : public RefCounted {
public:
    // 3: reads a registry string; `value` is left untouched when absent.
    virtual void readString(int32_t& root, std::string& key, std::string& name, std::string& value,
                            int32_t& status) = 0;
    // 4: tests a file; -1 when it exists.
    virtual void fileExists(std::string& path, int16_t& answer) = 0;
};

class HostSettingsStore : public RefCounted {
public:
    virtual void openSection(std::string& name, int16_t& answer) = 0;                  // 7
    virtual void closeSection() = 0;                                                   // 8
    virtual void readString(std::string& key, std::string& value, int16_t& answer) = 0;  // 11
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
