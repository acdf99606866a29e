// pinhost's pictures: the isometric model view and the drawing sheet are
// well-formed SVG whatever the document holds, show each pin once, escape
// what users typed, and write the numbers a reader expects.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <regex>
#include <sstream>

#include "standin/pinhost/pictures/DrawingSvg.h"
#include "standin/pinhost/pictures/ModelSvg.h"
#include "standin/pinhost/pictures/SvgWriter.h"
#include "standin/sim/Document.h"
#include "standin/sim/FrameMath.h"

using namespace zelva;
namespace doc = sim::doc;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- reading the pictures -----------------------------------------------------

// What a renderer can get wrong in XML: one root, balanced tags, quoted
// attribute values without '<', and every '&' starting an entity.
testing::AssertionResult isWellFormedXml(const std::string& xml) {
    static const std::regex entity("&(amp|lt|gt|quot|apos|#[0-9]+|#x[0-9a-fA-F]+);");
    static const std::regex name("[A-Za-z_:][-A-Za-z0-9_.:]*");
    std::vector<std::string> open;
    bool rootSeen = false;
    size_t i = 0;
    const auto fail = [&](const std::string& what) {
        return testing::AssertionFailure() << what << " at offset " << i << ": " << xml.substr(i > 40 ? i - 40 : 0, 80);
    };
    const auto entityAt = [&](size_t at) {
        return std::regex_search(xml.cbegin() + long(at), xml.cend(), entity, std::regex_constants::match_continuous);
    };
    const auto nameAt = [&](size_t& at) {
        std::smatch m;
        if (!std::regex_search(xml.cbegin() + long(at), xml.cend(), m, name, std::regex_constants::match_continuous))
            return std::string();
        at += m.length();
        return m.str();
    };
    const auto skipSpace = [&](size_t& at) {
        while (at < xml.size() && std::isspace(static_cast<unsigned char>(xml[at]))) ++at;
    };

    while (i < xml.size()) {
        const char c = xml[i];
        if (c == '&' && !entityAt(i)) return fail("bare '&'");
        if (c != '<') {
            if (open.empty() && !std::isspace(static_cast<unsigned char>(c))) return fail("text outside the root");
            ++i;
            continue;
        }
        for (const auto& [start, end] : {std::pair{"<?", "?>"}, std::pair{"<!--", "-->"}}) {
            if (xml.compare(i, std::strlen(start), start) != 0) continue;
            const size_t to = xml.find(end, i);
            if (to == std::string::npos) return fail("unterminated markup");
            i = to + std::strlen(end);
            break;
        }
        if (i >= xml.size() || xml[i] != '<') continue;

        size_t j = i + 1;
        const bool closing = xml[j] == '/';
        if (closing) ++j;
        const std::string tag = nameAt(j);
        if (tag.empty()) return fail("tag without a name");
        if (closing) {
            skipSpace(j);
            if (j >= xml.size() || xml[j] != '>') return fail("malformed end tag");
            if (open.empty() || open.back() != tag) return fail("</" + tag + "> closes nothing open");
            open.pop_back();
            i = j + 1;
            continue;
        }
        if (open.empty() && rootSeen) return fail("a second root element");
        rootSeen = true;
        for (;;) {
            skipSpace(j);
            if (j >= xml.size()) return fail("unterminated tag");
            if (xml.compare(j, 2, "/>") == 0) {
                j += 2;
                break;
            }
            if (xml[j] == '>') {
                open.push_back(tag);
                ++j;
                break;
            }
            if (nameAt(j).empty() || j >= xml.size() || xml[j] != '=')
                return fail("malformed attribute in <" + tag + ">");
            const char quote = xml[++j];
            if (quote != '"' && quote != '\'') return fail("unquoted attribute value");
            const size_t end = xml.find(quote, j + 1);
            if (end == std::string::npos) return fail("unterminated attribute value");
            for (size_t k = j + 1; k < end; ++k) {
                if (xml[k] == '<') return fail("'<' in an attribute value");
                if (xml[k] == '&' && !entityAt(k)) return fail("bare '&' in an attribute value");
            }
            j = end + 1;
        }
        i = j;
    }
    if (!rootSeen) return testing::AssertionFailure() << "no root element";
    if (!open.empty()) return testing::AssertionFailure() << "<" << open.back() << "> is never closed";
    return testing::AssertionSuccess();
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

// Numbers that are not numbers, as printf would write them.
bool hasNonFiniteNumber(const std::string& svg) {
    static const std::regex nonFinite("\\b-?(nan|inf)\\b", std::regex::icase);
    return std::regex_search(svg, nonFinite);
}

// Each <g class="…"> element of that class, with its content.
std::vector<std::string> groupsOfClass(const std::string& svg, const std::string& cls) {
    std::vector<std::string> groups;
    const std::string start = "<g class=\"" + cls + "\"";
    for (size_t at = svg.find(start); at != std::string::npos; at = svg.find(start, at + 1)) {
        int depth = 0;
        size_t k = at;
        do {
            const size_t opening = svg.find("<g", k + 1), closing = svg.find("</g>", k + 1);
            if (closing == std::string::npos) break;
            if (opening < closing && (svg[opening + 2] == ' ' || svg[opening + 2] == '>')) {
                ++depth;
                k = opening;
            } else {
                --depth;
                k = closing;
            }
        } while (depth >= 0);
        groups.push_back(svg.substr(at, k + 4 - at));
    }
    return groups;
}

struct Bounds {
    double width, height;
};

// The extent of every "x,y" point of the paths in `group`.
Bounds pathBounds(const std::string& group) {
    static const std::regex point("(-?[0-9.]+),(-?[0-9.]+)");
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    for (std::sregex_iterator it(group.begin(), group.end(), point), end; it != end; ++it) {
        const double x = std::stod((*it)[1]), y = std::stod((*it)[2]);
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    return {maxX - minX, maxY - minY};
}

// ---- documents ------------------------------------------------------------------

struct PinSpec {
    std::string name = "pin1";
    sim::Vec3 position{0, 0, 10};
    sim::Vec3 axis{0, 0, 1};
    double diameter = 10, length = 30;
    std::optional<double> pitch = 1.5;  // none: no thread picture
    bool chamfered = true;
};

void setNumber(doc::Component& c, int32_t number, Variant v) { c.variables[{std::nullopt, number}] = std::move(v); }

// A kind-5 shape set up the way the pin builds one.
std::shared_ptr<doc::Shape> addPin(doc::Part& part, const PinSpec& wanted) {
    auto shape = doc::makeExtrudedShape();
    shape->name = wanted.name;
    doc::Component& placement = *shape->components.first(doc::type::Placement);
    const sim::Quaternion q = sim::rotationBetween({0, 0, 1}, wanted.axis);
    const double values[] = {wanted.position.x, wanted.position.y, wanted.position.z, q.w, q.x, q.y, q.z};
    for (int32_t n = 1; n <= 7; ++n) setNumber(placement, n, Variant::r8(values[n - 1]));
    doc::Component& size = *shape->components.first(doc::type::SizeBox);
    setNumber(size, 2, Variant::r8(wanted.diameter));
    setNumber(size, 3, Variant::r8(wanted.length));

    auto curves = doc::makeComponent(doc::type::CurveSets);
    curves->curves->ellipses.push_back({0, 0, wanted.diameter / 2});
    shape->components.first(doc::type::ProfileOwner)->profile->components.of(doc::type::CurveSets).push_back(curves);

    const double pitch = wanted.pitch.value_or(1);
    for (int32_t n : {23, 24})
        setNumber(*shape->components.first(doc::type::Body), n,
                  wanted.chamfered ? Variant::r8(pitch / 2) : Variant::i2(0));
    if (wanted.pitch) {
        auto finish = doc::makeComponent(doc::type::SurfaceFinish);
        finish->texture = std::make_unique<doc::Texture>();
        finish->texture->properties["ProjectionHeight(1)"] = Variant::r8(*wanted.pitch * 6.25);
        finish->texture->properties["ProjectionWidth(1)"] = Variant::r8(wanted.diameter * 3.14159265358979);
        shape->components.of(doc::type::SurfaceFinish).push_back(finish);
    }
    part.components.first(doc::type::PartShapes)->shapes.push_back(shape);
    return shape;
}

void addCircularEdge(doc::Document& d, const std::shared_ptr<doc::Part>& part, sim::Vec3 point, double radius) {
    auto site = std::make_shared<doc::HitSite>();
    site->part = part;
    site->point = point;
    site->normal = {0, 0, 1};
    site->radius = radius;
    d.hits.push_back(site);
}

struct OnePartDocument {
    doc::Document document;
    std::shared_ptr<doc::Part> part = doc::makePart("Base");

    OnePartDocument() { document.parts.push_back(part); }
};

pinhost::PinProjection projection(std::string pin, double outer, double inner, double length, double chamfer = 0) {
    pinhost::PinProjection p;
    p.pin = std::move(pin);
    p.result = true;
    p.outer = outer;
    p.inner = inner;
    p.length = length;
    p.direction = {0, 0, 1};
    p.chamfered = chamfer > 0;
    p.chamfer = chamfer;
    return p;
}

// Ways to spoil a pin's data.
using Spoil = std::function<void(doc::Shape&)>;

doc::Profile& profileOf(doc::Shape& s) { return *s.components.first(doc::type::ProfileOwner)->profile; }

Spoil lengthIs(Variant v) {
    return [v](doc::Shape& s) { setNumber(*s.components.first(doc::type::SizeBox), 3, v); };
}
Spoil placementIs(std::vector<int32_t> numbers, Variant v) {
    return [numbers, v](doc::Shape& s) {
        for (int32_t n : numbers) setNumber(*s.components.first(doc::type::Placement), n, v);
    };
}
Spoil radiusIs(double r) {
    return [r](doc::Shape& s) { profileOf(s).components.of(doc::type::CurveSets)[0]->curves->ellipses[0].r = r; };
}
Spoil pictureHeightIs(Variant v) {
    return [v](doc::Shape& s) {
        s.components.first(doc::type::SurfaceFinish)->texture->properties["ProjectionHeight(1)"] = v;
    };
}
Spoil chamferIs(Variant v) {
    return [v](doc::Shape& s) { setNumber(*s.components.first(doc::type::Body), 23, v); };
}

// ---- the shared writer ------------------------------------------------------------

TEST(SvgWriterTest, NumbersAreTrimmedAndNeverNonFinite) {
    EXPECT_EQ(pinhost::pictures::formatNumber(30, 3), "30");
    EXPECT_EQ(pinhost::pictures::formatNumber(8.5, 3), "8.5");
    EXPECT_EQ(pinhost::pictures::formatNumber(10.123456, 3), "10.123");
    EXPECT_EQ(pinhost::pictures::formatNumber(0.0004, 3), "0");
    EXPECT_EQ(pinhost::pictures::formatNumber(-0.0001, 2), "0");
    EXPECT_EQ(pinhost::pictures::formatNumber(-2.5, 2), "-2.5");
    EXPECT_EQ(pinhost::pictures::formatNumber(1200, 2), "1200");
    EXPECT_EQ(pinhost::pictures::formatNumber(kNaN, 2), "0");
    EXPECT_EQ(pinhost::pictures::formatNumber(-INFINITY, 2), "0");
}

TEST(SvgWriterTest, TextIsEscapedAndKeptValidUtf8) {
    EXPECT_EQ(pinhost::pictures::xmlEscape("a<b & \"c\" 'd' >"), "a&lt;b &amp; &quot;c&quot; &apos;d&apos; &gt;");
    EXPECT_EQ(pinhost::pictures::xmlEscape("Ø8.5 — ok"), "Ø8.5 — ok");
    EXPECT_EQ(pinhost::pictures::xmlEscape("bad\xE9 byte"), "bad\xEF\xBF\xBD byte");  // Latin-1 é
    EXPECT_EQ(pinhost::pictures::xmlEscape("cut\xC3"), "cut\xEF\xBF\xBD");
    EXPECT_EQ(pinhost::pictures::xmlEscape(std::string("bell\a nul\0!", 11)), "bell  nul !");

    std::ostringstream text;
    pinhost::pictures::SvgWriter svg(text, 10, 10);
    svg.open("g", {{"class", "a\"b"}});
    svg.text("text", {}, "1 < 2");
    svg.finish();
    const std::string out = text.str();
    EXPECT_TRUE(isWellFormedXml(out)) << out;
    EXPECT_NE(out.find("class=\"a&quot;b\""), std::string::npos);
    EXPECT_NE(out.find(">1 &lt; 2</text>"), std::string::npos);
}

// ---- the model view ------------------------------------------------------------------

TEST(ModelSvgTest, DrawsEachPinAsOneCylinderOnItsPartsPlate) {
    OnePartDocument d;
    addCircularEdge(d.document, d.part, {0, 0, 10}, 5);
    addCircularEdge(d.document, d.part, {40, 0, 10}, 4);
    addPin(*d.part, {});
    addPin(*d.part,
           {.name = "pin2", .position = {40, 0, 10}, .diameter = 8, .length = 20, .pitch = 1.25, .chamfered = false});

    const std::string svg = pinhost::pictures::modelSvg(d.document);
    EXPECT_TRUE(isWellFormedXml(svg)) << svg;
    EXPECT_EQ(count(svg, "<g class=\"pin\">"), 2u);
    EXPECT_EQ(count(svg, "<g class=\"plate\""), 1u);
    EXPECT_NE(svg.find("<title>pin1</title>"), std::string::npos);
    EXPECT_NE(svg.find("pin1 10×30×1.5"), std::string::npos) << "title line with D×L×P";
    EXPECT_NE(svg.find("pin2 8×20×1.25"), std::string::npos);
    EXPECT_FALSE(hasNonFiniteNumber(svg));
}

TEST(ModelSvgTest, ThreadChamferAndAxisFollowTheShapeData) {
    OnePartDocument d;
    addPin(*d.part, {.name = "threaded"});
    addPin(*d.part, {.name = "plain", .position = {60, 0, 10}, .pitch = std::nullopt, .chamfered = false});
    addPin(*d.part, {.name = "upright", .position = {0, 60, 10}, .diameter = 4, .length = 40});
    addPin(*d.part, {.name = "lying", .position = {60, 60, 10}, .axis = {0, 1, 0}, .diameter = 4, .length = 40});
    const std::vector<std::string> pins = groupsOfClass(pinhost::pictures::modelSvg(d.document), "pin");
    ASSERT_EQ(pins.size(), 4u);
    const auto pinNamed = [&](const std::string& name) {
        for (const std::string& g : pins)
            if (g.find("<title>" + name + "</title>") != std::string::npos) return g;
        ADD_FAILURE() << "no pin " << name;
        return std::string();
    };

    EXPECT_EQ(groupsOfClass(pinNamed("threaded"), "thread").size(), 1u);
    EXPECT_NE(pinNamed("threaded").find("-chamfer)\""), std::string::npos) << "chamfer cone drawn";
    EXPECT_EQ(groupsOfClass(pinNamed("plain"), "thread").size(), 0u) << "no thread picture, no stripes";
    EXPECT_EQ(pinNamed("plain").find("-chamfer)\""), std::string::npos);

    // Along world y a pin runs to the lower right of an isometric view; upright, it stands tall.
    const Bounds upright = pathBounds(pinNamed("upright")), lying = pathBounds(pinNamed("lying"));
    EXPECT_GT(upright.height, 2 * upright.width);
    EXPECT_GT(lying.width, 1.3 * lying.height);
}

TEST(ModelSvgTest, StripesStayFewForAFinePitchOnALongPin) {
    OnePartDocument d;
    addPin(*d.part, {.diameter = 20, .length = 5000, .pitch = 0.0001});
    const std::string svg = pinhost::pictures::modelSvg(d.document);
    const std::vector<std::string> thread = groupsOfClass(svg, "thread");
    ASSERT_EQ(thread.size(), 1u);
    EXPECT_LE(count(thread.front(), "<path"), 2u * 200u);
    EXPECT_LT(svg.size(), 300'000u);
}

TEST(ModelSvgTest, NamesAreEscaped) {
    OnePartDocument d;
    addPin(*d.part, {.name = "pin <M10> & \"x\""});
    const std::string svg = pinhost::pictures::modelSvg(d.document);
    EXPECT_TRUE(isWellFormedXml(svg)) << svg;
    EXPECT_EQ(svg.find("<M10>"), std::string::npos);
    EXPECT_NE(svg.find("pin &lt;M10&gt; &amp; &quot;x&quot;"), std::string::npos);
}

TEST(ModelSvgTest, OddDocumentsStillGiveAValidPicture) {
    {
        const std::string svg = pinhost::pictures::modelSvg({});
        EXPECT_TRUE(isWellFormedXml(svg)) << svg;
        EXPECT_NE(svg.find(">Empty document<"), std::string::npos);
    }
    {
        OnePartDocument d;  // a part with nothing on it
        EXPECT_TRUE(isWellFormedXml(pinhost::pictures::modelSvg(d.document)));
    }

    // Each case spoils one pin's data in its own way.
    const std::vector<std::pair<const char*, Spoil>> spoilers = {
        {"zero length", lengthIs(Variant::r8(0))},
        {"negative length", lengthIs(Variant::r8(-30))},
        {"NaN length", lengthIs(Variant::r8(kNaN))},
        {"text length", lengthIs(Variant::str("long"))},
        {"huge length", lengthIs(Variant::r8(1e300))},
        {"negative radius", radiusIs(-5)},
        {"NaN radius", radiusIs(kNaN)},
        {"no profile", [](doc::Shape& s) { profileOf(s).components.byType.clear(); }},
        {"no profile owner", [](doc::Shape& s) { s.components.byType.erase(doc::type::ProfileOwner); }},
        {"no placement", [](doc::Shape& s) { s.components.byType.erase(doc::type::Placement); }},
        {"NaN position", placementIs({1}, Variant::r8(kNaN))},
        {"text position", placementIs({2}, Variant::str("here"))},
        {"NaN rotation", placementIs({4}, Variant::r8(kNaN))},
        {"zero rotation", placementIs({4, 5, 6, 7}, Variant::r8(0))},
        {"NaN pitch", pictureHeightIs(Variant::r8(kNaN))},
        {"negative pitch", pictureHeightIs(Variant::r8(-1))},
        {"denormal pitch", pictureHeightIs(Variant::r8(5e-324))},
        {"text pitch", pictureHeightIs(Variant::str("fine"))},
        {"text chamfer", chamferIs(Variant::str("x"))},
        {"chamfer past the radius", chamferIs(Variant::r8(400))},
    };
    for (const auto& [what, spoil] : spoilers) {
        OnePartDocument d;
        addCircularEdge(d.document, d.part, {0, 0, 10}, 5);
        addCircularEdge(d.document, d.part, {kNaN, 0, 10}, kNaN);
        addPin(*d.part, {.name = "good", .position = {30, 0, 10}});
        spoil(*addPin(*d.part, {.name = "odd"}));
        const std::string svg = pinhost::pictures::modelSvg(d.document);
        EXPECT_TRUE(isWellFormedXml(svg)) << what;
        EXPECT_FALSE(hasNonFiniteNumber(svg)) << what;
        EXPECT_NE(svg.find("<title>good</title>"), std::string::npos) << what << ": the good pin is still drawn";
    }
}

TEST(ModelSvgTest, APinWithoutProfileIsMarkedNotDrawnAsACylinder) {
    OnePartDocument d;
    profileOf(*addPin(*d.part, {.name = "bare"})).components.byType.clear();
    const std::string svg = pinhost::pictures::modelSvg(d.document);
    EXPECT_EQ(count(svg, "<g class=\"pin\">"), 0u);
    EXPECT_EQ(count(svg, "<g class=\"pin-marker\""), 1u);
    EXPECT_NE(svg.find("bare (no usable profile)"), std::string::npos);
}

// ---- the drawing sheet ------------------------------------------------------------------

TEST(DrawingSvgTest, DimensionsEachViewAsACosmeticThread) {
    const std::string svg =
        pinhost::pictures::drawingSvg({projection("pin1", 10, 8.5, 30, 0.75), projection("pin2", 8.12345, 6.75, 20)});
    EXPECT_TRUE(isWellFormedXml(svg)) << svg;
    EXPECT_EQ(count(svg, "<g class=\"view\">"), 2u);
    EXPECT_EQ(count(svg, "<g class=\"dimensions\""), 2u);
    EXPECT_EQ(count(svg, "<g class=\"thread\""), 2u) << "thin lines at the minor diameter";
    EXPECT_EQ(count(svg, "<g class=\"center-line\""), 2u);
    EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos);
    for (const char* dimension :
         {">Ø10</text>", ">30</text>", ">Ø8.5</text>", ">Ø8.123</text>", ">20</text>", ">Ø6.75</text>"})
        EXPECT_NE(svg.find(dimension), std::string::npos) << dimension;
    EXPECT_NE(svg.find("P1.5"), std::string::npos);
    EXPECT_NE(svg.find("Zelvacorin — cosmetic threads"), std::string::npos);
    EXPECT_NE(svg.find("width=\"297mm\""), std::string::npos);
}

TEST(DrawingSvgTest, ThreadLengthStartsAtItsOffset) {
    pinhost::PinProjection p = projection("pin1", 10, 8.5, 25);
    p.offset = 5;
    const std::string svg = pinhost::pictures::drawingSvg({p});
    EXPECT_NE(svg.find(">30</text>"), std::string::npos) << "overall length is offset plus thread length";
}

TEST(DrawingSvgTest, APinWithoutThreadInformationGetsANote) {
    pinhost::PinProjection none;
    none.pin = "pin2";
    const std::string svg = pinhost::pictures::drawingSvg({projection("pin1", 10, 8.5, 30), none});
    EXPECT_TRUE(isWellFormedXml(svg)) << svg;
    EXPECT_EQ(count(svg, "<g class=\"view\">"), 2u);
    EXPECT_EQ(count(svg, "<g class=\"dimensions\""), 1u);
    EXPECT_EQ(count(svg, "no thread information"), 1u);
    EXPECT_NE(svg.find("<title>pin2</title>"), std::string::npos);
}

TEST(DrawingSvgTest, NamesAndCalloutsAreEscaped) {
    pinhost::PinProjection p = projection("pin <1> & co", 10, 8.5, 30);
    p.callout = "M10<x>";
    const std::string svg = pinhost::pictures::drawingSvg({p});
    EXPECT_TRUE(isWellFormedXml(svg)) << svg;
    EXPECT_NE(svg.find("pin &lt;1&gt; &amp; co"), std::string::npos);
    EXPECT_NE(svg.find("M10&lt;x&gt;"), std::string::npos);
}

TEST(DrawingSvgTest, OddAnswersStillGiveAValidSheet) {
    const std::string empty = pinhost::pictures::drawingSvg({});
    EXPECT_TRUE(isWellFormedXml(empty)) << empty;
    EXPECT_NE(empty.find("no drawing views"), std::string::npos);

    std::vector<pinhost::PinProjection> odd = {
        projection("zero", 0, 0, 0),
        projection("negative", -10, -8, -30),
        projection("not a number", kNaN, kNaN, kNaN),
        projection("infinite", INFINITY, 1, INFINITY),
        projection("huge", 1e300, 1e299, 1e300),
        projection("inner past outer", 8, 10, 20),
        projection("chamfer past the radius", 10, 8.5, 30, 400),
        projection("tiny", 1e-9, 5e-10, 1e-9),
        projection("flat", 100, 98, 0.01),
        projection("needle", 0.01, 0.008, 100),
    };
    odd.push_back(projection("undefined chamfer", 10, 8.5, 30));
    odd.back().chamfer = kNaN;
    odd.back().chamfered = true;
    odd.push_back(projection("undefined offset", 10, 8.5, 30));
    odd.back().offset = kNaN;
    const std::string svg = pinhost::pictures::drawingSvg(odd);
    EXPECT_TRUE(isWellFormedXml(svg)) << svg;
    EXPECT_FALSE(hasNonFiniteNumber(svg));
    EXPECT_EQ(count(svg, "<g class=\"view\">"), odd.size());
    EXPECT_NE(svg.find(">Ø0.01</text>"), std::string::npos) << "a needle still gets its diameter";
}

TEST(DrawingSvgTest, ManyPinsShareTheSheet) {
    std::vector<pinhost::PinProjection> pins;
    for (int i = 1; i <= 40; ++i) pins.push_back(projection("pin" + std::to_string(i), 10, 8.5, 30, 0.75));
    const std::string svg = pinhost::pictures::drawingSvg(pins);
    EXPECT_TRUE(isWellFormedXml(svg));
    EXPECT_EQ(count(svg, "<g class=\"view\">"), 40u);
    static const std::regex coordinate(" (x|y)[12]?=\"(-?[0-9.]+)\"");
    for (std::sregex_iterator it(svg.begin(), svg.end(), coordinate), end; it != end; ++it) {
        const double v = std::stod((*it)[2]);
        EXPECT_GE(v, 0) << it->str();
        EXPECT_LE(v, (*it)[1] == "x" ? 297 : 210) << it->str();
    }
}

}  // namespace
