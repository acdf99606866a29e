#include "sim/Arguments.h"

#include <initializer_list>

#include "automation/Error.h"

namespace zelva::sim {

namespace {
const Variant& typedArg(std::span<const Arg> args, size_t i, std::initializer_list<VarType> allowed) {
    const Variant& v = argAt(args, i);
    for (VarType t : allowed)
        if (v.type() == t) return v;
    throw Error::runtime(err::TypeMismatch);
}
}  // namespace

int32_t i4Arg(std::span<const Arg> args, size_t i) { return typedArg(args, i, {VarType::I4}).i4Value(); }

int16_t i2Arg(std::span<const Arg> args, size_t i) { return typedArg(args, i, {VarType::I2}).i2Value(); }

int32_t indexArg(std::span<const Arg> args, size_t i) { return toInt32(typedArg(args, i, {VarType::I2, VarType::I4})); }

double numberArg(std::span<const Arg> args, size_t i) {
    return toDouble(typedArg(args, i, {VarType::I2, VarType::I4, VarType::R8}));
}

bool boolArg(std::span<const Arg> args, size_t i) { return typedArg(args, i, {VarType::Bool}).boolValue(); }

std::string strArg(std::span<const Arg> args, size_t i) { return typedArg(args, i, {VarType::Str}).strValue(); }

Ref<Object> objectArg(std::span<const Arg> args, size_t i) {
    return typedArg(args, i, {VarType::Object}).objectValue();
}

Variant storableArg(std::span<const Arg> args, size_t i) {
    const Variant& v = argAt(args, i);
    if (v.type() == VarType::Object) throw Error::runtime(err::TypeMismatch);
    return v;
}

std::vector<Variant> numbersAsPassed(std::span<const Arg> args, size_t first) {
    std::vector<Variant> numbers;
    for (size_t i = first; i < args.size(); ++i) {
        numberArg(args, i);
        numbers.push_back(args[i].get());
    }
    return numbers;
}

void expectCall(CallKind kind, std::span<const Arg> args, size_t count) {
    if (kind == CallKind::Put) throw Error::runtime(err::PropertyReadOnly);
    expectArgCount(args, count);
}

}  // namespace zelva::sim
