#include "standin/pinhost/pictures/Scene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>

#include "core/host/VariableNumbers.h"
#include "standin/sim/ShapeGeometry.h"

namespace zelva::pinhost::pictures {

namespace doc = sim::doc;

namespace {

constexpr double kPlateMargin = 15;         // mm around the hit sites
constexpr double kPitchesPerPicture = 6.25;  // thread turns the texture picture's height holds
constexpr double kLargestLength = 1e6;      // mm; anything larger is bad data
constexpr int32_t kEndChamferVariables[] = {host::vars::body::StartChamfer, host::vars::body::EndChamfer};
const char* const kPictureHeight = "ProjectionHeight(1)";

bool usable(double v) { return std::isfinite(v) && std::abs(v) < kLargestLength; }
bool usable(const Vec3& v) { return usable(v.x) && usable(v.y) && usable(v.z); }

// A value read from the document, when it is a usable number.
template <class Read>
std::optional<double> readNumber(Read read) {
    try {
        const double v = read();
        if (usable(v)) return v;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

std::optional<double> threadPitch(const doc::Shape& shape) {
    const doc::Component* finish = shape.components.first(doc::type::SurfaceFinish);
    if (!finish || !finish->texture) return std::nullopt;
    const auto& properties = finish->texture->properties;
    const auto height = properties.find(kPictureHeight);
    if (height == properties.end()) return std::nullopt;
    const auto pitch = readNumber([&] { return toDouble(height->second) / kPitchesPerPicture; });
    return pitch && *pitch > 0 ? pitch : std::nullopt;
}

double endChamfer(const doc::Shape& shape) {
    const doc::Component* body = shape.components.first(doc::type::Body);
    double chamfer = 0;
    for (int32_t number : kEndChamferVariables)
        if (body)
            chamfer = std::max(chamfer, readNumber([&] { return sim::numericVariable(*body, number); }).value_or(0));
    return chamfer;
}

// The pin a kind-5 shape shows, if its placement can be read at all.
std::optional<Pin> readPin(const doc::Shape& shape) {
    sim::Placement placement;
    try {
        placement = sim::placementOf(shape);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    Pin pin;
    pin.name = shape.name;
    pin.base = placement.position;
    if (!usable(pin.base)) return std::nullopt;
    const Vec3 axis = sim::rotate(placement.rotation, {0, 0, 1});
    const std::vector<doc::Ellipse> circles = sim::profileCircles(shape);
    if (!usable(axis) || circles.empty()) return pin;
    const doc::Ellipse& circle = circles.front();
    const Vec3 center = pin.base + sim::rotate(placement.rotation, {circle.cx, circle.cy, 0});
    if (!usable(circle.r) || circle.r <= 0 || !usable(center)) return pin;

    pin.base = center;
    pin.axis = sim::normalized(axis);
    pin.radius = circle.r;
    pin.length = std::max(0.0, readNumber([&] { return sim::extrusionLength(shape); }).value_or(0));
    pin.chamfer = std::min({endChamfer(shape), 0.9 * pin.radius, pin.length});
    pin.pitch = threadPitch(shape);
    return pin;
}

}  // namespace

std::vector<PartScene> readScene(const doc::Document& doc) {
    std::vector<PartScene> scene;
    size_t order = 0;
    for (const auto& part : doc.parts) {
        if (!part) continue;
        PartScene s;
        for (const auto& shape : part->shapes())
            if (shape && shape->kind == doc::kExtrudedShapeKind)
                if (auto pin = readPin(*shape)) {
                    pin->order = order++;
                    s.pins.push_back(std::move(*pin));
                }

        // The plate reaches a margin past every hit site, or past the pins' feet
        // when the part has no sites.
        std::vector<std::pair<Vec3, double>> marks;  // point, radius
        for (const auto& site : doc.hits) {
            if (!site || site->part != part || !usable(site->point)) continue;
            const bool edge = site->kind == doc::HitKind::CircularEdge && usable(site->radius) && site->radius > 0;
            marks.emplace_back(site->point, edge ? site->radius : 0);
        }
        const bool fromSites = !marks.empty();
        if (!fromSites)
            for (const Pin& pin : s.pins) marks.emplace_back(pin.base, 0);
        if (marks.empty()) marks.emplace_back(Vec3{}, 0);

        Plate& plate = s.plate;
        plate = {INFINITY, -INFINITY, INFINITY, -INFINITY, -INFINITY, {}};
        for (const auto& [p, r] : marks) {
            plate.x0 = std::min(plate.x0, p.x - r - kPlateMargin);
            plate.x1 = std::max(plate.x1, p.x + r + kPlateMargin);
            plate.y0 = std::min(plate.y0, p.y - r - kPlateMargin);
            plate.y1 = std::max(plate.y1, p.y + r + kPlateMargin);
            plate.top = std::max(plate.top, p.z);
        }
        if (fromSites)
            for (const auto& [p, r] : marks)
                if (r > 0) plate.holes.push_back({{p.x, p.y, plate.top}, r});

        scene.push_back(std::move(s));
    }
    return scene;
}

}  // namespace zelva::pinhost::pictures
