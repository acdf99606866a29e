#pragma once
// Replays a scenario against the component loaded in the stand-in host,
// writing the transcript and a short human summary as it goes.

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "standin/pinhost/Component.h"
#include "standin/pinhost/PinProjection.h"
#include "standin/pinhost/Scenario.h"
#include "standin/pinhost/Transcript.h"

namespace zelva::pinhost {

// It watches the user's forms and message boxes, passes them on to the
// transcript and names them in the summary.
class ScenarioRunner : public UserEvents {
public:
    ScenarioRunner(LoadedComponent& loaded, Transcript& transcript, std::ostream& summary);

    void formShown(const ShownForm& form) override;
    void formClosed(const std::string& form, bool byOk) override;
    void messageShown(const ui::Message& box) override;

    // A line naming something the scenario did not make stops the run with a ScenarioError.
    void run(const std::vector<ScenarioLine>& lines, const std::string& name);

    const std::vector<PinProjection>& projections() const { return projections_; }
    int failures() const { return failures_; }

private:
    struct Step;
    void apply(const Command& command, const Step& step);
    void drop(const Drop& d, const Step& step);
    void doubleClick(const DoubleClick& d, const Step& step);
    void project(const Project& p, const Step& step);
    // Runs one call the host makes; a failure goes to the transcript.
    template <class Call>
    bool hostCall(const Step& step, Call call);
    void addElement(const std::string& name, const Step& step, sim::HitSiteRef site);
    void reportPin(const std::string& name, bool created);
    std::shared_ptr<sim::doc::Part> part(const std::string& name, const Step& step) const;
    std::shared_ptr<sim::doc::Shape> pin(const std::string& name, const Step& step) const;

    sim::SimHost& host_;
    Component& component_;
    Transcript& transcript_;
    std::ostream& summary_;
    std::map<std::string, std::shared_ptr<sim::doc::Part>> parts_;
    std::map<std::string, sim::HitSiteRef> elements_;
    std::map<std::string, std::shared_ptr<sim::doc::Shape>> pins_;  // "pin1", "pin2", … in creation order
    std::vector<PinProjection> projections_;
    std::string seen_;  // what the user saw during the current step
    int failures_ = 0;
};

}  // namespace zelva::pinhost
