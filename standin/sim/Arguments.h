#pragma once
// Strict readers for the arguments of the stand-in host's members: each takes
// only the types the host contract allows, so a wrongly typed argument fails
// at once with a type mismatch (13) and a missing one with error 450.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "core/automation/Object.h"

namespace zelva::sim {

int32_t i4Arg(std::span<const Arg> args, size_t i);          // I4 only
int16_t i2Arg(std::span<const Arg> args, size_t i);          // I2 only: item numbers among others
double r8Arg(std::span<const Arg> args, size_t i);           // R8 only
bool boolArg(std::span<const Arg> args, size_t i);           // Bool only
std::string strArg(std::span<const Arg> args, size_t i);     // Str only
Ref<Object> objectArg(std::span<const Arg> args, size_t i);  // an object, possibly Nothing
// The arguments from `first` on, kept as passed, each of the type listed for it.
std::vector<Variant> argsOfTypes(std::span<const Arg> args, size_t first, std::initializer_list<VarType> types);
// Any value of exactly `type`.
Variant valueOfType(std::span<const Arg> args, size_t i, VarType type);

// A call that reads or acts (not a property put, which fails with 383) with
// exactly `count` arguments (otherwise 450).
void expectCall(CallKind kind, std::span<const Arg> args, size_t count);

}  // namespace zelva::sim
