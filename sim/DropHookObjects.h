#pragma once
// What the host hands to a drop handler: the drag-and-drop hook, the path of
// shapes from the page to the hit shape, and the hit element.

#include <memory>

#include "sim/Document.h"
#include "sim/SimObject.h"

namespace zelva::sim {

// Members: Page, ShapePath, HitElementType (I2: 2 edge, 3 face), HitElement,
// HitNormalX/Y/Z(depth): the normal at the hit, asked at the depth of the hit
// shape on the shape path (any other depth is error 5: only the hit shape's
// frame is modelled).
class DropHookObject : public SimObject {
public:
    DropHookObject(std::shared_ptr<HostState> host, std::shared_ptr<const doc::HitSite> site)
        : SimObject(std::move(host), "DragDropHook"), site_(std::move(site)) {}

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    std::shared_ptr<const doc::HitSite> site_;
};

// Members: Count (I4, the depth), Item(i) → the hit part at every level.
class ShapePathObject : public SimObject {
public:
    ShapePathObject(std::shared_ptr<HostState> host, std::shared_ptr<const doc::HitSite> site)
        : SimObject(std::move(host), "ShapePath"), site_(std::move(site)) {}

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    std::shared_ptr<const doc::HitSite> site_;
};

// Members: GeometryType (I2: 11 circle, 1 line, 0 face), PointX/Y/Z (R8),
// MajorRadius (R8, circles only), part(Bool) → the owning part.
class HitElementObject : public SimObject {
public:
    HitElementObject(std::shared_ptr<HostState> host, std::shared_ptr<const doc::HitSite> site)
        : SimObject(std::move(host), "HitElement"), site_(std::move(site)) {}

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    std::shared_ptr<const doc::HitSite> site_;
};

}  // namespace zelva::sim
