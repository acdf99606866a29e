#pragma once
// The component with its forms in use: drops and double-clicks as the host
// makes them, a scripted user's answers, what each form showed when it opened
// and when it closed, and the preferences file.

#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/ComponentFixture.h"
#include "core/ui/HeadlessUi.h"

namespace zelva::test {

// The user's actions on a form.
namespace act {
ui::UserAction tab(int n);
ui::UserAction standard(int n);
ui::UserAction length(std::string text);
ui::UserAction pitch(std::string text);
ui::UserAction chamfer(int value);
ui::UserAction manual(int value);
ui::UserAction diameter(std::string text);
ui::UserAction ok();
ui::UserAction cancel();
}  // namespace act

// Every form shown: its name and controls when it appeared (before the user
// acted) and when it closed.
class FormWatch : public ui::HeadlessUi::Observer {
public:
    struct Seen {
        std::string form;  // "Dialog" or "DlgInfo"
        nlohmann::json opened;
        nlohmann::json closed;
        bool byOk = false;
    };

    std::vector<Seen> seen;
    // Run when a form appears, before the user's answers, and when it closes.
    std::function<void(const ui::Form&)> onShown, onClosed;

    void formShown(const ui::Form& form) override;
    void formClosed(const ui::Form& form, bool byOk) override;
};

class DialogFixture : public ComponentFixture {
protected:
    DialogFixture();
    ~DialogFixture() override;

    // The host's drop of the catalog item on `site`, answered by `script`.
    void drop(const sim::HitSiteRef& site, ui::UserScript script = {});
    // The host's double-click on a placed pin, answered by `script`.
    void doubleClick(const std::shared_ptr<sim::doc::Shape>& pin, ui::UserScript script = {}, int32_t x = 0,
                     int32_t y = 0);

    // A circular edge of `radius` on the plate at the origin, normal +Z.
    sim::HitSiteRef edgeOfRadius(double radius);
    // The shapes of the plate, the pins built so far among them.
    const sim::doc::ShapeList& plateShapes() const { return plate->shapes(); }

    void setProductSetting(const std::string& name, std::string value);
    void setLanguage(std::string value);

    std::filesystem::path prefsFile() const { return applDir() / "Zelvacorin.prf"; }
    std::string readPrefs() const;
    void writePrefs(const std::string& bytes) const;

    // The last form seen, as it opened and as it closed.
    const nlohmann::json& opened() const;
    const nlohmann::json& closed() const;

    FormWatch watch;

private:
    // Runs `call` with `script` as the next form's answers; answers no form used are dropped.
    void answering(ui::UserScript script, const std::function<void()>& call);
};

// What a built pin holds: the diameter of its profile circle, its extrusion
// length, and the pitch and chamfer of its part data (0 when absent).
struct PinValues {
    double diameter = 0, length = 0, pitch = 0;
    int chamfer = 0;
    bool operator==(const PinValues&) const = default;
};
PinValues pinValues(const sim::doc::Shape& pin);
void PrintTo(const PinValues& v, std::ostream* os);

// The lines, each ended with CR LF as the component writes them.
std::string crlfLines(const std::vector<std::string>& lines);
// The whole content of a file, as bytes.
std::string fileBytes(const std::filesystem::path& path);

}  // namespace zelva::test
