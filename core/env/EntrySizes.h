#pragma once
// The nominal diameters of the standards list's entries, item by item, kept
// with the index lines they were read from: the dialog reads its index at every
// opening, and an unchanged line is not parsed again.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelva::env {

class EntrySizes {
public:
    // Before a list is read: no entries yet, the last reading's lines kept.
    void restart();
    // Takes the next entry's size from the last reading when that entry's line
    // was `line`; false when it must be parsed and added.
    bool reuse(std::string_view line);
    void add(std::string_view line, std::optional<double> size);

    // The sizes of the entries read since the restart, in list order.
    const std::vector<std::optional<double>>& sizes() const { return sizes_; }

private:
    std::vector<std::optional<double>> sizes_;
    std::vector<std::string> keptLines_;  // the lines behind keptSizes_, of the last reading
    std::vector<std::optional<double>> keptSizes_;
};

}  // namespace zelva::env
