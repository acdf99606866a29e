#pragma once
// Strict readers for the arguments of the stand-in host's members: each takes
// only the types the host contract allows, so a wrongly typed argument fails
// at once with a type mismatch (13) and a missing one with error 450.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "automation/Object.h"

namespace zelva::sim {

int32_t i4Arg(std::span<const Arg> args, size_t i);          // I4 only
int16_t i2Arg(std::span<const Arg> args, size_t i);          // I2 only
int32_t indexArg(std::span<const Arg> args, size_t i);       // I2 or I4
double numberArg(std::span<const Arg> args, size_t i);       // I2, I4 or R8
bool boolArg(std::span<const Arg> args, size_t i);           // Bool only
std::string strArg(std::span<const Arg> args, size_t i);     // Str only
Ref<Object> objectArg(std::span<const Arg> args, size_t i);  // an object, possibly Nothing
Variant storableArg(std::span<const Arg> args, size_t i);    // any value but an object
// The arguments from `first` on, each a number (I2, I4 or R8), kept as passed.
std::vector<Variant> numbersAsPassed(std::span<const Arg> args, size_t first);

// A call that reads or acts (not a property put, which fails with 383) with
// exactly `count` arguments (otherwise 450).
void expectCall(CallKind kind, std::span<const Arg> args, size_t count);

}  // namespace zelva::sim
