#pragma once
// The variables the host keeps in each component type a pin is built from, and
// the value types each one takes: a variable the host does not have cannot be
// fetched, and a value of another type cannot be written into it.

#include <cstdint>
#include <span>

#include "core/automation/Variant.h"
#include "standin/sim/Document.h"

namespace zelva::sim {

// The types `key` of a component of `componentType` takes; empty when the
// host has no such variable.
std::span<const VarType> variableTypes(int32_t componentType, const doc::VariableKey& key);

// Throws the host's error for a variable it does not have (9).
void expectVariable(int32_t componentType, const doc::VariableKey& key);

// Throws the host's type mismatch (13) for a value the variable does not take.
void expectVariableValue(int32_t componentType, const doc::VariableKey& key, const Variant& value);

}  // namespace zelva::sim
