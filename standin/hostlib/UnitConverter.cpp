// UnitConverter: converts a length between two of the host's unit codes.

#include <string>

#include "ComObject.h"
#include "HostClasses.h"
#include "standin/sim/FrameMath.h"

namespace zelva::hostlib {

namespace {

class UnitConverter final : public DualObject<IUnitConverter> {
public:
    // The page names the document whose units apply; every page here uses the
    // same units, but a conversion without a page is refused as the host does.
    HRESULT STDMETHODCALLTYPE Convert(IDispatch** page, double* value, long* fromUnit,
                                      long* toUnit, double* result) override {
        if (!page || !value || !fromUnit || !toUnit || !result) return E_POINTER;
        if (!*page) return fail(E_INVALIDARG, IID_IUnitConverter, L"Convert needs a page.");
        const auto from = sim::metresPerUnit(*fromUnit);
        const auto to = sim::metresPerUnit(*toUnit);
        if (!from || !to) {
            const long unknown = from ? *toUnit : *fromUnit;
            return fail(E_INVALIDARG, IID_IUnitConverter,
                        L"Unknown unit code " + std::to_wstring(unknown) + L".");
        }
        *result = *value * *from / *to;
        return S_OK;
    }

    ZELVA_UNUSED_SLOT(1)
    ZELVA_UNUSED_SLOT(2)
};

}  // namespace

HRESULT createUnitConverter(REFIID iid, void** out) { return createObject<UnitConverter>(iid, out); }

}  // namespace zelva::hostlib
