#pragma once
// The application, its one page and the parts of the document, as the
// component reaches them.

#include <memory>

#include "standin/sim/Document.h"
#include "standin/sim/SimObject.h"

namespace zelva::sim {

// Members: ActivePage, DialogPrecision (I2).
class ApplicationObject : public SimObject {
public:
    explicit ApplicationObject(std::shared_ptr<HostState> host) : SimObject(std::move(host), "Application") {}

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;
};

// Members: UnitsEx(I4 2) → the length unit code (I4), Application, Update().
class PageObject : public SimObject {
public:
    explicit PageObject(std::shared_ptr<HostState> host) : SimObject(std::move(host), "Page") {}

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;
};

// Members: Components(I4 type), Type (I4 1), Name, Application.
class PartObject : public SimObject {
public:
    PartObject(std::shared_ptr<HostState> host, std::shared_ptr<doc::Part> part)
        : SimObject(std::move(host), "Part"), part_(std::move(part)) {}

    const std::shared_ptr<doc::Part>& node() const { return part_; }

protected:
    Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) override;

private:
    std::shared_ptr<doc::Part> part_;
};

}  // namespace zelva::sim
