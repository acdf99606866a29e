#pragma once
// The stand-in host library's service classes: the class registry, the unit
// converter, the registry reader with its file test, and the host's settings
// store. Each call is journalled under the method's role name and may be
// made to fail.

#include <memory>
#include <optional>
#include <string>

#include "host/HostLibrary.h"
#include "sim/Tracked.h"

namespace zelva::sim {

// The class id registered for a ProgID; an unknown ProgID is the COM error
// "Invalid class string".
class SimClassRegistry : public host::HostClassRegistry, public Tracked {
public:
    explicit SimClassRegistry(std::shared_ptr<HostState> host) : Tracked(std::move(host), "HostClassRegistry") {}

    void classIdOf(std::string& progId, int32_t& flags, std::string& classId) override;
};

// result = value × metres per unit of `fromCode` / metres per unit of
// `toCode`. The page must be this host's page (Nothing: 91); an unknown unit
// code is error 5.
class SimUnitConverter : public host::UnitConverter, public Tracked {
public:
    explicit SimUnitConverter(std::shared_ptr<HostState> host) : Tracked(std::move(host), "UnitConverter") {}

    void convert(Ref<Object>& page, double& value, int32_t& fromCode, int32_t& toCode, double& result) override;
};

// Reads the registry store: status 0 and the value when found, status 2 and
// `value` untouched when absent. The file test maps Windows paths first.
class SimRegistry : public host::HostRegistry, public Tracked {
public:
    explicit SimRegistry(std::shared_ptr<HostState> host) : Tracked(std::move(host), "HostRegistry") {}

    void readString(int32_t& root, std::string& key, std::string& name, std::string& value, int32_t& status) override;
    void fileExists(std::string& path, int16_t& answer) override;  // -1 for an existing file, else 0
};

// Answers -1 for a section that exists and a key that was found, 0 otherwise
// (the value left untouched). Reading or closing without an open section is
// error 5.
class SimSettingsStore : public host::HostSettingsStore, public Tracked {
public:
    explicit SimSettingsStore(std::shared_ptr<HostState> host) : Tracked(std::move(host), "HostSettingsStore") {}

    void openSection(std::string& name, int16_t& answer) override;
    void closeSection() override;
    void readString(std::string& key, std::string& value, int16_t& answer) override;

private:
    const std::string& openSectionName() const;

    std::optional<std::string> section_;
};

}  // namespace zelva::sim
