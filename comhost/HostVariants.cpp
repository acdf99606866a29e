#include "comhost/HostVariants.h"

#include "comhost/ComFailures.h"
#include "comhost/ForeignObject.h"
#include "comhost/HostDispatch.h"

namespace zelva::pinhost {

namespace {

Ref<Object> objectFor(IDispatch* dispatch) {
    if (Ref<Object> own = HostDispatch::unwrap(dispatch)) return own;
    return makeRef<ForeignObject>(dispatch, kHostValues);
}

IDispatch* dispatchFor(const Ref<Object>& object) {
    if (const auto* foreign = dynamic_cast<const ForeignObject*>(object.get())) {
        foreign->dispatch()->AddRef();
        return foreign->dispatch();
    }
    return HostDispatch::wrap(object, kHostValues);
}

}  // namespace

const com::ValuePolicy kHostValues{com::Reading::Strict, objectFor, dispatchFor, errorWithText};

}  // namespace zelva::pinhost
