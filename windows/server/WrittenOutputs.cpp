#include "WrittenOutputs.h"

#include <algorithm>
#include <atomic>

#include "Apartment.h"

namespace zelva::server {

namespace {
// The records open on every apartment: while there is none, as in a compiled
// host's calls, an output written needs no look for its apartment.
std::atomic<int> openRecords;
}  // namespace

WrittenOutputs::WrittenOutputs() : apartment_(existingApartment()) {
    if (!apartment_) return;
    outer_ = apartment_->scriptCall;
    apartment_->scriptCall = this;
    ++openRecords;
}

WrittenOutputs::~WrittenOutputs() {
    if (!apartment_) return;
    apartment_->scriptCall = outer_;
    --openRecords;
}

bool WrittenOutputs::wrote(const void* output) const {
    return std::find(written_.begin(), written_.end(), output) != written_.end();
}

void noteOutputsWritten(std::span<const void* const> outputs) {
    if (outputs.empty() || openRecords == 0) return;
    const std::shared_ptr<Apartment> apartment = existingApartment();
    if (apartment && apartment->scriptCall)
        apartment->scriptCall->written_.insert(apartment->scriptCall->written_.end(), outputs.begin(), outputs.end());
}

}  // namespace zelva::server
