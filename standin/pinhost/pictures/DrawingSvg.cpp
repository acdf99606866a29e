#include "standin/pinhost/pictures/DrawingSvg.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include "standin/pinhost/pictures/SvgWriter.h"

namespace zelva::pinhost::pictures {

namespace {

// Sheet and frame, in millimetres on paper.
constexpr double kSheetWidth = 297, kSheetHeight = 210;
constexpr double kFrameLeft = 20, kFrameMargin = 10;  // the left margin leaves room for filing
constexpr double kTitleBlockWidth = 120, kTitleBlockHeight = 22;
constexpr double kViewAreaPadding = 5;

// Lines and lettering.
constexpr double kWideLine = 0.5, kNarrowLine = 0.25, kFrameLine = 0.7;
constexpr double kTextHeight = 3.5, kSmallTextHeight = 2.5;
constexpr double kCharWidth = 0.65;  // of the text height, for layout estimates
constexpr double kSmallestTextHeight = 1.8;
const char* const kDashDot = "8 1.5 0.5 1.5";

// Dimensioning.
constexpr double kArrowLength = 3, kArrowHalfWidth = 0.5;
constexpr double kExtensionGap = 0.8, kExtensionOverrun = 2;
constexpr double kDimensionDistance = 9;  // from the outline to a dimension line
constexpr double kTextLift = 1;           // from a dimension line to its text

// Each view's share of its cell.
constexpr double kCellPadding = 3;
constexpr double kCenterLineOverrun = 3;
constexpr double kLeftSpace = 2;
constexpr double kRightSpace = kDimensionDistance + kExtensionOverrun + 1;
constexpr double kTopSpace = kDimensionDistance + kTextLift + kTextHeight + 1;
constexpr double kLabelGap = kDimensionDistance + kExtensionOverrun + 6;  // from the foot to the name's baseline
constexpr double kLabelHeight = kTextHeight + 2 + kSmallTextHeight + 1;
constexpr double kBottomSpace = kLabelGap + kLabelHeight - kTextHeight;
constexpr double kViewsPerRowFactor = 6;  // a row holds about this many views before the sheet wraps

constexpr double kLargestLength = 1e6;
constexpr double kStandardScales[] = {100, 50, 20, 10, 5, 2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01, 0.005, 0.002, 0.001};

std::string coordinate(double v) { return formatNumber(v, 2); }
std::string millimetres(double v) { return formatNumber(v, 3); }

bool usable(double v) { return std::isfinite(v) && std::abs(v) < kLargestLength; }

bool startsCharacter(char byte) { return (byte & 0xC0) != 0x80; }  // not a UTF-8 continuation byte

// Characters, not bytes, of a UTF-8 text.
size_t characters(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), startsCharacter));
}

std::string firstCharacters(std::string_view text, size_t n) {
    size_t end = 0;
    for (size_t seen = 0; end < text.size(); ++end)
        if (startsCharacter(text[end]) && seen++ == n) break;
    return std::string(text.substr(0, end));
}

double textWidth(std::string_view text, double height) {
    return kCharWidth * height * static_cast<double>(characters(text));
}

struct Box {
    double x, y, width, height;
};

// What a side view shows of a pin, in millimetres on the part.
struct SideView {
    double radius;       // major
    double minorRadius;  // 0 when the answers give no usable minor diameter
    double length;       // overall
    double threadStart;
    double chamfer;   // at the free end; 0 without
    double minorEnd;  // where the minor diameter's lines stop: the free end, or the chamfer
};

std::optional<SideView> sideView(const PinProjection& p) {
    if (!p.result || !usable(p.outer) || !usable(p.length) || !usable(p.offset) || p.outer <= 0 || p.length <= 0)
        return std::nullopt;
    SideView v{};
    v.radius = p.outer / 2;
    v.minorRadius = usable(p.inner) && p.inner > 0 && p.inner < p.outer ? p.inner / 2 : 0;
    v.threadStart = std::max(0.0, p.offset);
    v.length = v.threadStart + p.length;
    if (p.chamfered && usable(p.chamfer) && p.chamfer > 0)
        v.chamfer = std::min({p.chamfer, 0.9 * v.radius, v.length / 2});
    v.minorEnd = std::min(v.length, v.length - v.chamfer + (v.radius - v.minorRadius));
    return v;
}

// The largest standard scale at which the view fits, or the exact fit below them all.
double fittingScale(double fit) {
    for (double s : kStandardScales)
        if (s <= fit) return s;
    return fit;
}

std::string scaleText(double s) { return s >= 1 ? millimetres(s) + ":1" : "1:" + millimetres(1 / s); }

// ---- drawing primitives -----------------------------------------------------

void line(SvgWriter& svg, Point a, Point b) {
    svg.element("line",
                {{"x1", coordinate(a.x)}, {"y1", coordinate(a.y)}, {"x2", coordinate(b.x)}, {"y2", coordinate(b.y)}});
}

void text(SvgWriter& svg, Point at, double height, std::string_view content, const char* anchor = "middle",
          double rotation = 0, const char* weight = "normal") {
    Attributes attributes{{"x", coordinate(at.x)}, {"y", coordinate(at.y)}, {"font-size", coordinate(height)},
                          {"text-anchor", anchor}, {"font-weight", weight}, {"stroke", "none"}};
    if (rotation != 0)
        attributes.emplace_back(
            "transform", "rotate(" + coordinate(rotation) + " " + coordinate(at.x) + " " + coordinate(at.y) + ")");
    svg.text("text", attributes, content);
}

// `content` centred on `at` within `room`: smaller than `preferred` when it must
// be, and cut short with an ellipsis when even the smallest lettering is too wide.
void fittedText(SvgWriter& svg, Point at, double preferred, double room, std::string_view content,
                const char* weight = "normal") {
    const double height =
        std::clamp(room / std::max(textWidth(content, 1), kCharWidth), kSmallestTextHeight, preferred);
    std::string shown(content);
    if (textWidth(shown, height) > room) {
        const double fits = std::max(0.0, room / (kCharWidth * height) - 1);
        shown = firstCharacters(content, static_cast<size_t>(fits)) + "…";
    }
    text(svg, at, height, shown, "middle", 0, weight);
}

// A filled arrowhead with its tip at `tip`, pointing along the unit vector `d`.
void arrow(SvgWriter& svg, Point tip, Point d) {
    const Point back{tip.x - kArrowLength * d.x, tip.y - kArrowLength * d.y};
    const Point side{-d.y * kArrowHalfWidth, d.x * kArrowHalfWidth};
    const Point points[] = {tip, {back.x + side.x, back.y + side.y}, {back.x - side.x, back.y - side.y}};
    svg.element("polygon", {{"points", pointList(points)}});
}

// A dimension of the distance from u1 to u2 between two features whose outline
// is at v1 and v2, its line at vLine. On paper x is u and y is v, or, for a
// vertical dimension, x is v and y is u; its text then reads upwards.
struct Dimension {
    double u1, u2, v1, v2, vLine;
    std::string text;
    bool vertical = false;
};

void drawDimension(SvgWriter& svg, const Dimension& d) {
    const auto paper = [&](double u, double v) { return d.vertical ? Point{v, u} : Point{u, v}; };
    const Point alongU = paper(1, 0);
    const Point againstU = paper(-1, 0);
    const double low = std::min(d.u1, d.u2), high = std::max(d.u1, d.u2), span = high - low;

    for (const auto& [u, v] : {std::pair{d.u1, d.v1}, std::pair{d.u2, d.v2}}) {
        const double towards = d.vLine >= v ? 1 : -1;
        if (std::abs(d.vLine - v) > kExtensionGap)
            line(svg, paper(u, v + towards * kExtensionGap), paper(u, d.vLine + towards * kExtensionOverrun));
    }

    // Arrows inside the extension lines when there is room, otherwise outside pointing in.
    const bool arrowsInside = span >= 2 * kArrowLength + 1;
    const double tail = arrowsInside ? 0 : kArrowLength + 2;
    line(svg, paper(low - tail, d.vLine), paper(high + tail, d.vLine));
    arrow(svg, paper(low, d.vLine), arrowsInside ? againstU : alongU);
    arrow(svg, paper(high, d.vLine), arrowsInside ? alongU : againstU);

    // The text sits above the line: centred when it fits, else past the end it reads towards.
    const double textV = d.vLine - kTextLift;
    const double rotation = d.vertical ? -90 : 0;
    if (span >= textWidth(d.text, kTextHeight) + 3) {
        text(svg, paper((low + high) / 2, textV), kTextHeight, d.text, "middle", rotation);
    } else {
        const double gap = tail + 1.5;
        text(svg, d.vertical ? paper(low - gap, textV) : paper(high + gap, textV), kTextHeight, d.text, "start",
             rotation);
    }
}

// ---- one view -----------------------------------------------------------------

// Where a view's pin lies on paper: its axis, its foot and the scale.
struct Placement {
    double axisX, footY, scale;

    // The point at `r` from the axis and `h` along it from the foot.
    Point at(double r, double h) const { return {axisX + r * scale, footY - h * scale}; }
};

// The view with its dimensions and label centred in its cell, at the largest
// standard scale that fits.
Placement placeView(const SideView& v, const Box& cell) {
    const double roomX = std::max(1.0, cell.width - 2 * kCellPadding - kLeftSpace - kRightSpace);
    const double roomY = std::max(1.0, cell.height - 2 * kCellPadding - kTopSpace - kBottomSpace);
    const double s = fittingScale(std::min(roomX / (2 * v.radius), roomY / v.length));
    const double height = kTopSpace + v.length * s + kBottomSpace;
    return {cell.x + cell.width / 2 + (kLeftSpace - kRightSpace) / 2,
            cell.y + (cell.height - height) / 2 + kTopSpace + v.length * s, s};
}

void drawOutline(SvgWriter& svg, const SideView& v, const Placement& p) {
    const double R = v.radius, L = v.length, c = v.chamfer, shoulder = L - c;
    svg.open("g", {{"class", "outline"},
                   {"stroke-width", coordinate(kWideLine)},
                   {"fill", "none"},
                   {"stroke-linejoin", "round"}});
    PathData outline;
    outline.moveTo(p.at(-R, 0)).lineTo(p.at(-R, shoulder));
    if (c > 0) outline.lineTo(p.at(-(R - c), L)).lineTo(p.at(R - c, L));
    outline.lineTo(p.at(R, shoulder)).lineTo(p.at(R, 0)).close();
    svg.element("path", {{"d", outline.str()}});
    if (c > 0) line(svg, p.at(-R, shoulder), p.at(R, shoulder));                        // edge where the chamfer starts
    if (v.threadStart > 0) line(svg, p.at(-R, v.threadStart), p.at(R, v.threadStart));  // thread limit
    svg.close();
}

// The cosmetic thread: the minor diameter as thin lines over the thread length.
void drawThreadLines(SvgWriter& svg, const SideView& v, const Placement& p) {
    if (v.minorRadius <= 0) return;
    svg.open("g", {{"class", "thread"}, {"stroke-width", coordinate(kNarrowLine)}});
    for (double side : {-1.0, 1.0})
        line(svg, p.at(side * v.minorRadius, v.threadStart), p.at(side * v.minorRadius, v.minorEnd));
    svg.close();
}

void drawCenterLine(SvgWriter& svg, const SideView& v, const Placement& p) {
    svg.open("g",
             {{"class", "center-line"}, {"stroke-width", coordinate(kNarrowLine)}, {"stroke-dasharray", kDashDot}});
    const double overrun = kCenterLineOverrun / p.scale;
    line(svg, p.at(0, -overrun), p.at(0, v.length + overrun));
    svg.close();
}

void drawDimensions(SvgWriter& svg, const SideView& v, const Placement& p) {
    const Point footLeft = p.at(-v.radius, 0), footRight = p.at(v.radius, 0);
    const Point endRight = p.at(v.radius - v.chamfer, v.length);
    svg.open("g", {{"class", "dimensions"}, {"stroke-width", coordinate(kNarrowLine)}, {"fill", "#000"}});
    drawDimension(svg, {footRight.y, endRight.y, footRight.x, endRight.x, footRight.x + kDimensionDistance,
                        millimetres(v.length), true});
    drawDimension(svg, {footLeft.x, footRight.x, footLeft.y, footRight.y, footLeft.y + kDimensionDistance,
                        "Ø" + millimetres(2 * v.radius)});
    if (v.minorRadius > 0) {
        const Point left = p.at(-v.minorRadius, v.minorEnd), right = p.at(v.minorRadius, v.minorEnd);
        drawDimension(svg, {left.x, right.x, left.y, right.y, p.at(0, v.length).y - kDimensionDistance,
                            "Ø" + millimetres(2 * v.minorRadius)});
    }
    svg.close();
}

// The name under a view, centred on `at`, and what else a reader wants to know about it.
void drawLabel(SvgWriter& svg, const Box& cell, Point at, const std::string& name, const std::string& details) {
    const double room = 2 * (std::min(at.x - cell.x, cell.x + cell.width - at.x) - kCellPadding);
    fittedText(svg, at, kTextHeight, room, name, "bold");
    if (!details.empty()) fittedText(svg, {at.x, at.y + 2 + kSmallTextHeight}, kSmallTextHeight, room, details);
}

void drawView(SvgWriter& svg, const PinProjection& pin, const Box& cell) {
    svg.open("g", {{"class", "view"}});
    svg.text("title", {}, pin.pin);
    const std::optional<SideView> v = sideView(pin);
    if (!v) {
        const char* note = pin.result ? "no drawable thread dimensions" : "no thread information";
        svg.open("g", {{"class", "note"}, {"font-style", "italic"}});
        const Point centre{cell.x + cell.width / 2, cell.y + cell.height / 2};
        fittedText(svg, centre, kTextHeight, cell.width - 2 * kCellPadding, note);
        svg.close();
        drawLabel(svg, cell, {centre.x, centre.y + 2 * kTextHeight}, pin.pin, "");
        svg.close();
        return;
    }
    const Placement p = placeView(*v, cell);
    drawOutline(svg, *v, p);
    drawThreadLines(svg, *v, p);
    drawCenterLine(svg, *v, p);
    drawDimensions(svg, *v, p);

    std::string details = pin.callout.empty() ? "" : pin.callout + " · ";
    if (v->minorRadius > 0) details += "P" + millimetres(2 * (v->radius - v->minorRadius)) + " · ";
    drawLabel(svg, cell, {p.axisX, p.footY + kLabelGap}, pin.pin, details + "Scale " + scaleText(p.scale));
    svg.close();
}

// ---- the sheet ----------------------------------------------------------------

void drawFrame(SvgWriter& svg, size_t views) {
    svg.element("rect", {{"width", coordinate(kSheetWidth)},
                         {"height", coordinate(kSheetHeight)},
                         {"fill", "#fff"},
                         {"stroke", "none"}});
    const double right = kSheetWidth - kFrameMargin, bottom = kSheetHeight - kFrameMargin;
    svg.open("g", {{"class", "frame"}, {"fill", "none"}});
    svg.element("rect", {{"x", coordinate(kFrameLeft)},
                         {"y", coordinate(kFrameMargin)},
                         {"width", coordinate(right - kFrameLeft)},
                         {"height", coordinate(bottom - kFrameMargin)},
                         {"stroke-width", coordinate(kFrameLine)}});
    // Centring marks from the sheet's edge into the frame.
    svg.open("g", {{"stroke-width", coordinate(kFrameLine)}});
    line(svg, {kSheetWidth / 2, 0}, {kSheetWidth / 2, kFrameMargin + 5});
    line(svg, {kSheetWidth / 2, kSheetHeight}, {kSheetWidth / 2, bottom - 5});
    line(svg, {0, kSheetHeight / 2}, {kFrameLeft + 5, kSheetHeight / 2});
    line(svg, {kSheetWidth, kSheetHeight / 2}, {right - 5, kSheetHeight / 2});
    svg.close();
    svg.close();

    const double x = right - kTitleBlockWidth, y = bottom - kTitleBlockHeight, split = y + 12;
    svg.open("g", {{"class", "title-block"}, {"fill", "none"}, {"stroke-width", coordinate(kWideLine)}});
    svg.element("rect", {{"x", coordinate(x)},
                         {"y", coordinate(y)},
                         {"width", coordinate(kTitleBlockWidth)},
                         {"height", coordinate(kTitleBlockHeight)}});
    line(svg, {x, split}, {right, split});
    const double cellWidth = kTitleBlockWidth / 3;
    for (int i = 1; i < 3; ++i) line(svg, {x + i * cellWidth, split}, {x + i * cellWidth, bottom});
    svg.close();
    text(svg, {x + 4, y + 8}, 5, "Zelvacorin — cosmetic threads", "start", 0, "bold");
    const std::string cells[] = {"Dimensions in mm", std::to_string(views) + (views == 1 ? " view" : " views"),
                                 "A4 · sheet 1/1"};
    for (int i = 0; i < 3; ++i) text(svg, {x + (i + 0.5) * cellWidth, bottom - 3.5}, kSmallTextHeight, cells[i]);
}

// The views' cells: rows of about equal length over the space above the title block.
std::vector<Box> viewCells(size_t count) {
    const Box area{kFrameLeft + kViewAreaPadding, kFrameMargin + kViewAreaPadding,
                   kSheetWidth - kFrameMargin - kFrameLeft - 2 * kViewAreaPadding,
                   kSheetHeight - 2 * kFrameMargin - kTitleBlockHeight - 2 * kViewAreaPadding};
    std::vector<Box> cells;
    if (count == 0) return cells;
    const size_t rows = static_cast<size_t>(std::ceil(std::sqrt(static_cast<double>(count) / kViewsPerRowFactor)));
    const size_t columns = (count + rows - 1) / rows;
    const double width = area.width / static_cast<double>(columns), height = area.height / static_cast<double>(rows);
    for (size_t i = 0; i < count; ++i)
        cells.push_back({area.x + static_cast<double>(i % columns) * width,
                         area.y + static_cast<double>(i / columns) * height, width, height});
    return cells;
}

}  // namespace

void writeDrawingSvg(std::ostream& out, const std::vector<PinProjection>& pins) {
    SvgWriter svg(out, kSheetWidth, kSheetHeight, "mm");
    svg.open("g", {{"stroke", "#000"}, {"fill", "#000"}, {"font-family", kFontFamily}, {"stroke-linecap", "round"}});
    drawFrame(svg, pins.size());
    const std::vector<Box> cells = viewCells(pins.size());
    for (size_t i = 0; i < pins.size(); ++i) drawView(svg, pins[i], cells[i]);
    if (pins.empty()) {
        svg.open("g", {{"class", "note"}, {"font-style", "italic"}});
        text(svg, {(kFrameLeft + kSheetWidth - kFrameMargin) / 2, kSheetHeight / 2 - kTitleBlockHeight / 2},
             kTextHeight, "no drawing views");
        svg.close();
    }
    svg.finish();
}

std::string drawingSvg(const std::vector<PinProjection>& pins) {
    std::ostringstream out;
    writeDrawingSvg(out, pins);
    return out.str();
}

}  // namespace zelva::pinhost::pictures
