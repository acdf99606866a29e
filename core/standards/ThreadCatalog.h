#pragma once
// Every group's standards with their nominal diameters, read once per loaded
// component, so that a drawing can name a pin's thread without reading the
// tables for each pin. Groups are found as the dialog finds its tabs.

#include <optional>
#include <string>
#include <vector>

#include "core/env/Module.h"

namespace zelva::standards {

class ThreadCatalog {
public:
    // The module's catalog, read from the settings and the index files on first use.
    static ThreadCatalog& of(env::Module& m);

    // The name of the standard of a pin (see standardOfPin), nothing for none.
    std::optional<std::string> nameOfPin(files::FileSystem& files, double diameter, double pitch);

private:
    struct Standard {
        std::string name;
        std::string dataPath;
        std::optional<std::vector<double>> pitches;  // read when a pin of its size first asks
    };
    void readGroup(files::FileSystem& files, const std::string& indexPath, const std::string& dataDir);

    std::vector<Standard> standards_;
    std::vector<std::optional<double>> nominals_;  // standard by standard
};

}  // namespace zelva::standards
