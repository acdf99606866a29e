#include "WrittenOutputs.h"

#include <algorithm>

#include "Apartment.h"

namespace zelva::server {

WrittenOutputs::WrittenOutputs() : apartment_(existingApartment()) {
    if (!apartment_) return;
    outer_ = apartment_->scriptCall;
    apartment_->scriptCall = this;
}

WrittenOutputs::~WrittenOutputs() {
    if (apartment_) apartment_->scriptCall = outer_;
}

bool WrittenOutputs::wrote(const void* output) const {
    return std::find(written_.begin(), written_.end(), output) != written_.end();
}

void noteOutputsWritten(std::span<const void* const> outputs) {
    if (outputs.empty()) return;
    const std::shared_ptr<Apartment> apartment = existingApartment();
    if (apartment && apartment->scriptCall)
        apartment->scriptCall->written_.insert(apartment->scriptCall->written_.end(), outputs.begin(), outputs.end());
}

}  // namespace zelva::server
