#pragma once
// What the host hands to a drop handler: the drag-and-drop hook, the path of
// shapes from the page to the hit shape, and the hit element.

#include <memory>
#include <string_view>

#include "standin/sim/Document.h"
#include "standin/sim/SimObject.h"

namespace zelva::sim {

// A stand-in object that answers questions about one hit site.
class HitSiteObject : public SimObject {
protected:
    HitSiteObject(std::shared_ptr<HostState> host, std::string_view kind, std::shared_ptr<const doc::HitSite> site)
        : SimObject(std::move(host), kind), site_(std::move(site)) {}

    std::shared_ptr<const doc::HitSite> site_;
};

// Members: Page, ShapePath, HitElementType (I2: 2 edge, 3 face), HitElement,
// HitNormalX/Y/Z(depth): the normal at the hit, asked at the depth of the hit
// shape on the shape path (any other depth is error 5: only the hit shape's
// frame is modelled).
class DropHookObject : public HitSiteObject {
public:
    DropHookObject(std::shared_ptr<HostState> host, std::shared_ptr<const doc::HitSite> site)
        : HitSiteObject(std::move(host), "DragDropHook", std::move(site)) {}

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;
};

// Members: Count (I4, the depth), Item(i) → the hit part at every level.
class ShapePathObject : public HitSiteObject {
public:
    ShapePathObject(std::shared_ptr<HostState> host, std::shared_ptr<const doc::HitSite> site)
        : HitSiteObject(std::move(host), "ShapePath", std::move(site)) {}

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;
};

// Members: GeometryType (I2: 11 circle, 1 line, 0 face), PointX/Y/Z (R8),
// MajorRadius (R8, circles only), part(Bool) → the owning part.
class HitElementObject : public HitSiteObject {
public:
    HitElementObject(std::shared_ptr<HostState> host, std::shared_ptr<const doc::HitSite> site)
        : HitSiteObject(std::move(host), "HitElement", std::move(site)) {}

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;
};

}  // namespace zelva::sim
