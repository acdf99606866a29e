#include "standin/sim/ComponentObjects.h"

#include "core/automation/Error.h"
#include "standin/sim/Arguments.h"
#include "standin/sim/DocumentCollections.h"
#include "standin/sim/TextureObject.h"
#include "standin/sim/VariableContract.h"

namespace zelva::sim {

namespace {

std::string variableLabel(const doc::VariableKey& key) {
    const std::string n = std::to_string(key.number);
    return "Variable(" + (key.kind ? std::to_string(*key.kind) + "," + n : n) + ")";
}

}  // namespace

ComponentObject::ComponentObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::Component> component)
    : SimObject(std::move(host), "Component(" + std::to_string(component->type) + ")"),
      component_(std::move(component)) {}

Variant ComponentObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "Variable")) {  // Variable(n) or Variable(kind, index)
        expectCall(kind, args, args.size() == 2 ? 2 : 1);
        const doc::VariableKey key = args.size() == 2 ? doc::VariableKey{i4Arg(args, 0), i2Arg(args, 1)}
                                                      : doc::VariableKey{std::nullopt, i4Arg(args, 0)};
        expectVariable(component_->type, key);
        return objectOf<VariableObject>(hostHandle(), component_, key);
    }
    if (sameName(name, "Profile") && component_->profile) {
        expectCall(kind, args, 0);
        return objectOf<ProfileObject>(hostHandle(),
                                       std::shared_ptr<doc::Profile>(component_, component_->profile.get()));
    }
    if (sameName(name, "SetStartPoint") && component_->curves) {
        expectCall(kind, args, 2);
        component_->curves->start = {double(i2Arg(args, 0)), double(i2Arg(args, 1))};
        return {};
    }
    if (sameName(name, "AddEllipse") && component_->curves) {
        expectCall(kind, args, 3);
        component_->curves->ellipses.push_back({double(i2Arg(args, 0)), double(i2Arg(args, 1)), r8Arg(args, 2)});
        return {};
    }
    if (sameName(name, "Shapes") && component_->type == doc::type::PartShapes) {
        expectCall(kind, args, 1);
        if (i4Arg(args, 0) != doc::kExtrudedShapeKind) throw Error::runtime(err::InvalidCall, "Unknown shape kind");
        return shapesOf(hostHandle(), std::shared_ptr<doc::ShapeList>(component_, &component_->shapes));
    }
    if (sameName(name, "SurfaceFinish") && component_->type == doc::type::SurfaceFinish) {
        expectCall(kind, args, 6);
        return surfaceFinish(args);
    }
    noSuchMember();
}

// Records the sizes q, r, s (doubles) and the three 16-bit flags as passed,
// and answers the component's one texture, made on first use.
Variant ComponentObject::surfaceFinish(std::span<const Arg> args) {
    auto passed = argsOfTypes(args, 0, {VarType::R8, VarType::R8, VarType::R8, VarType::I2, VarType::I2, VarType::I2});
    if (!component_->texture) component_->texture = std::make_unique<doc::Texture>();
    component_->texture->calls["SurfaceFinish"] = std::move(passed);
    return objectOf<TextureObject>(hostHandle(), std::shared_ptr<doc::Texture>(component_, component_->texture.get()));
}

VariableObject::VariableObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::Component> component,
                               doc::VariableKey key)
    : SimObject(std::move(host), variableLabel(key)), component_(std::move(component)), key_(key) {}

Variant VariableObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (!sameName(name, "Value")) noSuchMember();
    if (kind == CallKind::Put) {
        expectArgCount(args, 1);
        expectVariableValue(component_->type, key_, argAt(args, 0));
        component_->variables[key_] = args[0].get();
        return {};
    }
    expectCall(kind, args, 0);
    const Variant* value = component_->variable(key_);
    return value ? *value : Variant();
}

Variant ProfileObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (!sameName(name, "Components")) noSuchMember();
    expectCall(kind, args, 1);
    return componentsOf(hostHandle(), {profile_, &profile_->components}, i4Arg(args, 0));
}

}  // namespace zelva::sim
