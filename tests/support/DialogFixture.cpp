#include "support/DialogFixture.h"

#include <fstream>
#include <sstream>

#include "standin/corehost/ModelSnapshot.h"
#include "core/env/Settings.h"
#include "core/host/ComponentTypes.h"
#include "core/shape/DropHook.h"
#include "standin/sim/ShapeGeometry.h"

namespace zelva::test {

namespace act {
using K = ui::UserAction::Kind;
ui::UserAction tab(int n) { return {K::Tab, n, {}}; }
ui::UserAction standard(int n) { return {K::Standard, n, {}}; }
ui::UserAction length(std::string text) { return {K::Length, 0, std::move(text)}; }
ui::UserAction pitch(std::string text) { return {K::Pitch, 0, std::move(text)}; }
ui::UserAction chamfer(int value) { return {K::Chamfer, value, {}}; }
ui::UserAction manual(int value) { return {K::Manual, value, {}}; }
ui::UserAction diameter(std::string text) { return {K::Diameter, 0, std::move(text)}; }
ui::UserAction ok() { return {K::Ok, 0, {}}; }
ui::UserAction cancel() { return {K::Cancel, 0, {}}; }
}  // namespace act

void FormWatch::formShown(const ui::Form& form) {
    pinhost::ShownForm shown = corehost::shownForm(form);
    seen.push_back({shown.name, shown.controls, {}, false});
    if (onShown) onShown(form);
}

void FormWatch::formClosed(const ui::Form& form, bool byOk) {
    seen.back().closed = corehost::shownForm(form).controls;
    seen.back().byOk = byOk;
    if (onClosed) onClosed(form);
}

DialogFixture::DialogFixture() { ui.setObserver(&watch); }

DialogFixture::~DialogFixture() { ui.setObserver(nullptr); }

void DialogFixture::answering(ui::UserScript script, const std::function<void()>& call) {
    ui.answerNextForm(std::move(script));
    struct Forget {
        ui::HeadlessUi& ui;
        ~Forget() { ui.discardAnswers(); }
    } forget{ui};
    call();
}

void DialogFixture::drop(const sim::HitSiteRef& site, ui::UserScript script) {
    const Ref<Object> handler = makeRef<shape::DropHook>(module);
    Variant hook = Variant::object(host.makeDropHook(site));
    answering(std::move(script), [&] { handler->call("OnDragDrop", {ref(hook)}); });
}

void DialogFixture::doubleClick(const std::shared_ptr<sim::doc::Shape>& pin, ui::UserScript script, int32_t x,
                                int32_t y) {
    answering(std::move(script), [&] { host.doubleClick(pin, x, y); });
}

sim::HitSiteRef DialogFixture::edgeOfRadius(double radius) {
    return host.addCircularEdge(plate, {0, 0, 0}, {0, 0, 1}, radius);
}

void DialogFixture::setProductSetting(const std::string& name, std::string value) {
    host.registry().set(env::kProductKey, name, std::move(value));
}

void DialogFixture::setLanguage(std::string value) {
    host.registry().set(env::kFamilyKey, "Language", std::move(value));
}

std::string DialogFixture::readPrefs() const { return fileBytes(prefsFile()); }

void DialogFixture::writePrefs(const std::string& bytes) const {
    std::ofstream out(prefsFile(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

const nlohmann::json& DialogFixture::opened() const {
    if (watch.seen.empty()) throw std::logic_error("no form was shown");
    return watch.seen.back().opened;
}

const nlohmann::json& DialogFixture::closed() const {
    if (watch.seen.empty()) throw std::logic_error("no form was shown");
    return watch.seen.back().closed;
}

PinValues pinValues(const sim::doc::Shape& pin) {
    PinValues v;
    const auto circles = sim::profileCircles(pin);
    if (circles.size() != 1) throw std::logic_error("a pin's profile holds one circle");
    v.diameter = 2 * circles[0].r;
    v.length = sim::extrusionLength(pin);
    if (const auto* data = pin.components.first(host::types::PartData)) {
        if (const Variant* pitch = data->variable({1, 12})) v.pitch = toDouble(*pitch);
        if (const Variant* chamfer = data->variable({1, 13})) v.chamfer = toInt16(*chamfer);
    }
    return v;
}

void PrintTo(const PinValues& v, std::ostream* os) {
    *os << "{d " << v.diameter << ", l " << v.length << ", p " << v.pitch << ", chamfer " << v.chamfer << "}";
}

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace zelva::test
