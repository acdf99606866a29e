#pragma once
// Everything the stand-in host's objects share: the document, the stores,
// the registered classes, the journal, the fault plan and the counts of live
// objects and calls. Every handle keeps it alive, so a handle that outlives
// its SimHost still answers safely.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "admin/settingsfiles/CaseInsensitive.h"
#include "admin/settingsfiles/RegistryStore.h"
#include "admin/settingsfiles/SettingsStore.h"
#include "standin/sim/Document.h"
#include "standin/sim/FaultPlan.h"
#include "standin/sim/Journal.h"

namespace zelva::sim {

struct HostState {
    doc::Document document;
    settingsfiles::RegistryStore registry;
    settingsfiles::SettingsStore settings;
    std::map<std::string, std::string, settingsfiles::CaseInsensitiveLess> classIds;  // ProgID → class id

    std::vector<JournalEntry> journal;
    bool journalKept = true;  // off, calls are counted and may fail but leave no entry
    FaultPlan faults;
    uint64_t callsMade = 0;  // every call since the host started
    uint64_t callMark = 0;   // callsMade when the journal or the faults were last cleared
    int64_t liveObjects = 0;
    uint64_t nextSerial = 1;

    // Journals a call about to run and raises the fault planned for it (after
    // journalling that failure). Returns the entry's index for the outcome, or
    // an index past the journal's end when the journal is not kept.
    size_t openCall(std::string_view object, std::string_view member, CallKind kind, std::vector<JournalValue> args);
    void closeCall(size_t entry, JournalValue result);
    void failCall(size_t entry, const Error& error);
};

}  // namespace zelva::sim
