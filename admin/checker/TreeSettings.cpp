#include "admin/checker/TreeSettings.h"

#include <stdexcept>

#include "core/automation/Error.h"
#include "core/env/Settings.h"
#include "admin/settingsfiles/ConfigFiles.h"

namespace zelva::checker {

namespace fs = std::filesystem;

namespace {

class SettingsRegistry : public host::HostRegistry {
public:
    explicit SettingsRegistry(const settingsfiles::RegistryStore& registry) : registry_(registry) {}

    std::string readString(int32_t root, std::string_view key, std::string_view name) override {
        const std::string* found = registry_.read(root, key, name);
        return found ? *found : std::string();
    }
    // The table readers never test for files.
    bool fileExists(std::string_view) override {
        throw Error::runtime(err::ObjectNotSet, "the table checker offers the host's settings only");
    }

private:
    const settingsfiles::RegistryStore& registry_;
};

// The tree whose registry file lies at `root`, or beside the Tessalo folder `root` names.
fs::path shippedTree(const fs::path& root) {
    const fs::path folder = fs::absolute(root).lexically_normal();
    const fs::path named = folder.has_filename() ? folder : folder.parent_path();
    if (!fs::is_regular_file(named / kTreeRegistryFile) && fs::is_regular_file(named.parent_path() / kTreeRegistryFile) &&
        named.filename() == kTreeFolder)
        return named.parent_path();
    return named;
}

}  // namespace

int TreeSettings::lineOf(const std::string& valueName) const {
    const std::string start = "\"" + valueName + "\"=";
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(start, 0) == 0) return static_cast<int>(i + 1);
    return 0;
}

TreeSettings loadTreeSettings(const fs::path& named) {
    TreeSettings settings;
    const fs::path root = shippedTree(named);
    settings.root = root;
    const fs::path file = root / kTreeRegistryFile;
    if (fs::is_regular_file(file)) {
        settings.registry.load(file);
        settings.source = kTreeRegistryFile;
        settings.lines = settingsfiles::readConfigLines(file);
        // The file names where a package puts the tree; checked here, it lies beside the file.
        settings.applDir = (root / kTreeFolder).string();
        settings.registry.set(env::kFamilyKey, env::kApplDirValue, settings.applDir);
        return settings;
    }
    if (!loadInstalledSettings(settings.registry))
        throw std::runtime_error(named.string() + " holds no " + kTreeRegistryFile +
                                 " and no installed settings were found");
    settings.source = std::string("HKLM\\") + env::kProductKey;
    if (const std::string* applDir = settings.registry.read(host::registry::LocalMachine, env::kFamilyKey, env::kApplDirValue))
        settings.applDir = *applDir;
    return settings;
}

Ref<host::HostRegistry> SettingsLibrary::createRegistry() {
    return Ref<host::HostRegistry>(makeRef<SettingsRegistry>(registry_));
}

}  // namespace zelva::checker
