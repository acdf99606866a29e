#include "standin/sim/CollectionObjects.h"

#include <algorithm>

#include "core/automation/Error.h"
#include "standin/sim/Arguments.h"
#include "standin/sim/ComponentObjects.h"
#include "standin/sim/DocumentCollections.h"
#include "standin/sim/ShapeObject.h"

namespace zelva::sim {

namespace {

// The position of `Item(i)` in a collection of `count`; outside 1..count: 9.
size_t itemPosition(std::span<const Arg> args, size_t count) {
    const int32_t i = i2Arg(args, 0);
    if (i < 1 || static_cast<size_t>(i) > count) throw Error::runtime(err::SubscriptOutOfRange);
    return static_cast<size_t>(i - 1);
}

}  // namespace

ComponentCollectionObject::ComponentCollectionObject(std::shared_ptr<HostState> host,
                                                     std::shared_ptr<doc::ComponentList> list, int32_t type)
    : SimObject(std::move(host), "Components(" + std::to_string(type) + ")"), list_(std::move(list)), type_(type) {}

Variant ComponentCollectionObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "Count")) {
        expectCall(kind, args, 0);
        return Variant::i4(static_cast<int32_t>(list_->size()));
    }
    if (sameName(name, "Item")) {
        expectCall(kind, args, 1);
        return objectOf<ComponentObject>(hostHandle(), (*list_)[itemPosition(args, list_->size())]);
    }
    if (sameName(name, "Add")) {
        expectCall(kind, args, 0);
        list_->push_back(doc::makeComponent(type_));
        return objectOf<ComponentObject>(hostHandle(), list_->back());
    }
    if (sameName(name, "Remove")) {
        expectCall(kind, args, 1);
        const auto component = refCast<ComponentObject>(objectArg(args, 0));
        const auto it = component ? std::find(list_->begin(), list_->end(), component->node()) : list_->end();
        if (it == list_->end()) throw Error::runtime(err::InvalidCall, "The object is not in this collection");
        list_->erase(it);
        return {};
    }
    noSuchMember();
}

ShapeCollectionObject::ShapeCollectionObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::ShapeList> shapes)
    : SimObject(std::move(host), "Shapes(" + std::to_string(doc::kExtrudedShapeKind) + ")"),
      shapes_(std::move(shapes)) {}

Variant ShapeCollectionObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "Count")) {
        expectCall(kind, args, 0);
        return Variant::i4(static_cast<int32_t>(shapes_->size()));
    }
    if (sameName(name, "Item")) {
        expectCall(kind, args, 1);
        return objectOf<ShapeObject>(hostHandle(), (*shapes_)[itemPosition(args, shapes_->size())]);
    }
    if (sameName(name, "Add")) {
        expectCall(kind, args, 0);
        shapes_->push_back(doc::makeExtrudedShape());
        return objectOf<ShapeObject>(hostHandle(), shapes_->back());
    }
    noSuchMember();
}

Variant componentsOf(std::shared_ptr<HostState> host, std::shared_ptr<doc::ComponentTable> table, int32_t type) {
    std::shared_ptr<doc::ComponentList> list(table, &table->of(type));
    return objectOf<ComponentCollectionObject>(std::move(host), std::move(list), type);
}

Variant shapesOf(std::shared_ptr<HostState> host, std::shared_ptr<doc::ShapeList> shapes) {
    return objectOf<ShapeCollectionObject>(std::move(host), std::move(shapes));
}

}  // namespace zelva::sim
