#pragma once
// The stand-in host's document as plain data: parts, their shapes, the typed
// components of each shape with their variables, profiles, curve sets and
// surface textures, and the places a drop can hit. The automation objects
// handed to the component are thin handles onto these nodes; the SVG
// renderers and the JSON writer read them directly.

#include <array>
#include <compare>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/automation/Object.h"
#include "core/host/ComponentTypes.h"
#include "standin/sim/FrameMath.h"

namespace zelva::sim::doc {

// Component types with a meaning in the stand-in host: those the component builds with.
namespace type = host::types;

constexpr int32_t kExtrudedShapeKind = 5;

// A variable is addressed by a number, or by a kind and an index.
struct VariableKey {
    std::optional<int32_t> kind;
    int32_t number = 0;
    auto operator<=>(const VariableKey&) const = default;
};

struct Ellipse {
    double cx = 0, cy = 0, r = 0;
};

struct CurveSet {
    std::optional<std::array<double, 2>> start;
    std::vector<Ellipse> ellipses;
};

// What the component set on a surface finish's texture, with the types it
// used: properties by name ("TextureFile", "ProjectionWidth(1)") and the
// arguments of the calls that configure it ("SurfaceFinish", "SetUpDirection(1)").
struct Texture {
    std::map<std::string, Variant> properties;
    std::map<std::string, std::vector<Variant>> calls;
};

struct Component;
struct Shape;
using ComponentList = std::vector<std::shared_ptr<Component>>;
using ShapeList = std::vector<std::shared_ptr<Shape>>;

// Components by type, each type's list in item order.
struct ComponentTable {
    std::map<int32_t, ComponentList> byType;

    ComponentList& of(int32_t type) { return byType[type]; }
    const Component* first(int32_t type) const;
    Component* first(int32_t type);
};

struct Profile {
    ComponentTable components;  // curve sets under type 3
};

struct Component {
    explicit Component(int32_t t) : type(t) {}

    int32_t type;
    std::map<VariableKey, Variant> variables;
    std::unique_ptr<Profile> profile;  // a profile owner's profile
    std::unique_ptr<CurveSet> curves;  // a curve set's geometry
    std::unique_ptr<Texture> texture;  // a surface finish, once asked for
    ShapeList shapes;                  // a part body's shapes

    const Variant* variable(VariableKey key) const;
};

struct Shape {
    std::string name;
    int32_t kind = kExtrudedShapeKind;
    ComponentTable components;
    int updates = 0;
};

struct Part {
    std::string name;
    ComponentTable components;

    const ShapeList& shapes() const;
};

enum class HitKind { CircularEdge, LineEdge, Face };

// A place on a part that a drop can hit.
struct HitSite {
    HitKind kind = HitKind::CircularEdge;
    std::shared_ptr<Part> part;
    Vec3 point;
    Vec3 normal;
    double radius = 0;  // circular edges only
    int32_t depth = 1;  // shapes on the path from the page to the hit shape
};

// The whole document: its parts, the places set up for drops, and the page's
// and application's settings.
struct Document {
    std::vector<std::shared_ptr<Part>> parts;
    std::vector<std::shared_ptr<const HitSite>> hits;
    int32_t lengthUnits = 0;      // the page's length unit code; 0 is millimetres
    int16_t dialogPrecision = 2;  // decimals the application's dialogs show
    int pageUpdates = 0;
};

// New nodes with the components the host gives them from the start.
std::shared_ptr<Component> makeComponent(int32_t type);
std::shared_ptr<Shape> makeExtrudedShape();
std::shared_ptr<Part> makePart(std::string name);

}  // namespace zelva::sim::doc
