#include "core/env/EntrySizes.h"

namespace zelva::env {

void EntrySizes::restart() { sizes_.clear(); }

bool EntrySizes::reuse(std::string_view line) {
    const size_t entry = sizes_.size();
    if (entry >= keptLines_.size() || keptLines_[entry] != line) return false;
    sizes_.push_back(keptSizes_[entry]);
    return true;
}

void EntrySizes::add(std::string_view line, std::optional<double> size) {
    // The kept lines past a changed one belong to another reading's order.
    const size_t entry = sizes_.size();
    keptLines_.resize(entry);
    keptSizes_.resize(entry);
    keptLines_.emplace_back(line);
    keptSizes_.push_back(size);
    sizes_.push_back(size);
}

}  // namespace zelva::env
