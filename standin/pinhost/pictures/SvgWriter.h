#pragma once
// A small SVG writer shared by pinhost's pictures: nested elements with
// escaped attributes and text, path data, and the number format both use.

#include <initializer_list>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelva::pinhost::pictures {

inline constexpr const char* kFontFamily = "DejaVu Sans, Arial, sans-serif";

struct Point {
    double x = 0, y = 0;
};

// `value` with at most `decimals` decimals and no trailing zeros ("8.5", "30");
// minus zero and anything not finite are written as "0".
std::string formatNumber(double value, int decimals);

// Text made safe as XML content or as a quoted attribute value.
std::string xmlEscape(std::string_view text);

// "x1,y1 x2,y2 …" for a polygon's or a polyline's points.
std::string pointList(std::span<const Point> points);

// The `d` of a path, coordinates with two decimals.
class PathData {
public:
    PathData& moveTo(Point p);
    PathData& lineTo(Point p);
    PathData& cubicTo(Point c1, Point c2, Point p);
    PathData& close();

    const std::string& str() const { return d_; }

private:
    void command(char letter, std::initializer_list<Point> points);

    std::string d_;
};

using Attribute = std::pair<std::string_view, std::string>;
using Attributes = std::vector<Attribute>;

// Writes one SVG document into `out` as it goes. Width and height are those of
// the view box; with a unit ("mm") they are also the picture's printed size.
class SvgWriter {
public:
    SvgWriter(std::ostream& out, double width, double height, std::string_view unit = "");

    void open(std::string_view tag, const Attributes& attributes = {});
    void close();
    void element(std::string_view tag, const Attributes& attributes);
    void text(std::string_view tag, const Attributes& attributes, std::string_view content);

    // Closes every element still open.
    void finish();

private:
    void startTag(std::string_view tag, const Attributes& attributes);
    void indent();  // two spaces for each element open

    std::ostream& out_;
    std::vector<std::string> open_;
};

}  // namespace zelva::pinhost::pictures
