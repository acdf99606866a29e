#pragma once
// The settings a checked tree is read with: the registry file of a shipped
// tree (Tessalo.reg beside its Tessalo folder), or on Windows the values a
// package wrote into the registry. Offered to the component through its own
// host-library port, so its settings procedures read them as in the host.

#include <filesystem>
#include <string>
#include <vector>

#include "core/host/AbsentHostLibrary.h"
#include "admin/settingsfiles/RegistryStore.h"

namespace zelva::checker {

struct TreeSettings {
    std::filesystem::path root;      // the tree: the folder of the settings file, or the one named
    settingsfiles::RegistryStore registry;
    std::string source;              // the settings file as findings name it, or the registry key
    std::vector<std::string> lines;  // the settings file's lines; empty for the registry
    std::string applDir;             // where the tree's own files lie

    // The line of the settings file that sets `valueName`, 0 when not from a file.
    int lineOf(const std::string& valueName) const;
};

// The registry file's name in a shipped tree, and the folder beside it that
// holds the product's files.
constexpr const char* kTreeRegistryFile = "Tessalo.reg";
constexpr const char* kTreeFolder = "Tessalo";

// Reads the settings of the tree at `root`: its registry file, with ApplDir
// pointed at the tree's own Tessalo folder (`root` may name that folder too);
// without one, on Windows, the installed settings. Anything else is a
// std::runtime_error.
TreeSettings loadTreeSettings(const std::filesystem::path& root);

// The values of the two product keys as a package wrote them (32-bit view);
// false where there are none or no registry.
bool loadInstalledSettings(settingsfiles::RegistryStore& registry);

// The host library the checker's component module uses: its registry reads
// the tree's settings; nothing else of the host is offered.
class SettingsLibrary : public host::AbsentHostLibrary {
public:
    explicit SettingsLibrary(const settingsfiles::RegistryStore& registry) : registry_(registry) {}

    Ref<host::HostRegistry> createRegistry() override;

private:
    const settingsfiles::RegistryStore& registry_;
};

}  // namespace zelva::checker
