#include "standin/sim/VariableContract.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/automation/Error.h"
#include "core/host/ComponentTypes.h"
#include "core/host/VariableNumbers.h"

namespace zelva::sim {

namespace {

using namespace host;

constexpr VarType kR8[] = {VarType::R8};
constexpr VarType kI2[] = {VarType::I2};
constexpr VarType kI4[] = {VarType::I4};
constexpr VarType kStr[] = {VarType::Str};
constexpr VarType kR8OrI2[] = {VarType::R8, VarType::I2};  // a chamfer, or the 16-bit 0 for none

struct Slot {
    int32_t componentType;
    doc::VariableKey key;
    std::span<const VarType> types;
};

constexpr doc::VariableKey plain(int32_t number) { return {std::nullopt, number}; }
constexpr doc::VariableKey field(int32_t kind, int16_t index) { return {kind, index}; }

// Built once: every variable of the component types a pin is built from.
const std::vector<Slot>& slots() {
    static const std::vector<Slot> all = [] {
        namespace size_box = vars::size_box;
        namespace body = vars::body;
        namespace part_data = vars::part_data;
        std::vector<Slot> s{
            {types::SizeBox, plain(size_box::Width), kR8},
            {types::SizeBox, plain(size_box::Depth), kR8},
            {types::SizeBox, plain(size_box::Length), kR8},
            {types::SizeBox, plain(size_box::WidthSwitch), kI2},
            {types::SizeBox, plain(size_box::DepthSwitch), kI2},
            {types::SizeBox, plain(size_box::LengthSwitch), kI2},
            {types::SizeBox, plain(size_box::Anchor), kI4},
            {types::SizeBox, plain(size_box::FitMode), kI4},
            {types::Body, plain(body::StartChamfer), kR8OrI2},
            {types::Body, plain(body::EndChamfer), kR8OrI2},
            {types::Body, plain(body::SurfaceOffset), kR8},
            {types::Body, plain(body::SurfaceMode), kI4},
            {types::ClassMarker, plain(vars::class_marker::Marker), kI4},
            {types::ClassRecord, plain(vars::class_record::ClassId), kStr},
            {types::PartData, field(part_data::TextField, part_data::FamilyTag), kStr},
            {types::PartData, field(part_data::TextField, part_data::ComponentTag), kStr},
            {types::PartData, field(part_data::NumberField, part_data::Format), kI2},
            {types::PartData, field(part_data::NumberField, part_data::Pitch), kR8},
            {types::PartData, field(part_data::NumberField, part_data::Chamfer), kI2},
        };
        for (int32_t type : {types::Placement, types::PlacementCleared})
            for (int32_t n = vars::placement::X; n <= vars::placement::Rotation4; ++n)
                s.push_back({type, plain(n), kR8});
        return s;
    }();
    return all;
}

std::string variableName(int32_t componentType, const doc::VariableKey& key) {
    const std::string n = std::to_string(key.number);
    return "Component type " + std::to_string(componentType) + " has no variable " +
           (key.kind ? std::to_string(*key.kind) + "," + n : n);
}

}  // namespace

std::span<const VarType> variableTypes(int32_t componentType, const doc::VariableKey& key) {
    const auto& all = slots();
    const auto it = std::find_if(all.begin(), all.end(),
                                 [&](const Slot& s) { return s.componentType == componentType && s.key == key; });
    return it == all.end() ? std::span<const VarType>() : it->types;
}

void expectVariable(int32_t componentType, const doc::VariableKey& key) {
    if (variableTypes(componentType, key).empty())
        throw Error::runtime(err::SubscriptOutOfRange, variableName(componentType, key));
}

void expectVariableValue(int32_t componentType, const doc::VariableKey& key, const Variant& value) {
    const auto allowed = variableTypes(componentType, key);
    if (std::find(allowed.begin(), allowed.end(), value.type()) == allowed.end())
        throw Error::runtime(err::TypeMismatch);
}

}  // namespace zelva::sim
