#pragma once
// Nobody watches the forms of a timed run: the scripted answers are given and
// nothing is recorded.

#include <string>

#include "standin/pinhost/UserEvents.h"

namespace zelva::bench {

class Unwatched : public pinhost::UserEvents {
public:
    void formShown(const pinhost::ShownForm&) override {}
    void formClosed(const std::string&, bool) override {}
    void messageShown(const ui::Message&) override {}
};

}  // namespace zelva::bench
