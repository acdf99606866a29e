#pragma once
// A round of work for pinhost, one command a line: the host's settings, the
// document's parts and hit elements, the user's drops, double-clicks and
// drawing views, and the answers the user gives to the form each one shows.

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "standin/sim/FrameMath.h"
#include "core/ui/HeadlessUi.h"

namespace zelva::pinhost {

struct RegistryValue { std::string key, name, value; };
struct HostSetting { std::string section, key, value; };
struct PageUnits { int32_t code; };
struct DialogPrecision { int32_t digits; };
struct Screen { int32_t width, height; };  // the user's one screen, in pixels
struct AddPart { std::string name; };
struct AddEdge {
    std::string name;
    bool circular;
    std::string part;
    sim::Vec3 point, normal;
    double radius = 0;
    int32_t depth = 1;
};
struct AddFace { std::string name, part; sim::Vec3 point, normal; };
struct Drop { std::string element; ui::UserScript answers; };
struct DoubleClick { std::string pin; ui::UserScript answers; };
struct Project { std::string pin; };

using Command = std::variant<RegistryValue, HostSetting, PageUnits, DialogPrecision, Screen, AddPart, AddEdge, AddFace,
                             Drop, DoubleClick, Project>;

struct ScenarioLine {
    int line;
    Command command;
};

// A malformed line: the message names the line and what was expected there.
class ScenarioError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<ScenarioLine> parseScenario(std::istream& in, const std::string& name);

}  // namespace zelva::pinhost
