#include "core/shape/UnitConversion.h"

namespace zelva::shape {

double ConvertUnits(env::Module& m, double value, int32_t fromCode, int32_t toCode) {
    return m.hostLibrary.createUnitConverter()->convert(m.CurrentPage, value, fromCode, toCode);
}

double ConvertUnits7To2(env::Module& m, double value) { return ConvertUnits(m, value, 7, 2); }
double ConvertUnits4To7(env::Module& m, double value) { return ConvertUnits(m, value, 4, 7); }

}  // namespace zelva::shape
