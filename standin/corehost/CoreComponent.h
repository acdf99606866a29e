#pragma once
// The component's core called directly, in this process, as pinhost runs it:
// the headless user answers its forms, and what it was shown is reported
// from the form models.

#include "standin/corehost/Session.h"
#include "standin/pinhost/Component.h"

namespace zelva::corehost {

class CoreComponent : public pinhost::Component, public pinhost::LoadedComponent, private ui::HeadlessUi::Observer {
public:
    explicit CoreComponent(const std::filesystem::path& installDir);

    sim::SimHost& host() override { return session_.host; }
    pinhost::Component& component() override { return *this; }

    void setRegistryValue(const std::string& key, const std::string& name, const std::string& value) override;
    void setHostSetting(const std::string& section, const std::string& key, const std::string& value) override;
    void setScreen(int32_t width, int32_t height) override;
    void drop(const Ref<Object>& hook, const ui::UserScript& answers, pinhost::UserEvents& seen) override;
    void doubleClick(const std::shared_ptr<sim::doc::Shape>& pin, const ui::UserScript& answers,
                     pinhost::UserEvents& seen) override;
    pinhost::PinProjection project(const Ref<Object>& shape) override;

private:
    void formShown(const ui::Form& form) override;
    void formClosed(const ui::Form& form, bool byOk) override;
    void messageShown(const ui::Message& box) override;
    // Runs `call` with the headless user answering and reporting to `seen`.
    template <class Call>
    void withUser(const ui::UserScript& answers, pinhost::UserEvents& seen, Call call);

    Session session_;
    pinhost::UserEvents* seen_ = nullptr;
};

}  // namespace zelva::corehost
