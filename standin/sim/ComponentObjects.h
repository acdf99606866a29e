#pragma once
// A component of a shape, part or profile, its variables and, for a profile
// owner, its profile. What a component answers beyond `Variable` depends on
// its type: a profile owner has `Profile`, a curve set `SetStartPoint` and
// `AddEllipse`, a part body `Shapes`, a surface finish `SurfaceFinish`.

#include <memory>

#include "standin/sim/Document.h"
#include "standin/sim/SimObject.h"

namespace zelva::sim {

class ComponentObject : public SimObject {
public:
    ComponentObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::Component> component);

    const std::shared_ptr<doc::Component>& node() const { return component_; }

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    Variant surfaceFinish(std::span<const Arg> args);

    std::shared_ptr<doc::Component> component_;
};

// A variable slot of a component. Member: Value, which reads back what was
// written with its type (Empty when never written); objects cannot be stored.
class VariableObject : public SimObject {
public:
    VariableObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::Component> component, doc::VariableKey key);

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    std::shared_ptr<doc::Component> component_;
    doc::VariableKey key_;
};

// Member: Components(I4 type); its curve sets are type 3.
class ProfileObject : public SimObject {
public:
    ProfileObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::Profile> profile)
        : SimObject(std::move(host), "Profile"), profile_(std::move(profile)) {}

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    std::shared_ptr<doc::Profile> profile_;
};

}  // namespace zelva::sim
