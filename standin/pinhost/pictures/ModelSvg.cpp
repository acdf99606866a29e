#include "standin/pinhost/pictures/ModelSvg.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include "standin/pinhost/pictures/Scene.h"
#include "standin/pinhost/pictures/SvgWriter.h"
#include "standin/sim/ShapeGeometry.h"

namespace zelva::pinhost::pictures {

namespace doc = sim::doc;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxStripes = 200;
constexpr double kMinStripeSpacing = 2.5;  // px
constexpr double kMaxContentWidth = 900, kMaxContentHeight = 640, kMinCanvasWidth = 520;  // px
constexpr double kMaxScale = 8;                               // px per mm, so a small scene is not blown up
constexpr double kCanvasMargin = 32;                          // px
constexpr double kTitleFontSize = 15, kTitleLineHeight = 21;  // px

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(double k, Point p) { return {k * p.x, k * p.y}; }


// ---- the view -------------------------------------------------------------

// Standard isometric: looking from (1, 1, 1) at the origin, world z up on screen.
const Vec3 kToViewer = sim::normalized({1, 1, 1});
const Vec3 kScreenRight = sim::normalized({-1, 1, 0});
const Vec3 kScreenUp = sim::normalized({-1, -1, 2});
// Light from the upper left, somewhat in front; the highlight halfway to the eye.
const Vec3 kLight = sim::normalized(-0.55 * kScreenRight + 0.7 * kScreenUp + 0.6 * kToViewer);
const Vec3 kHalfway = sim::normalized(kLight + kToViewer);

double viewDepth(const Vec3& p) { return sim::dot(p, kToViewer); }

struct Rgb {
    double r, g, b;
};

const Rgb kPlateColour{178, 190, 204};
const Rgb kPinColour{208, 172, 96};
const Rgb kHoleColour{74, 82, 92};

std::string hex(const Rgb& c) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string out = "#";
    for (double channel : {c.r, c.g, c.b}) {
        const int v = static_cast<int>(std::lround(std::clamp(channel, 0.0, 255.0)));
        out += kDigits[v / 16];
        out += kDigits[v % 16];
    }
    return out;
}

// The colour of a surface with outward normal `n`: ambient and diffuse light,
// plus a white highlight for polished metal.
std::string shade(const Rgb& base, const Vec3& n, double highlight = 0) {
    const double diffuse = 0.4 + 0.6 * std::max(0.0, sim::dot(n, kLight));
    const double spot = highlight * std::pow(std::max(0.0, sim::dot(n, kHalfway)), 24);
    return hex({base.r * diffuse + 255 * spot, base.g * diffuse + 255 * spot, base.b * diffuse + 255 * spot});
}

// World millimetres to canvas pixels.
struct Screen {
    double scale = 1, left = 0, top = 0;

    Point at(const Vec3& p) const {
        return {left + scale * sim::dot(p, kScreenRight), top - scale * sim::dot(p, kScreenUp)};
    }
    Point along(const Vec3& v) const { return {scale * sim::dot(v, kScreenRight), -scale * sim::dot(v, kScreenUp)}; }
};

// A circle in space: center + u·cos θ + v·sin θ, with u and v square to each
// other and to its axis (or, for a stripe, slightly tilted).
struct Circle3 {
    Vec3 center, u, v;
};

// A circle as seen on the canvas: an ellipse given by two conjugate radii.
struct Ellipse2 {
    Point center, u, v;

    Ellipse2(const Screen& s, const Circle3& c) : center(s.at(c.center)), u(s.along(c.u)), v(s.along(c.v)) {}
    Point at(double t) const { return center + std::cos(t) * u + std::sin(t) * v; }
    Point tangent(double t) const { return -std::sin(t) * u + std::cos(t) * v; }
};

// Continues `path` along `e` from angle `from` (where the path stands) to `to`,
// in cubic pieces of at most a quarter turn.
void arcTo(PathData& path, const Ellipse2& e, double from, double to) {
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(to - from) / (kPi / 2) - 1e-9)));
    const double step = (to - from) / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    for (int i = 0; i < pieces; ++i) {
        const double a = from + i * step, b = a + step;
        path.cubicTo(e.at(a) + k * e.tangent(a), e.at(b) - k * e.tangent(b), e.at(b));
    }
}

PathData ellipsePath(const Ellipse2& e) {
    PathData path;
    path.moveTo(e.at(0));
    arcTo(path, e, 0, 2 * kPi);
    return path.close();
}

// Projected extent of the picture's content, in world millimetres along the screen axes.
struct Extent {
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;

    void add(const Vec3& p) { addBox(sim::dot(p, kScreenRight), sim::dot(p, kScreenUp), 0, 0); }
    void add(const Circle3& c) {
        addBox(sim::dot(c.center, kScreenRight), sim::dot(c.center, kScreenUp),
               std::hypot(sim::dot(c.u, kScreenRight), sim::dot(c.v, kScreenRight)),
               std::hypot(sim::dot(c.u, kScreenUp), sim::dot(c.v, kScreenUp)));
    }
    void addBox(double x, double y, double halfWidth, double halfHeight) {
        minX = std::min(minX, x - halfWidth);
        maxX = std::max(maxX, x + halfWidth);
        minY = std::min(minY, y - halfHeight);
        maxY = std::max(maxY, y + halfHeight);
    }
    bool empty() const { return minX > maxX; }
};

// ---- drawing ----------------------------------------------------------------

double depthOf(const Pin& pin) { return viewDepth(pin.pointOnAxis(pin.length / 2)); }
double depthOf(const Plate& p) { return viewDepth({(p.x0 + p.x1) / 2, (p.y0 + p.y1) / 2, p.top - kPlateThickness / 2}); }

// Farthest first, so that what is nearer is drawn over it.
std::vector<PartScene> inDrawingOrder(std::vector<PartScene> scene) {
    for (PartScene& part : scene)
        std::sort(part.pins.begin(), part.pins.end(),
                  [](const Pin& a, const Pin& b) { return depthOf(a) < depthOf(b); });
    std::sort(scene.begin(), scene.end(),
              [](const PartScene& a, const PartScene& b) { return depthOf(a.plate) < depthOf(b.plate); });
    return scene;
}

// The pin's frame: `side` points to where its outline runs, `front` to the viewer.
struct PinFrame {
    Vec3 side, front;

    explicit PinFrame(const Vec3& axis) {
        side = sim::cross(axis, kToViewer);
        if (sim::length(side) < 1e-9) side = sim::cross(axis, {1, 0, 0});
        side = sim::normalized(side);
        front = sim::cross(side, axis);
    }
};

Circle3 ring(const Pin& pin, const PinFrame& f, double h, double r) {
    return {pin.pointOnAxis(h), r * f.side, r * f.front};
}

// A shaded band across the visible side, normals from `normalAt(t)`, t = −1 … 1 along the outline.
template <class Normal>
std::string sideGradient(SvgWriter& svg, const std::string& id, const Ellipse2& middle, Normal normalAt) {
    const Point from = middle.at(kPi), to = middle.at(0);
    svg.open("linearGradient", {{"id", id},
                                {"gradientUnits", "userSpaceOnUse"},
                                {"x1", formatNumber(from.x, 2)},
                                {"y1", formatNumber(from.y, 2)},
                                {"x2", formatNumber(to.x, 2)},
                                {"y2", formatNumber(to.y, 2)}});
    constexpr int kStops = 12;
    for (int i = 0; i <= kStops; ++i) {
        const double t = -1 + 2.0 * i / kStops;
        svg.element("stop", {{"offset", formatNumber(double(i) / kStops, 3)}, {"stop-color", normalAt(t)}});
    }
    svg.close();
    return "url(#" + id + ")";
}

const Attributes kEdgeStroke{{"stroke", "#3b3222"}, {"stroke-width", "0.9"}, {"stroke-linejoin", "round"}};

Attributes withEdge(Attributes attributes) {
    attributes.insert(attributes.end(), kEdgeStroke.begin(), kEdgeStroke.end());
    return attributes;
}

// The visible outline of the solid of revolution between rings `a` and `b`
// (b towards the free end), filled with `fill`.
void drawBand(SvgWriter& svg, const Screen& s, const Circle3& a, const Circle3& b, bool freeEndFacesViewer,
              const std::string& fill) {
    const Ellipse2 ea(s, a), eb(s, b);
    const double turn = freeEndFacesViewer ? kPi : -kPi;
    PathData path;
    path.moveTo(ea.at(0));
    arcTo(path, ea, 0, turn);
    path.lineTo(eb.at(turn));
    arcTo(path, eb, turn, 2 * turn);
    svg.element("path", withEdge({{"d", path.close().str()}, {"fill", fill}}));
}

// Thread crests: the visible half of each turn, dark, with a light rim just
// above it, every pitch over the cylindrical part.
void drawThread(SvgWriter& svg, const Screen& s, const Pin& pin, const PinFrame& f) {
    if (!pin.pitch) return;
    const double pitch = *pin.pitch, end = pin.length - pin.chamfer;
    const double turns = std::floor(end / pitch);
    if (turns < 1) return;
    const double stride =
        std::max({1.0, std::ceil(turns / kMaxStripes), std::ceil(kMinStripeSpacing / (pitch * s.scale))});
    const double spacing = stride * pitch * s.scale;  // px
    const double width = std::clamp(0.22 * spacing, 0.5, 1.4);
    svg.open("g", {{"class", "thread"}, {"fill", "none"}, {"stroke-linecap", "round"}});
    for (double h = pitch / 2; h + pitch / 4 <= end; h += stride * pitch) {
        for (const auto& [lift, colour, opacity] :
             {std::tuple{0.0, "#3a2a0a", "0.55"}, std::tuple{0.3, "#fff4d8", "0.45"}}) {
            const Circle3 turn{pin.pointOnAxis(h + lift * stride * pitch), pin.radius * f.side + (pitch / 4) * pin.axis,
                               pin.radius * f.front};
            const Ellipse2 e(s, turn);
            PathData path;
            path.moveTo(e.at(0));
            arcTo(path, e, 0, kPi);
            svg.element("path", {{"d", path.str()},
                                 {"stroke", colour},
                                 {"stroke-opacity", opacity},
                                 {"stroke-width", formatNumber(lift == 0 ? width : 0.6 * width, 2)}});
        }
    }
    svg.close();
}

std::string pinSummary(const Pin& pin) {
    if (!pin.solid()) return pin.name + " (no usable profile)";
    std::string text = pin.name + " " + formatNumber(2 * pin.radius, 3) + "×" + formatNumber(pin.length, 3);
    if (pin.pitch) text += "×" + formatNumber(*pin.pitch, 3);
    return text;
}

void drawMarker(SvgWriter& svg, const Screen& s, const Pin& pin) {
    const Point c = s.at(pin.base);
    svg.open("g", {{"class", "pin-marker"}, {"stroke", "#b3261e"}, {"stroke-width", "2"}, {"fill", "none"}});
    svg.text("title", {}, pinSummary(pin));
    svg.element("circle", {{"cx", formatNumber(c.x, 2)}, {"cy", formatNumber(c.y, 2)}, {"r", "7"}});
    PathData cross;
    cross.moveTo(c + Point{-5, -5}).lineTo(c + Point{5, 5}).moveTo(c + Point{-5, 5}).lineTo(c + Point{5, -5});
    svg.element("path", {{"d", cross.str()}});
    svg.close();
}

void drawPin(SvgWriter& svg, const Screen& s, const Pin& pin, int index) {
    if (!pin.solid()) {
        drawMarker(svg, s, pin);
        return;
    }
    constexpr double kPolish = 0.55;
    const PinFrame f(pin.axis);
    const bool facing = sim::dot(pin.axis, kToViewer) >= 0;
    const double shoulder = pin.length - pin.chamfer;
    const std::string id = "pin" + std::to_string(index);
    const auto sideNormal = [&](double t) { return t * f.side + std::sqrt(std::max(0.0, 1 - t * t)) * f.front; };

    svg.open("g", {{"class", "pin"}});
    svg.text("title", {}, pin.name);
    svg.open("defs");
    const std::string body = sideGradient(svg, id + "-side", Ellipse2(s, ring(pin, f, shoulder / 2, pin.radius)),
                                          [&](double t) { return shade(kPinColour, sideNormal(t), kPolish); });
    const std::string cone =
        pin.chamfer > 0
            ? sideGradient(
                  svg, id + "-chamfer",
                  Ellipse2(s, ring(pin, f, shoulder + pin.chamfer / 2, pin.radius - pin.chamfer / 2)),
                  [&](double t) { return shade(kPinColour, sim::normalized(sideNormal(t) + pin.axis), kPolish); })
            : "";
    svg.close();

    const Circle3 foot = ring(pin, f, 0, pin.radius), shoulderRing = ring(pin, f, shoulder, pin.radius),
                  end = ring(pin, f, pin.length, pin.radius - pin.chamfer);
    const auto drawChamfer = [&] {
        if (pin.chamfer > 0) drawBand(svg, s, shoulderRing, end, facing, cone);
    };
    // Far end first: the chamfer behind the body when the free end points away.
    if (!facing) drawChamfer();
    drawBand(svg, s, foot, shoulderRing, facing, body);
    drawThread(svg, s, pin, f);
    if (facing) drawChamfer();
    const Circle3& cap = facing ? end : foot;
    svg.element("path", withEdge({{"d", ellipsePath(Ellipse2(s, cap)).str()},
                                  {"fill", shade(kPinColour, facing ? pin.axis : -1 * pin.axis, kPolish)}}));
    svg.close();
}

void drawPlate(SvgWriter& svg, const Screen& s, const Plate& p) {
    const auto face = [&](std::initializer_list<Vec3> corners, const Vec3& normal) {
        std::vector<Point> points;
        for (const Vec3& c : corners) points.push_back(s.at(c));
        svg.element("polygon", {{"points", pointList(points)}, {"fill", shade(kPlateColour, normal)}});
    };
    svg.open("g", {{"class", "plate"}, {"stroke", "#2f3842"}, {"stroke-width", "1"}, {"stroke-linejoin", "round"}});
    face({p.corner(false, false, true), p.corner(true, false, true), p.corner(true, true, true),
          p.corner(false, true, true)},
         {0, 0, 1});
    face({p.corner(true, false, true), p.corner(true, true, true), p.corner(true, true, false),
          p.corner(true, false, false)},
         {1, 0, 0});
    face({p.corner(false, true, true), p.corner(true, true, true), p.corner(true, true, false),
          p.corner(false, true, false)},
         {0, 1, 0});
    for (const Hole& hole : p.holes) {
        const Circle3 rim{hole.center, {hole.radius, 0, 0}, {0, hole.radius, 0}};
        svg.element("path", {{"d", ellipsePath(Ellipse2(s, rim)).str()}, {"fill", hex(kHoleColour)}});
    }
    svg.close();
}

// A small axis tripod in the lower left corner.
void drawAxes(SvgWriter& svg, Point origin) {
    svg.open("g", {{"class", "axes"}, {"stroke-width", "1.6"}, {"font-family", kFontFamily}, {"font-size", "11"}});
    const Screen unit{22, origin.x, origin.y};
    for (const auto& [direction, label, colour] :
         {std::tuple{Vec3{1, 0, 0}, "X", "#c0392b"}, std::tuple{Vec3{0, 1, 0}, "Y", "#27864a"},
          std::tuple{Vec3{0, 0, 1}, "Z", "#2c5fb3"}}) {
        const Point tip = unit.at(direction), text = unit.at(1.35 * direction);
        svg.element("line", {{"x1", formatNumber(origin.x, 2)},
                             {"y1", formatNumber(origin.y, 2)},
                             {"x2", formatNumber(tip.x, 2)},
                             {"y2", formatNumber(tip.y, 2)},
                             {"stroke", colour}});
        svg.text("text",
                 {{"x", formatNumber(text.x, 2)},
                  {"y", formatNumber(text.y + 4, 2)},
                  {"fill", colour},
                  {"text-anchor", "middle"}},
                 label);
    }
    svg.close();
}

// The title's lines: the pins in document order with their D×L×P, wrapped to the canvas width.
std::vector<std::string> titleLines(const std::vector<PartScene>& scene, double width) {
    std::vector<const Pin*> pins;
    for (const PartScene& part : scene)
        for (const Pin& pin : part.pins) pins.push_back(&pin);
    std::sort(pins.begin(), pins.end(), [](const Pin* a, const Pin* b) { return a->order < b->order; });
    if (pins.empty()) return {scene.empty() ? "Empty document" : "No pins"};
    const size_t perLine = std::max<size_t>(20, static_cast<size_t>(width / (0.56 * kTitleFontSize)));
    std::vector<std::string> lines{"Pins (D×L×P, mm): "};
    for (size_t i = 0; i < pins.size(); ++i) {
        const std::string item = pinSummary(*pins[i]) + (i + 1 < pins.size() ? " · " : "");
        if (lines.back().size() + item.size() > perLine && lines.back().size() > 20) lines.emplace_back();
        lines.back() += item;
    }
    return lines;
}

Extent sceneExtent(const std::vector<PartScene>& scene) {
    Extent extent;
    for (const PartScene& part : scene) {
        for (bool x : {false, true})
            for (bool y : {false, true})
                for (bool z : {false, true}) extent.add(part.plate.corner(x, y, z));
        for (const Pin& pin : part.pins) {
            const PinFrame f(pin.axis);
            extent.add(ring(pin, f, 0, pin.radius));
            extent.add(ring(pin, f, pin.length, pin.radius));
        }
    }
    return extent;
}

}  // namespace

void writeModelSvg(std::ostream& out, const doc::Document& doc) {
    const std::vector<PartScene> scene = inDrawingOrder(readScene(doc));
    Extent extent = sceneExtent(scene);
    if (extent.empty()) extent = {-25, 25, -5, 5};
    const double contentWidth = std::max(extent.maxX - extent.minX, 1.0);
    const double contentHeight = std::max(extent.maxY - extent.minY, 1.0);
    const double scale = std::min({kMaxContentWidth / contentWidth, kMaxContentHeight / contentHeight, kMaxScale});

    const double width = std::max(contentWidth * scale + 2 * kCanvasMargin, kMinCanvasWidth);
    const std::vector<std::string> title = titleLines(scene, width - 2 * kCanvasMargin);
    const double titleHeight = 18 + kTitleLineHeight * static_cast<double>(title.size());
    const double height = titleHeight + contentHeight * scale + 2 * kCanvasMargin;
    const Screen screen{scale, width / 2 - scale * (extent.minX + extent.maxX) / 2,
                        titleHeight + kCanvasMargin + scale * extent.maxY};

    SvgWriter svg(out, width, height);
    svg.open("defs");
    svg.open("linearGradient", {{"id", "backdrop"}, {"x1", "0"}, {"y1", "0"}, {"x2", "0"}, {"y2", "1"}});
    svg.element("stop", {{"offset", "0"}, {"stop-color", "#fbfcfd"}});
    svg.element("stop", {{"offset", "1"}, {"stop-color", "#d5dde6"}});
    svg.close();
    svg.close();
    svg.element("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "url(#backdrop)"}});
    svg.open("g", {{"class", "title"},
                   {"font-family", kFontFamily},
                   {"font-size", formatNumber(kTitleFontSize, 0)},
                   {"fill", "#1f2933"}});
    for (size_t i = 0; i < title.size(); ++i)
        svg.text("text",
                 {{"x", formatNumber(kCanvasMargin / 2, 2)},
                  {"y", formatNumber(10 + kTitleLineHeight * static_cast<double>(i + 1), 2)}},
                 title[i]);
    svg.close();

    int index = 0;
    for (const PartScene& part : scene) {
        // A pin reaching into its part goes behind the plate; the others stand on it.
        const auto sunk = [&](const Pin& pin) { return pin.pointOnAxis(pin.length / 2).z < part.plate.top; };
        for (const Pin& pin : part.pins)
            if (sunk(pin)) drawPin(svg, screen, pin, ++index);
        drawPlate(svg, screen, part.plate);
        for (const Pin& pin : part.pins)
            if (!sunk(pin)) drawPin(svg, screen, pin, ++index);
    }
    drawAxes(svg, {kCanvasMargin + 8, height - kCanvasMargin + 4});
    svg.finish();
}

std::string modelSvg(const doc::Document& doc) {
    std::ostringstream out;
    writeModelSvg(out, doc);
    return out.str();
}

}  // namespace zelva::pinhost::pictures
