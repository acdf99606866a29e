#pragma once
// Collections of the document: the components of one type in a shape, part
// or profile, and the shapes of one kind in a part. Items are numbered from 1.

#include <memory>

#include "standin/sim/Document.h"
#include "standin/sim/SimObject.h"

namespace zelva::sim {

// Members: Count (I4), Item(I2|I4 i), Add() → a new component of the
// collection's type, Remove(component) by identity.
class ComponentCollectionObject : public SimObject {
public:
    ComponentCollectionObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::ComponentList> list, int32_t type);

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    std::shared_ptr<doc::ComponentList> list_;
    int32_t type_;
};

// Members: Count (I4), Item(I2|I4 i), Add() → a new shape of the kind.
class ShapeCollectionObject : public SimObject {
public:
    ShapeCollectionObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::ShapeList> shapes);

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    std::shared_ptr<doc::ShapeList> shapes_;
};

}  // namespace zelva::sim
