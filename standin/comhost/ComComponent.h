#pragma once
// The real Zelvacorin.dll in the stand-in host, reached only as a host
// reaches it: classes created through the registry (the DLL registered with
// regsvr32), IDispatch for the drop and the double-click, the
// IC2DProjectedThreads vtable for a drawing view. The stand-in's objects go
// to it as real COM objects; the scripted user works its windows. The run's
// registry values and host settings are written where the host library reads
// them and removed again when the component is unloaded.

#include <windows.h>
#include <objbase.h>

#include <filesystem>

#include "standin/comhost/RegistryOverlay.h"
#include "standin/comhost/ScriptedUser.h"
#include "windows/comvalues/ComPtr.h"
#include "standin/pinhost/Component.h"

namespace zelva::comhost {

// COM on this thread for as long as it lives, in a single-threaded apartment:
// the component's calls and the message loops of its dialogs run here.
class SingleThreadedApartment {
public:
    SingleThreadedApartment();
    ~SingleThreadedApartment();
    SingleThreadedApartment(const SingleThreadedApartment&) = delete;
    SingleThreadedApartment& operator=(const SingleThreadedApartment&) = delete;
};

class ComComponent : public pinhost::Component, public pinhost::LoadedComponent {
public:
    // `installDir` may be given as a path of the machine under Wine.
    explicit ComComponent(const std::filesystem::path& installDir);
    ~ComComponent() override;

    sim::SimHost& host() override { return host_; }
    pinhost::Component& component() override { return *this; }

    void setRegistryValue(const std::string& key, const std::string& name, const std::string& value) override;
    void setHostSetting(const std::string& section, const std::string& key, const std::string& value) override;
    // The real screen cannot change: a scenario may only name the one it has.
    void setScreen(int32_t width, int32_t height) override;
    void drop(const Ref<Object>& hook, const ui::UserScript& answers, pinhost::UserEvents& seen) override;
    void doubleClick(const std::shared_ptr<sim::doc::Shape>& pin, const ui::UserScript& answers,
                     pinhost::UserEvents& seen) override;
    pinhost::PinProjection project(const Ref<Object>& shape) override;

private:
    template <class Call>
    void withUser(const ui::UserScript& answers, pinhost::UserEvents& seen, Call call);
    void writeRegistry();
    void writeSettings();

    SingleThreadedApartment apartment_;
    sim::SimHost host_;
    RegistryOverlay registry_;
    std::filesystem::path settingsFile_;
    ScriptedUser user_;
    comvalues::ComPtr<IClassFactory> pinClass_;  // the pin's class, once a drawing view asked a pin
};

}  // namespace zelva::comhost
