#include "standin/pinhost/Component.h"

namespace zelva::pinhost {

void loadHostSettings(sim::SimHost& host, const std::filesystem::path& installDir) {
    const settingsfiles::Substitutions subs{{"INSTALLDIR", (installDir / "Tessalo").string()}};
    host.registry().load(installDir / "pinhost.reg", subs);
    host.settings().load(installDir / "host-settings.ini", subs);
}

}  // namespace zelva::pinhost
