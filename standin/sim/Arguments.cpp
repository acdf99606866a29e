#include "standin/sim/Arguments.h"

#include <initializer_list>

#include "core/automation/Error.h"

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

double r8Arg(std::span<const Arg> args, size_t i) { return typedArg(args, i, {VarType::R8}).r8Value(); }

bool boolArg(std::span<const Arg> args, size_t i) { return typedArg(args, i, {VarType::Bool}).boolValue(); }

std::string strArg(std::span<const Arg> args, size_t i) { return typedArg(args, i, {VarType::Str}).strValue(); }

Ref<Object> objectArg(std::span<const Arg> args, size_t i) {
    return typedArg(args, i, {VarType::Object}).objectValue();
}

std::vector<Variant> argsOfTypes(std::span<const Arg> args, size_t first, std::initializer_list<VarType> types) {
    std::vector<Variant> passed;
    size_t i = first;
    for (VarType t : types) passed.push_back(valueOfType(args, i++, t));
    return passed;
}

Variant valueOfType(std::span<const Arg> args, size_t i, VarType type) { return typedArg(args, i, {type}); }

void expectCall(CallKind kind, std::span<const Arg> args, size_t count) {
    if (kind == CallKind::Put) throw Error::runtime(err::PropertyReadOnly);
    expectArgCount(args, count);
}

}  // namespace zelva::sim
