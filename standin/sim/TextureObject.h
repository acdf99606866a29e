#pragma once
// The texture of a surface finish. It keeps every value set on it with the
// type it was given. Members: TextureFile (Str); the indexed properties
// ProjectionType, VerticalRatio, HorizontalRatio, ProjectionWidth,
// ProjectionHeight and Flip, as `Name(index)`; SetUpDirection(index, a, b, c).

#include <memory>

#include "standin/sim/Document.h"
#include "standin/sim/SimObject.h"

namespace zelva::sim {

class TextureObject : public SimObject {
public:
    TextureObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::Texture> texture)
        : SimObject(std::move(host), "Texture"), texture_(std::move(texture)) {}

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    Variant property(const std::string& key) const;

    std::shared_ptr<doc::Texture> texture_;
};

}  // namespace zelva::sim
