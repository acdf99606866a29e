#include "standin/sim/DocumentJson.h"

#include "standin/sim/SimHost.h"

namespace zelva::sim {

using nlohmann::json;

namespace {

json plainValue(const Variant& v) {
    switch (v.type()) {
        case VarType::I2: return v.i2Value();
        case VarType::I4: return v.i4Value();
        case VarType::R8: return v.r8Value();
        case VarType::Bool: return v.boolValue();
        case VarType::Str: return v.strValue();
        case VarType::Empty:
        case VarType::Object: break;  // objects are never stored in the document
    }
    return nullptr;
}

json variableJson(const doc::VariableKey& key, const Variant& value) {
    json j = key.kind ? json{{"kind", *key.kind}, {"index", key.number}} : json{{"n", key.number}};
    j.update(typedValueJson(value));
    return j;
}

json profileJson(const doc::Profile& profile) {
    json sets = json::array();
    for (const auto& [type, list] : profile.components.byType)
        for (const auto& c : list) {
            if (!c->curves) continue;
            json set;
            if (c->curves->start) set["start"] = *c->curves->start;
            json curves = json::array();
            for (const auto& e : c->curves->ellipses) curves.push_back({{"ellipse", {e.cx, e.cy, e.r}}});
            set["curves"] = std::move(curves);
            sets.push_back(std::move(set));
        }
    return sets;
}

json textureJson(const doc::Texture& texture) {
    json j = json::object();
    for (const auto& [name, value] : texture.properties) j[name] = typedValueJson(value);
    for (const auto& [name, values] : texture.calls) {
        json list = json::array();
        for (const auto& v : values) list.push_back(typedValueJson(v));
        j[name] = std::move(list);
    }
    return j;
}

json componentJson(const doc::Component& c) {
    json variables = json::array();
    for (const auto& [key, value] : c.variables) variables.push_back(variableJson(key, value));
    json j{{"type", c.type}, {"variables", std::move(variables)}};
    if (c.profile) j["profile"] = profileJson(*c.profile);
    if (c.texture) j["texture"] = textureJson(*c.texture);
    return j;
}

}  // namespace

json typedValueJson(const Variant& v) { return {{"type", typeName(v.type())}, {"value", plainValue(v)}}; }

json shapeJson(const doc::Shape& s) {
    json components = json::array();
    for (const auto& [type, list] : s.components.byType)
        for (const auto& c : list) components.push_back(componentJson(*c));
    return {{"name", s.name}, {"kind", s.kind}, {"components", std::move(components)}};
}

json documentJson(const doc::Document& document) {
    json parts = json::array();
    for (const auto& p : document.parts) {
        json shapes = json::array();
        for (const auto& s : p->shapes()) shapes.push_back(shapeJson(*s));
        parts.push_back({{"name", p->name}, {"shapes", std::move(shapes)}});
    }
    return {{"parts", std::move(parts)}};
}

json documentJson(const SimHost& host) { return documentJson(host.document()); }

namespace {

constexpr int kIndent = 2;
constexpr int kShapeDepth = 4;  // document, "parts", a part, "shapes"

// `j` as dump(kIndent) writes it nested `depth` levels deep: every line after the first indented further.
std::string nestedDump(const json& j, int depth) {
    std::string text = j.dump(kIndent);
    const std::string margin = "\n" + std::string(static_cast<size_t>(depth * kIndent), ' ');
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + margin.size()))
        text.replace(at, 1, margin);
    return text;
}

// The items of an array `depth` levels deep, written by `item(i)`; "[]" when there are none.
template <class WriteItem>
void writeArray(std::ostream& out, size_t count, int depth, WriteItem item) {
    if (count == 0) {
        out << "[]";
        return;
    }
    const std::string inner(static_cast<size_t>((depth + 1) * kIndent), ' ');
    out << "[\n";
    for (size_t i = 0; i < count; ++i) {
        out << inner;
        item(i);
        out << (i + 1 < count ? ",\n" : "\n");
    }
    out << std::string(static_cast<size_t>(depth * kIndent), ' ') << "]";
}

}  // namespace

void writeDocumentJson(std::ostream& out, const doc::Document& document) {
    const auto& parts = document.parts;
    out << "{\n  \"parts\": ";
    writeArray(out, parts.size(), 1, [&](size_t p) {
        const auto& shapes = parts[p]->shapes();
        out << "{\n      \"name\": " << json(parts[p]->name).dump() << ",\n      \"shapes\": ";
        writeArray(out, shapes.size(), kShapeDepth - 1, [&](size_t s) { out << nestedDump(shapeJson(*shapes[s]), kShapeDepth); });
        out << "\n    }";
    });
    out << "\n}";
}

}  // namespace zelva::sim
