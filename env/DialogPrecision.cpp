#include "env/DialogPrecision.h"

#include "automation/Error.h"
#include "host/HostCalls.h"

namespace zelva::env {

int32_t DialogPrecision(Module& m) {
    const Ref<Object> app = host::deref(m.CurrentPage).getObject("Application");
    const int32_t decimals = toInt32(host::deref(app).get("DialogPrecision"));
    if (decimals < 0) throw Error::runtime(err::InvalidCall);
    return decimals;
}

}  // namespace zelva::env
