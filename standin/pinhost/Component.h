#pragma once
// The component as a host reaches it: the registry and settings it reads, a
// drop with the host's hook object, a double-click on a pin, a drawing view's
// questions. pinhost reaches the core directly; pinhost.exe reaches the real
// Zelvacorin.dll through COM. Failures are Errors; an answer no user could
// give is a ui::ImpossibleAction.

#include <filesystem>
#include <memory>
#include <string>

#include "core/automation/Object.h"
#include "standin/pinhost/PinProjection.h"
#include "standin/pinhost/UserEvents.h"
#include "standin/sim/SimHost.h"
#include "core/ui/HeadlessUi.h"

namespace zelva::pinhost {

class Component {
public:
    virtual ~Component() = default;

    virtual void setRegistryValue(const std::string& key, const std::string& name, const std::string& value) = 0;
    virtual void setHostSetting(const std::string& section, const std::string& key, const std::string& value) = 0;
    // The screen the user sees: its one work area, from the top left corner.
    virtual void setScreen(int32_t width, int32_t height) = 0;

    // The user answers the forms shown with `answers`; what they saw goes to `seen`.
    virtual void drop(const Ref<Object>& hook, const ui::UserScript& answers, UserEvents& seen) = 0;
    virtual void doubleClick(const std::shared_ptr<sim::doc::Shape>& pin, const ui::UserScript& answers,
                             UserEvents& seen) = 0;
    // A new pin object asked about `shape`, as a drawing view asks: the
    // answers of the projected-thread queries (the pin's own fields are left).
    virtual PinProjection project(const Ref<Object>& shape) = 0;
};

// The stand-in host with the component loaded into it.
class LoadedComponent {
public:
    virtual ~LoadedComponent() = default;
    virtual sim::SimHost& host() = 0;
    virtual Component& component() = 0;
};

// `installDir` holds pinhost.reg and host-settings.ini, whose %INSTALLDIR%
// stands for its Tessalo folder. Each host program defines it once.
std::unique_ptr<LoadedComponent> loadComponent(const std::filesystem::path& installDir);

// The host's registry and settings from the install tree, into `host`.
void loadHostSettings(sim::SimHost& host, const std::filesystem::path& installDir);

}  // namespace zelva::pinhost
