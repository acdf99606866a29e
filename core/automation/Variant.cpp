#include "core/automation/Variant.h"

#include "core/automation/Error.h"
#include "core/automation/Names.h"
#include "core/automation/NumberRules.h"

namespace zelva::automation {

const char* typeName(VarType t) {
    switch (t) {
        case VarType::Empty: return "Empty";
        case VarType::I2: return "I2";
        case VarType::I4: return "I4";
        case VarType::R8: return "R8";
        case VarType::Bool: return "Bool";
        case VarType::Str: return "Str";
        case VarType::Object: return "Object";
    }
    return "?";
}

Variant Variant::object(Ref<Object> v) { return Variant(VarType::Object, std::move(v)); }

bool Variant::isNumeric() const {
    return type_ == VarType::I2 || type_ == VarType::I4 || type_ == VarType::R8 || type_ == VarType::Bool;
}

int16_t Variant::i2Value() const {
    return type_ == VarType::Bool || type_ == VarType::I2 ? std::get<int16_t>(value_)
                                                          : throw Error::runtime(err::TypeMismatch);
}
int32_t Variant::i4Value() const {
    return type_ == VarType::I4 ? std::get<int32_t>(value_) : throw Error::runtime(err::TypeMismatch);
}
double Variant::r8Value() const {
    return type_ == VarType::R8 ? std::get<double>(value_) : throw Error::runtime(err::TypeMismatch);
}
bool Variant::boolValue() const {
    return type_ == VarType::Bool ? std::get<int16_t>(value_) != 0 : throw Error::runtime(err::TypeMismatch);
}
const std::string& Variant::strValue() const {
    if (type_ != VarType::Str) throw Error::runtime(err::TypeMismatch);
    return std::get<std::string>(value_);
}
const Ref<Object>& Variant::objectValue() const {
    if (type_ != VarType::Object) throw Error::runtime(err::TypeMismatch);
    return std::get<Ref<Object>>(value_);
}

bool Variant::operator==(const Variant& o) const { return type_ == o.type_ && value_ == o.value_; }

double toDouble(const Variant& v) {
    switch (v.type()) {
        case VarType::Empty: return 0;
        case VarType::I2:
        case VarType::Bool: return v.i2Value();
        case VarType::I4: return v.i4Value();
        case VarType::R8: return v.r8Value();
        case VarType::Str:
            if (auto n = parseWholeNumber(v.strValue())) return *n;
            break;
        case VarType::Object: break;
    }
    throw Error::runtime(err::TypeMismatch);
}

int16_t toInt16(const Variant& v) { return roundToInt16(toDouble(v)); }
int32_t toInt32(const Variant& v) { return roundToInt32(toDouble(v)); }

bool toBool(const Variant& v) {
    if (v.type() == VarType::Str) {
        if (sameName(v.strValue(), "True")) return true;
        if (sameName(v.strValue(), "False")) return false;
    }
    return toDouble(v) != 0;
}

std::string toText(const Variant& v) {
    switch (v.type()) {
        case VarType::Empty: return {};
        case VarType::Str: return v.strValue();
        case VarType::Bool: return v.boolValue() ? "True" : "False";
        case VarType::Object: throw Error::runtime(err::TypeMismatch);
        default: return trimSpaces(numberToText(toDouble(v)));
    }
}

Ref<Object> toObject(const Variant& v) {
    if (v.type() != VarType::Object) throw Error::runtime(err::ObjectRequired);
    return v.objectValue();
}

}  // namespace zelva::automation
