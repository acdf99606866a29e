#include "standin/sim/TextureObject.h"

#include <array>

#include "standin/sim/Arguments.h"

namespace zelva::sim {

namespace {

// The texture's indexed properties and the type of value each takes.
struct IndexedProperty {
    const char* name;
    VarType type;
};
constexpr std::array<IndexedProperty, 6> kIndexedProperties{{{"ProjectionType", VarType::I4},
                                                             {"VerticalRatio", VarType::I2},
                                                             {"HorizontalRatio", VarType::I2},
                                                             {"ProjectionWidth", VarType::R8},
                                                             {"ProjectionHeight", VarType::R8},
                                                             {"Flip", VarType::Bool}}};

const IndexedProperty* indexedProperty(std::string_view name) {
    for (const IndexedProperty& p : kIndexedProperties)
        if (sameName(name, p.name)) return &p;
    return nullptr;
}

// "ProjectionWidth(1)": how an indexed value is kept.
std::string indexedKey(const char* name, std::span<const Arg> args) {
    return std::string(name) + "(" + std::to_string(i2Arg(args, 0)) + ")";
}

}  // namespace

Variant TextureObject::property(const std::string& key) const {
    const auto it = texture_->properties.find(key);
    return it == texture_->properties.end() ? Variant() : it->second;
}

Variant TextureObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "TextureFile")) {
        if (kind == CallKind::Put) {
            expectArgCount(args, 1);
            texture_->properties["TextureFile"] = Variant::str(strArg(args, 0));
            return {};
        }
        expectCall(kind, args, 0);
        return property("TextureFile");
    }
    if (const IndexedProperty* indexed = indexedProperty(name)) {
        if (kind == CallKind::Put) {
            expectArgCount(args, 2);
            texture_->properties[indexedKey(indexed->name, args)] = valueOfType(args, 1, indexed->type);
            return {};
        }
        expectCall(kind, args, 1);
        return property(indexedKey(indexed->name, args));
    }
    if (sameName(name, "SetUpDirection")) {
        expectCall(kind, args, 4);
        texture_->calls[indexedKey("SetUpDirection", args)] = argsOfTypes(args, 1, {VarType::R8, VarType::R8, VarType::R8});
        return {};
    }
    noSuchMember();
}

}  // namespace zelva::sim
