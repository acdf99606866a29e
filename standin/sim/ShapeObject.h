#pragma once
// A shape of a part. Members: Name (Str), Components(I4 type), Type (I4),
// Update(), ResetSizeBox(), GetNormal(a, b, c) with three by-reference
// outputs, Application.

#include <memory>

#include "standin/sim/Document.h"
#include "standin/sim/SimObject.h"

namespace zelva::sim {

class ShapeObject : public SimObject {
public:
    ShapeObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::Shape> shape)
        : SimObject(std::move(host), "Shape"), shape_(std::move(shape)) {}

    const std::shared_ptr<doc::Shape>& node() const { return shape_; }

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    std::shared_ptr<doc::Shape> shape_;
};

}  // namespace zelva::sim
