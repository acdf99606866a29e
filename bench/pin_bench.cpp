// How long the user waits: a pin built in the stand-in host, the standards list
// and one standard's tables read, a whole dialog opened. A user clicks through
// tabs and standards and should never see a delay: each stays under 10 ms of
// CPU even in the sanitizer build `./run` makes (about 1.5 ms measured there).

#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/Session.h"
#include "env/ComponentVariables.h"
#include "shape/DropHook.h"
#include "shape/PShape.h"
#include "standards/ThreadTableFiles.h"

using namespace zelva;

namespace {

struct Bench {
    app::Session session{ZELVA_STAGED_INSTALL};
    std::shared_ptr<sim::doc::Part> plate = session.host.addPart("plate");
    sim::HitSiteRef hole = session.host.addCircularEdge(plate, {0, 0, 0}, {0, 0, 1}, 5);

    Bench() {
        auto& m = session.module;
        m.LanguageBase = 2000;
        m.CurrentPage = session.host.page();
        m.HitPoint = session.host.library().createVector();
        m.HitDirection = session.host.library().createVector();
        double x = 0, y = 0, z = 1;
        m.HitDirection->setXYZ(x, y, z);
        m.TargetPart = session.host.partObject(plate);
    }
};

void PinBuild(benchmark::State& state) {
    Bench b;
    const auto pin = makeRef<shape::PShape>(b.session.module);
    pin->setDiametro(10);
    pin->setLunghezza(30);
    pin->setPasso(1.5);
    pin->Create(b.session.module.TargetPart);
    Ref<Object> shape = b.session.host.shapeObject(b.plate->shapes().back());
    for (auto _ : state) {
        env::RemoveProfileComponents(*shape);
        pin->createInPart(shape);
        b.session.host.clearJournal();
    }
}
BENCHMARK(PinBuild)->Unit(benchmark::kMicrosecond);

void StandardTables(benchmark::State& state) {
    Bench b;
    auto& m = b.session.module;
    const std::string dir = std::string(ZELVA_STAGED_INSTALL) + "/Tessalo\\Norme\\ISO\\";
    ui::ComboBox list(ui::ComboStyle::DropDownList), lengths, pitches;
    ui::Label description;
    for (auto _ : state) {
        standards::QNorma(m, dir + "Norme.ini", 1, list);
        standards::QData(m, dir + "Norme.ini", dir + "Data\\", static_cast<int16_t>(list.itemData(0)), lengths,
                         pitches, description);
    }
}
BENCHMARK(StandardTables)->Unit(benchmark::kMicrosecond);

void DialogOpening(benchmark::State& state) {
    Bench b;
    for (auto _ : state) {
        Variant hook = Variant::object(b.session.host.makeDropHook(b.hole));
        makeRef<shape::DropHook>(b.session.module)->call("OnDragDrop", {ref(hook)});
        b.session.host.clearJournal();
    }
}
BENCHMARK(DialogOpening)->Unit(benchmark::kMicrosecond);

}  // namespace
