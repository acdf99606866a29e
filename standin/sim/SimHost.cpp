#include "standin/sim/SimHost.h"

#include "core/automation/Error.h"
#include "core/host/VariableNumbers.h"
#include "standin/sim/DocumentObjects.h"
#include "standin/sim/DropHookObjects.h"
#include "standin/sim/ShapeObject.h"

namespace zelva::sim {

namespace {
constexpr int32_t kClassNotRegistered = static_cast<int32_t>(0x80040154u);

std::string classIdOf(const doc::Shape& shape) {
    const doc::Component* record = shape.components.first(doc::type::ClassRecord);
    const Variant* id = record ? record->variable({std::nullopt, host::vars::class_record::ClassId}) : nullptr;
    if (!id || id->type() != VarType::Str)
        throw Error::runtime(err::InvalidCall, "The shape \"" + shape.name + "\" has no class record");
    return id->strValue();
}
}  // namespace

SimHost::SimHost() : state_(std::make_shared<HostState>()), library_(state_) {}

void SimHost::clearJournal() {
    state_->journal.clear();
    state_->callMark = state_->callsMade;
}

void SimHost::failCall(uint64_t k, Error error) {
    state_->faults.failCallNumber(state_->callsMade + k, std::move(error));
}

void SimHost::failMember(std::string member, Error error) {
    state_->faults.failMember(std::move(member), std::move(error));
}

void SimHost::clearFaults() {
    state_->faults.clear();
    state_->callMark = state_->callsMade;
}

Ref<Object> SimHost::application() { return makeRef<ApplicationObject>(state_); }
Ref<Object> SimHost::page() { return makeRef<PageObject>(state_); }

std::shared_ptr<doc::Part> SimHost::addPart(std::string name) {
    state_->document.parts.push_back(doc::makePart(std::move(name)));
    return state_->document.parts.back();
}

Ref<Object> SimHost::partObject(const std::shared_ptr<doc::Part>& part) { return makeRef<PartObject>(state_, part); }

Ref<Object> SimHost::shapeObject(const std::shared_ptr<doc::Shape>& shape) {
    return makeRef<ShapeObject>(state_, shape);
}

HitSiteRef SimHost::addHitSite(doc::HitSite site) {
    auto stored = std::make_shared<const doc::HitSite>(std::move(site));
    state_->document.hits.push_back(stored);
    return stored;
}

HitSiteRef SimHost::addCircularEdge(const std::shared_ptr<doc::Part>& part, Vec3 point, Vec3 normal, double radius,
                                    int32_t depth) {
    return addHitSite({doc::HitKind::CircularEdge, part, point, normal, radius, depth});
}

HitSiteRef SimHost::addLineEdge(const std::shared_ptr<doc::Part>& part, Vec3 point, Vec3 normal) {
    return addHitSite({doc::HitKind::LineEdge, part, point, normal, 0, 1});
}

HitSiteRef SimHost::addFace(const std::shared_ptr<doc::Part>& part, Vec3 point, Vec3 normal) {
    return addHitSite({doc::HitKind::Face, part, point, normal, 0, 1});
}

Ref<Object> SimHost::makeDropHook(const HitSiteRef& site) { return makeRef<DropHookObject>(state_, site); }

void SimHost::registerClass(std::string progId, std::string classId, ClassFactory factory) {
    factories_[classId] = std::move(factory);
    state_->classIds[std::move(progId)] = std::move(classId);
}

void SimHost::createClassesWith(std::function<Ref<Object>(const std::string& classId)> creator) {
    creator_ = std::move(creator);
}

Ref<Object> SimHost::create(const std::string& classId) {
    const auto factory = factories_.find(classId);
    Ref<Object> made = creator_ ? creator_(classId) : factory != factories_.end() ? factory->second() : nullptr;
    if (made) return made;
    if (creator_ || factory == factories_.end())
        throw Error::fromHresult(kClassNotRegistered, "Class not registered: " + classId);
    throw Error::runtime(err::ObjectNotSet, "The factory of " + classId + " made no object");
}

void SimHost::doubleClick(const std::shared_ptr<doc::Shape>& shape, int32_t x, int32_t y) {
    const Ref<Object> handler = create(classIdOf(*shape));
    Variant shapeArg = Variant::object(shapeObject(shape));
    Variant xArg = Variant::i4(x);
    Variant yArg = Variant::i4(y);
    handler->call("DblClick", {ref(shapeArg), ref(xArg), ref(yArg)});
}

}  // namespace zelva::sim
