#pragma once
// A typed automation value. The type travels with the value and is part of the
// host contract: a value written as a 16-bit integer reaches the host as one.

#include "core/automation/Namespace.h"

#include <cstdint>
#include <string>
#include <variant>

#include "core/automation/Ref.h"

namespace zelva::automation {

class Object;

// A value may hold an object whose class this header cannot see whole, as the
// object's calls take values: its count is kept through these two.
void addReference(Object* o);
void dropReference(Object* o);

enum class VarType { Empty, I2, I4, R8, Bool, Str, Object };

const char* typeName(VarType t);  // "Empty", "I2", "I4", "R8", "Bool", "Str", "Object"

// Automation booleans are 16-bit: -1 true, 0 false.
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

class Variant {
public:
    Variant() = default;
    static Variant i2(int16_t v) { return Variant(VarType::I2, v); }
    static Variant i4(int32_t v) { return Variant(VarType::I4, v); }
    static Variant r8(double v) { return Variant(VarType::R8, v); }
    static Variant boolean(bool v) { return Variant(VarType::Bool, int16_t(v ? kTrue : kFalse)); }
    static Variant str(std::string v) { return Variant(VarType::Str, std::move(v)); }
    static Variant object(Ref<Object> v);

    VarType type() const { return type_; }
    bool isEmpty() const { return type_ == VarType::Empty; }
    bool isNumeric() const;

    // The stored value of the variant's own type; no conversion.
    int16_t i2Value() const;
    int32_t i4Value() const;
    double r8Value() const;
    bool boolValue() const;
    const std::string& strValue() const;
    const Ref<Object>& objectValue() const;

    bool operator==(const Variant& o) const;

private:
    using Storage = std::variant<std::monostate, int16_t, int32_t, double, std::string, Ref<Object>>;
    template <class V>
    Variant(VarType t, V v) : type_(t), value_(std::move(v)) {}

    VarType type_ = VarType::Empty;
    Storage value_;
};

// Conversions with the runtime's rules: numbers and booleans convert, a text
// converts only when it is a number as a whole, anything else is a type mismatch.
double toDouble(const Variant& v);
int16_t toInt16(const Variant& v);  // rounds half to even; overflow 6
int32_t toInt32(const Variant& v);  // rounds half to even; overflow 6
bool toBool(const Variant& v);
std::string toText(const Variant& v);  // numbers as the number-to-text rule, trimmed
Ref<Object> toObject(const Variant& v);  // not an object: 424 object required

}  // namespace zelva::automation
