#include "core/env/UnitConversion.h"

namespace zelva::env {

double ConvertUnits(Module& m, double value, int32_t fromCode, int32_t toCode) {
    return m.hostLibrary.createUnitConverter()->convert(m.CurrentPage, value, fromCode, toCode);
}

double ConvertUnits7To2(Module& m, double value) { return ConvertUnits(m, value, 7, 2); }
double ConvertUnits4To7(Module& m, double value) { return ConvertUnits(m, value, 4, 7); }

}  // namespace zelva::env
