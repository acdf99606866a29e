#include "standin/sim/Tracked.h"

#include "core/automation/Object.h"

namespace zelva::sim {

Tracked::Tracked(std::shared_ptr<HostState> host, std::string_view kind)
    : host_(std::move(host)), kind_(kind), serial_(host_->nextSerial++) {
    ++host_->liveObjects;
}

Tracked::~Tracked() { --host_->liveObjects; }

JournalValue describe(const Variant& v, bool byRef) {
    switch (v.type()) {
        case VarType::Empty: return {VarType::Empty, "", byRef};
        case VarType::I2: return describe(v.i2Value(), byRef);
        case VarType::I4: return describe(v.i4Value(), byRef);
        case VarType::R8: return describe(v.r8Value(), byRef);
        case VarType::Bool: return {VarType::Bool, v.boolValue() ? "True" : "False", byRef};
        case VarType::Str: return describe(v.strValue(), byRef);
        case VarType::Object: return describe(v.objectValue(), byRef);
    }
    return {};
}

JournalValue describe(double v, bool byRef) { return {VarType::R8, numberText(v), byRef}; }
JournalValue describe(int32_t v, bool byRef) { return {VarType::I4, std::to_string(v), byRef}; }
JournalValue describe(int16_t v, bool byRef) { return {VarType::I2, std::to_string(v), byRef}; }
JournalValue describe(const std::string& v, bool byRef) { return {VarType::Str, "\"" + v + "\"", byRef}; }

JournalValue describe(const RefCounted* object, bool byRef) {
    if (!object) return {VarType::Object, "Nothing", byRef};
    const auto* tracked = dynamic_cast<const Tracked*>(object);
    return {VarType::Object, tracked ? tracked->label() : "(component object)", byRef};
}

}  // namespace zelva::sim
