// Rounds of work through the registered Zelvacorin.dll as pinhost.exe runs
// them, beyond the replayed scenarios: the dialogs shown on this thread and
// answered by the scripted user, the stand-in's objects reached through COM.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "ComTestSupport.h"
#include "standin/comhost/ComComponent.h"
#include "standin/sim/DocumentJson.h"
#include "standin/sim/FaultPlan.h"

namespace fs = std::filesystem;

using namespace zelva;
using K = ui::UserAction::Kind;

namespace {

// What the user saw, as event names: "form Dialog", "closed Dialog ok", "message".
struct SeenList : pinhost::UserEvents {
    std::vector<std::string> events;
    std::vector<pinhost::ShownForm> forms;
    void formShown(const pinhost::ShownForm& form) override {
        events.push_back("form " + form.name);
        forms.push_back(form);
    }
    void formClosed(const std::string& form, bool byOk) override {
        events.push_back("closed " + form + (byOk ? " ok" : " cancel"));
    }
    void messageShown(const ui::Message&) override { events.push_back("message"); }
};

ui::UserScript pinAnswers(const std::string& length, int chamfer) {
    return {{K::Tab, 0, {}}, {K::Standard, 0, {}}, {K::Length, 0, length}, {K::Pitch, 0, "1.5"},
            {K::Chamfer, chamfer, {}}, {K::Ok, 0, {}}};
}

class RoundOfWork : public ::testing::Test {
protected:
    RoundOfWork() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        dir_ = fs::path(temp) / ("pinhost-round-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy(ZELVA_WINE_STAGED_INSTALL, dir_ / "install", fs::copy_options::recursive);
        component = std::make_unique<comhost::ComComponent>(dir_ / "install");
        plate = host().addPart("plate");
    }
    ~RoundOfWork() override {
        component.reset();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    sim::SimHost& host() { return component->host(); }

    sim::HitSiteRef edge(double radius) {
        return host().addCircularEdge(plate, {0, 0, 0}, {0, 0, 1}, radius);
    }
    void drop(const sim::HitSiteRef& site, const ui::UserScript& answers) {
        component->drop(host().makeDropHook(site), answers, seen);
    }
    std::vector<std::shared_ptr<sim::doc::Shape>> pins() const { return plate->shapes(); }
    std::string document() { return sim::documentJson(host().document()).dump(); }

    fs::path dir_;
    std::unique_ptr<comhost::ComComponent> component;
    std::shared_ptr<sim::doc::Part> plate;
    SeenList seen;
};

}  // namespace

TEST_F(RoundOfWork, TwoPinsInOneDocument) {
    drop(edge(5), pinAnswers("30", 1));
    drop(edge(4), pinAnswers("20", 0));
    ASSERT_EQ(pins().size(), 2u);
    EXPECT_EQ(seen.events, (std::vector<std::string>{"form Dialog", "closed Dialog ok", "form Dialog",
                                                     "closed Dialog ok"}));
    EXPECT_EQ(seen.forms[1].controls["Lunghezza"]["text"], "30") << "the second dialog opens on the first's values";
}

TEST_F(RoundOfWork, EditCancelledChangesNothing) {
    drop(edge(5), pinAnswers("30", 1));
    const std::string before = document();
    component->doubleClick(pins()[0], {{K::Length, 0, "99"}, {K::Cancel, 0, {}}}, seen);
    EXPECT_EQ(document(), before);
    EXPECT_EQ(seen.events.back(), "closed Dialog cancel");
    EXPECT_EQ(seen.forms.back().controls["Lunghezza"]["text"], "30") << "the edit shows the pin's own values";
}

TEST_F(RoundOfWork, DrawingViewOfAShapeThatIsNotAPinLearnsNothing) {
    drop(edge(5), pinAnswers("30", 1));
    const std::string before = document();
    const pinhost::PinProjection answer = component->project(host().partObject(plate));
    EXPECT_FALSE(answer.result);
    EXPECT_EQ(answer.outer, 0);
    EXPECT_EQ(answer.length, 0);
    EXPECT_EQ(document(), before) << "nothing written";
}

TEST_F(RoundOfWork, DoubleClickOnAPinWhoseComponentIsUnregisteredIsTheHostsError) {
    drop(edge(5), pinAnswers("30", 1));
    ASSERT_EQ(wintest::regsvr32(L"/u /s"), 0u);
    struct RegisterAgain {
        ~RegisterAgain() { EXPECT_EQ(wintest::regsvr32(L"/s"), 0u); }
    } registerAgain;
    const size_t shown = seen.events.size();
    try {
        component->doubleClick(pins()[0], pinAnswers("40", 1), seen);
        ADD_FAILURE() << "the double-click reached a component that is not registered";
    } catch (const Error& e) {
        EXPECT_EQ(static_cast<uint32_t>(e.hresult()), static_cast<uint32_t>(REGDB_E_CLASSNOTREG));
    }
    EXPECT_EQ(seen.events.size(), shown) << "no form";
}

// Each call the drop makes to the stand-in fails in turn: the failure reaches
// the host with its description, or the user is told; nothing is left alive.
// The component keeps the last drop's page and part until the next drop, so
// a clean drop after each failing one brings the count back to its level.
TEST_F(RoundOfWork, EveryHostCallOfADropFailingInTurnEndsCleanly) {
    const auto cleanDrop = [&] { drop(edge(5), {{K::Ok, 0, {}}}); };
    cleanDrop();
    host().clearJournal();
    cleanDrop();
    std::vector<std::string> calls;
    for (const sim::JournalEntry& e : host().journal()) calls.push_back(e.object + "." + e.member);
    const auto callOf = [&](const std::string& member) {
        for (size_t i = 0; i < host().journal().size(); ++i)
            if (host().journal()[i].member == member) return i + 1;
        ADD_FAILURE() << "no call of " << member;
        return size_t{0};
    };
    const size_t textureFrom = callOf("SurfaceFinish"), textureTo = callOf("Flip");
    const int64_t level = host().liveObjects();
    ASSERT_GT(calls.size(), 10u);
    for (size_t k = 1; k <= calls.size(); ++k) {
        host().clearFaults();
        host().failCall(k);
        const size_t messagesBefore = std::count(seen.events.begin(), seen.events.end(), "message");
        bool returnedFailure = false;
        try {
            cleanDrop();
        } catch (const Error& e) {
            returnedFailure = true;
            EXPECT_EQ(e.description(), sim::injectedFailure().description()) << calls[k - 1];
            EXPECT_EQ(e.hresult(), sim::injectedFailure().hresult()) << calls[k - 1];
        }
        const bool told = static_cast<size_t>(std::count(seen.events.begin(), seen.events.end(), "message")) >
                          messagesBefore;
        EXPECT_TRUE(returnedFailure || told || (k >= textureFrom && k <= textureTo)) << "failed unseen: " << calls[k - 1];
        host().clearFaults();
        cleanDrop();
        EXPECT_EQ(host().liveObjects(), level) << "left alive after failing " << calls[k - 1];
    }
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    const auto canUnload =
        reinterpret_cast<CanUnload>(GetProcAddress(GetModuleHandleW(L"Zelvacorin.dll"), "DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_OK) << "the host holds nothing of the component any more";
}
