#pragma once
// The stand-in host library's service classes: the class registry, the unit
// converter, the registry reader with its file test, and the host's settings
// store. Each call is journalled under the method's role name and may be
// made to fail.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/host/HostLibrary.h"
#include "standin/sim/Tracked.h"

namespace zelva::sim {

// The class id registered for a ProgID; an unknown ProgID is the COM error
// "Invalid class string".
class SimClassRegistry : public host::HostClassRegistry, public Tracked {
public:
    explicit SimClassRegistry(std::shared_ptr<HostState> host) : Tracked(std::move(host), "HostClassRegistry") {}

    std::string classIdOf(std::string_view progId, int32_t flags) override;
};

// result = value × metres per unit of `fromCode` / metres per unit of
// `toCode`. The page must be this host's page (Nothing: 91); an unknown unit
// code is error 5.
class SimUnitConverter : public host::UnitConverter, public Tracked {
public:
    explicit SimUnitConverter(std::shared_ptr<HostState> host) : Tracked(std::move(host), "UnitConverter") {}

    double convert(const Ref<Object>& page, double value, int32_t fromCode, int32_t toCode) override;
};

// Reads the registry store, an absent value as empty (the status slot is left
// as it came). The file test maps Windows paths first.
class SimRegistry : public host::HostRegistry, public Tracked {
public:
    explicit SimRegistry(std::shared_ptr<HostState> host) : Tracked(std::move(host), "HostRegistry") {}

    std::string readString(int32_t root, std::string_view key, std::string_view name) override;
    bool fileExists(std::string_view path) override;  // answers -1 for an existing file, else 0
};

// Answers -1 for a section that exists and a key that was found, 0 otherwise
// (the value left untouched). Reading or closing without an open section is
// error 5.
class SimSettingsStore : public host::HostSettingsStore, public Tracked {
public:
    explicit SimSettingsStore(std::shared_ptr<HostState> host) : Tracked(std::move(host), "HostSettingsStore") {}

    bool openSection(std::string_view name) override;
    void closeSection() override;
    std::optional<std::string> readString(std::string_view key) override;

private:
    const std::string& openSectionName() const;

    std::optional<std::string> section_;
};

}  // namespace zelva::sim
