#include "standin/comhost/HostVariants.h"

#include <typeinfo>

#include "standin/comhost/HostFailures.h"
#include "standin/comhost/ForeignObject.h"
#include "standin/comhost/HostDispatch.h"

namespace zelva::comhost {

namespace {

Ref<Object> objectFor(IDispatch* dispatch) {
    if (Ref<Object> own = HostDispatch::unwrap(dispatch)) return own;
    return makeRef<ForeignObject>(dispatch, kHostValues);
}

IDispatch* dispatchFor(const Ref<Object>& object) {
    // The class is final: its type alone tells it, without a search of the
    // object's bases (every object of the stand-in crosses here).
    if (object && typeid(*object) == typeid(ForeignObject)) {
        IDispatch* dispatch = static_cast<const ForeignObject&>(*object).dispatch();
        dispatch->AddRef();
        return dispatch;
    }
    return HostDispatch::wrap(object, kHostValues);
}

}  // namespace

const comvalues::ValuePolicy kHostValues{comvalues::Reading::Strict, objectFor, dispatchFor, errorWithText};

}  // namespace zelva::comhost
