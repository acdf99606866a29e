#include "support/ComponentFixture.h"

#include <atomic>
#include <regex>
#include <unistd.h>

#include "core/automation/Error.h"
#include "core/shape/ComponentVariables.h"
#include "standin/sim/Journal.h"

namespace zelva::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    // A folder an earlier run left under the same process id (Wine reuses small
    // ids, and cannot remove a path past its length limit) is passed over.
    do {
        path_ = fs::temp_directory_path() /
                ("zelva-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    } while (fs::exists(path_));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

namespace {
fs::path stagedInstallCopy(const fs::path& where) {
    fs::copy(ZELVA_STAGED_INSTALL, where / "install", fs::copy_options::recursive);
    return where / "install";
}
}  // namespace

ComponentFixture::ComponentFixture()
    : applDir_(stagedInstallCopy(temp.path()) / "Tessalo"),
      session(std::make_unique<corehost::Session>(temp.path() / "install")),
      host(session->host),
      module(session->module),
      ui(session->ui),
      plate(host.addPart("plate")) {}

void ComponentFixture::dropStateAt(sim::Vec3 point, sim::Vec3 normal) {
    module.LanguageBase = 2000;
    module.CurrentPage = host.page();
    module.EditMode = kFalse;
    module.HitPoint = host.library().createVector();
    module.HitPoint->setXYZ(point.x, point.y, point.z);
    module.HitDirection = host.library().createVector();
    module.HitDirection->setXYZ(normal.x, normal.y, normal.z);
    module.HitDirection->normalize();
    module.CurrentDiameter = 10;
    module.TargetPart = host.partObject(plate);
}

std::shared_ptr<sim::doc::Shape> ComponentFixture::buildPin(double d, double l, double p, double chamfer) {
    if (!module.HitPoint) dropStateAt({0, 0, 0}, {0, 0, 1});
    const auto s = newPShape();
    s->setDiametro(d);
    s->setLunghezza(l);
    s->setPasso(p);
    s->setSmusso(chamfer);
    Ref<Object> parent = host.partObject(plate);
    s->Create(parent);
    return plate->shapes().back();
}

void ComponentFixture::buildPinAgain(const std::shared_ptr<sim::doc::Shape>& pin, double d, double l, double p,
                                     double chamfer) {
    const auto s = newPShape();
    s->setDiametro(d);
    s->setLunghezza(l);
    s->setPasso(p);
    s->setSmusso(chamfer);
    Ref<Object> shape = shapeObject(pin);
    shape::RemoveProfileComponents(*shape);
    s->createInPart(shape);
}

std::vector<std::string> ComponentFixture::journalLines() const {
    std::vector<std::string> lines;
    for (const auto& e : host.journal()) lines.push_back(sim::renderEntry(e));
    return lines;
}

std::string ComponentFixture::contractLine(const sim::JournalEntry& e) const {
    static const std::regex serial("#[0-9]+");
    std::string line = std::regex_replace(sim::renderEntry(e), serial, "");
    for (size_t at; (at = line.find(applDir_.string())) != std::string::npos;)
        line.replace(at, applDir_.string().size(), "<ApplDir>");
    return line;
}

std::vector<std::string> ComponentFixture::contract() const {
    std::vector<std::string> lines;
    for (const auto& e : host.journal()) lines.push_back(contractLine(e));
    return lines;
}

std::vector<std::string> ComponentFixture::callsOf(const std::vector<std::string>& members) const {
    std::vector<std::string> lines;
    for (const auto& e : host.journal()) {
        for (const auto& m : members) {
            if (e.member != m) continue;
            const std::string text = contractLine(e);
            lines.push_back(text.substr(text.find('.') + 1));
        }
    }
    return lines;
}

}  // namespace zelva::test
