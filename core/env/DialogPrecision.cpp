#include "core/env/DialogPrecision.h"

#include "core/automation/Error.h"
#include "core/host/HostCalls.h"

namespace zelva::env {

int32_t DialogPrecision(Module& m) {
    const Ref<Object> app = host::deref(m.CurrentPage).getObject("Application");
    const int32_t decimals = toInt32(host::deref(app).get("DialogPrecision"));
    if (decimals < 0) throw Error::runtime(err::InvalidCall);
    return decimals;
}

}  // namespace zelva::env
