#pragma once
// The stand-in host: an in-memory CAD document with its application and
// page, the host library, the registry and settings stores, registered
// classes and double-click routing, and the journal, fault plan and live
// object count that tests assert on. Tests make one per test.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/automation/Object.h"
#include "core/host/HostLibrary.h"
#include "admin/settingsfiles/CaseInsensitive.h"
#include "standin/sim/HostState.h"
#include "standin/sim/SimLibrary.h"

namespace zelva::sim {

using ClassFactory = std::function<Ref<Object>()>;
using HitSiteRef = std::shared_ptr<const doc::HitSite>;

class SimHost {
public:
    SimHost();
    SimHost(const SimHost&) = delete;
    SimHost& operator=(const SimHost&) = delete;

    host::HostLibrary& library() { return library_; }

    // Objects of this host alive now: the handles given out and the library
    // objects. Zero once every one of them has been released.
    int64_t liveObjects() const { return state_->liveObjects; }

    // Journal and faults. `failCall(k)` makes the k-th call from now fail
    // (1-based); `callCount()` counts calls since the journal or the faults
    // were last cleared.
    const std::vector<JournalEntry>& journal() const { return state_->journal; }
    void clearJournal();
    // A long run keeps no journal unless asked: it grows with every call. Kept from the start.
    void keepJournal(bool kept) { state_->journalKept = kept; }
    void failCall(uint64_t k, Error error = injectedFailure());
    void failMember(std::string member, Error error = injectedFailure());
    void clearFaults();
    uint64_t callCount() const { return state_->callsMade - state_->callMark; }

    settingsfiles::RegistryStore& registry() { return state_->registry; }
    settingsfiles::SettingsStore& settings() { return state_->settings; }

    // Application and page.
    void setDialogPrecision(int16_t decimals) { state_->document.dialogPrecision = decimals; }
    void setPageLengthUnits(int32_t unitCode) { state_->document.lengthUnits = unitCode; }
    int pageUpdates() const { return state_->document.pageUpdates; }
    Ref<Object> application();
    Ref<Object> page();

    // The document.
    std::shared_ptr<doc::Part> addPart(std::string name);
    const doc::Document& document() const { return state_->document; }
    Ref<Object> partObject(const std::shared_ptr<doc::Part>& part);
    Ref<Object> shapeObject(const std::shared_ptr<doc::Shape>& shape);

    // Places a drop can hit, and the hook the host hands to a drop handler.
    HitSiteRef addCircularEdge(const std::shared_ptr<doc::Part>& part, Vec3 point, Vec3 normal, double radius,
                               int32_t depth = 1);
    HitSiteRef addLineEdge(const std::shared_ptr<doc::Part>& part, Vec3 point, Vec3 normal);
    HitSiteRef addFace(const std::shared_ptr<doc::Part>& part, Vec3 point, Vec3 normal);
    Ref<Object> makeDropHook(const HitSiteRef& site);

    // Classes the host can create: the class registry answers `classId` for
    // `progId`, and a double-click on a shape whose class record names
    // `classId` goes to a new object from `factory`.
    void registerClass(std::string progId, std::string classId, ClassFactory factory);
    // For a host whose classes are registered elsewhere (the system's
    // registry): `creator` makes the object of a class id, or answers null
    // when that class is not registered. It replaces the registered factories.
    void createClassesWith(std::function<Ref<Object>(const std::string& classId)> creator);

    // Reads the class id from the shape's class record (component 43, variable
    // 1), creates that class's object and calls its
    // DblClick(shape by ref, I4 x by ref, I4 y by ref). A shape without a
    // record or with an unregistered class raises an Error saying so; the
    // object's own failure passes through.
    void doubleClick(const std::shared_ptr<doc::Shape>& shape, int32_t x = 0, int32_t y = 0);

private:
    HitSiteRef addHitSite(doc::HitSite site);
    Ref<Object> create(const std::string& classId);

    std::shared_ptr<HostState> state_;
    SimLibrary library_;
    std::map<std::string, ClassFactory, settingsfiles::CaseInsensitiveLess> factories_;  // by class id
    std::function<Ref<Object>(const std::string&)> creator_;
};

}  // namespace zelva::sim
