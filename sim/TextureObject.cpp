#include "sim/TextureObject.h"

#include <array>

#include "sim/Arguments.h"

namespace zelva::sim {

namespace {

constexpr std::array<const char*, 6> kIndexedProperties{"ProjectionType",  "VerticalRatio",    "HorizontalRatio",
                                                        "ProjectionWidth", "ProjectionHeight", "Flip"};

const char* indexedProperty(std::string_view name) {
    for (const char* p : kIndexedProperties)
        if (sameName(name, p)) return p;
    return nullptr;
}

// "ProjectionWidth(1)": how an indexed value is kept.
std::string indexedKey(const char* name, std::span<const Arg> args) {
    return std::string(name) + "(" + std::to_string(indexArg(args, 0)) + ")";
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
    if (const char* indexed = indexedProperty(name)) {
        if (kind == CallKind::Put) {
            expectArgCount(args, 2);
            texture_->properties[indexedKey(indexed, args)] = storableArg(args, 1);
            return {};
        }
        expectCall(kind, args, 1);
        return property(indexedKey(indexed, args));
    }
    if (sameName(name, "SetUpDirection")) {
        expectCall(kind, args, 4);
        texture_->calls[indexedKey("SetUpDirection", args)] = numbersAsPassed(args, 1);
        return {};
    }
    noSuchMember();
}

}  // namespace zelva::sim
