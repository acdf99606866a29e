#include "core/shape/ThreadCallout.h"

#include "core/automation/NumberRules.h"
#include "core/env/Settings.h"
#include "core/texts/TextTemplate.h"
#include "core/standards/ThreadCatalog.h"

namespace zelva::shape {

namespace {

constexpr int kSizeDecimals = 4;  // the tables' pitches: 1.9538 for 13 TPI
constexpr int kTpiDecimals = 1;   // 25.4 / 1.9538 is 13, and 11.5 stays 11.5
constexpr double kMillimetresPerInch = 25.4;

const env::CalloutTemplates& calloutTemplates(env::Module& m) {
    if (!m.Callouts) {
        env::CalloutTemplates t{env::GetCalloutFormatSetting(m), {}};
        // A blank turns callouts off, as absent does; the custom template
        // matters, and is read, only when they are on.
        if (trimSpaces(t.format).empty()) {
            t.format.clear();
        } else {
            t.custom = env::GetCalloutCustomSetting(m);
            if (t.custom.empty()) t.custom = kDefaultCustomCallout;
        }
        m.Callouts = std::move(t);
    }
    return *m.Callouts;
}

}  // namespace

std::string templateCallout(env::Module& m, double diameter, double pitch, double length) {
    const env::CalloutTemplates& templates = calloutTemplates(m);
    if (templates.format.empty()) return {};
    const auto name = standards::ThreadCatalog::of(m).nameOfPin(m.files, diameter, pitch);
    const std::string tpi = pitch > 0 ? texts::shortestNumber(kMillimetresPerInch / pitch, kTpiDecimals) : "";
    return texts::fillTemplate(name ? templates.format : templates.custom,
                             {{"name", name.value_or("")},
                              {"D", texts::shortestNumber(diameter, kSizeDecimals)},
                              {"P", texts::shortestNumber(pitch, kSizeDecimals)},
                              {"L", texts::shortestNumber(length, kSizeDecimals)},
                              {"TPI", tpi}});
}

}  // namespace zelva::shape
