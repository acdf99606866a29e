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

void noteOutputWritten(const void* output) {
    const std::shared_ptr<Apartment> apartment = existingApartment();
    if (apartment && apartment->scriptCall) apartment->scriptCall->written_.push_back(output);
}

}  // namespace zelva::server
