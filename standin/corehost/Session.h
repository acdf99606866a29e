#pragma once
// The component loaded into the stand-in host: one document, the host's
// registry and settings from an install tree, a headless user (or another user
// interface), the files of this machine, and one module with its forms connected.

#include <filesystem>

#include "core/env/Module.h"
#include "core/files/TextFiles.h"
#include "standin/sim/SimHost.h"
#include "core/ui/HeadlessUi.h"

namespace zelva::corehost {

class Session {
public:
    // `installDir` holds pinhost.reg and host-settings.ini; %INSTALLDIR% in
    // them stands for its Tessalo folder.
    explicit Session(const std::filesystem::path& installDir);
    // The same with `userInterface` showing the forms instead of the headless user.
    Session(const std::filesystem::path& installDir, ui::Ui& userInterface);

    sim::SimHost host;
    files::LocalFileSystem files;
    ui::HeadlessUi ui;
    env::Module module;
};

}  // namespace zelva::corehost
