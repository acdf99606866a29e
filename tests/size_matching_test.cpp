// The sizes the tables state and what the component does with them when a site
// turns it on: the dialog opening on the standard of the edge's or the pin's
// size, and the callout a drawing view gets for a pin.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>

#include "admin/checker/DiameterChecks.h"
#include "core/env/Settings.h"
#include "core/standards/NominalSizes.h"
#include "core/standards/QuoteSearch.h"
#include "support/DialogFixture.h"

using namespace zelva;
using namespace zelva::test;
using nlohmann::json;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Optional;

namespace {

// ------------------------------------------------------------ the tables' field

TEST(NominalDiameter, IsTheFourthQuotedFieldAndOnlyAPositivePlainNumber) {
    EXPECT_THAT(standards::nominalDiameter(R"("M10.tab" "M10" "coarse" "10")"), Optional(10.0));
    EXPECT_THAT(standards::nominalDiameter(R"("G_1_2.tab" "G 1/2" "pipe" "20.955" trailing)"), Optional(20.955));
    EXPECT_EQ(standards::nominalDiameter(R"("M10.tab" "M10" "coarse")"), std::nullopt);  // today's tables
    EXPECT_EQ(standards::nominalDiameter(R"("M10.tab" "M10" "coarse" "10)"), std::nullopt);
    for (const char* bad : {"0", "-10", "ten", "10 mm", "", "1e1", "10,5"}) {
        const std::string line = std::string(R"("a.tab" "a" "b" ")") + bad + "\"";
        EXPECT_EQ(standards::nominalDiameter(line), std::nullopt) << bad;
        EXPECT_THAT(standards::nominalDiameterField(line), Optional(std::string(bad)));
    }
}

TEST(NominalDiameter, ReadsEveryPlainDecimalToTheBitAsTheLibraryDoes) {
    for (const char* text : {"10", "20.955", "12.7", "0.1", "1.1", "33.249", "0.3", "10.", ".5", "007.50",
                             "123456789012.345", "1234567890123456.5", "0.000000000000000001", "9.99999999999999999"}) {
        double expected = 0;
        std::from_chars(text, text + std::strlen(text), expected);
        const std::string line = std::string(R"("a.tab" "a" "b" ")") + text + "\"";
        EXPECT_THAT(standards::nominalDiameter(line), Optional(expected)) << text;
    }
    EXPECT_EQ(standards::nominalDiameter(R"("a.tab" "a" "b" "1.2.3")"), std::nullopt);
    EXPECT_EQ(standards::nominalDiameter(R"("a.tab" "a" "b" ".")"), std::nullopt);
}

TEST(NominalDiameter, SearchedOnFromTheNameAsFromTheLinesStart) {
    for (const char* line : {R"("M10.tab" "M10" "coarse" "10")", R"("M10.tab" "M10" "coarse")", R"(x"a" "b")",
                             R"("a" "b" "c" "d" "5" "6")", R"(lead "a" "b" "" "7.5" "")", R"("a""b""c""8")"}) {
        const std::string_view name = standards::quotedFieldView(line, 2);
        EXPECT_EQ(standards::nominalDiameterAfterName(line, name), standards::nominalDiameter(line)) << line;
    }
}

TEST(NominalDiameter, NearestWithinToleranceFirstOnATieAndNeverWithoutADiameter) {
    const std::vector<std::optional<double>> metric = {9, std::nullopt, 10, 10, 12, 14, 20, 21};
    EXPECT_THAT(standards::nearestSize(metric, 10), Optional(2u));
    EXPECT_THAT(standards::nearestSize(metric, 9.8), Optional(2u));
    EXPECT_THAT(standards::nearestSize(metric, 10.2), Optional(2u));
    EXPECT_THAT(standards::nearestSize(metric, 9.5), Optional(2u));  // 0.5 is beyond M9's 0.45
    EXPECT_THAT(standards::nearestSize(metric, 20.5), Optional(6u));  // as near 20 as 21: the first
    EXPECT_THAT(standards::nearestSize(metric, 12.6), Optional(4u));  // 5 % of 12 is 0.6
    EXPECT_EQ(standards::nearestSize(metric, 12.7), std::nullopt);
    EXPECT_EQ(standards::nearestSize(metric, 11.39), std::nullopt);
    EXPECT_THAT(standards::nearestSize({1.0}, 1.2), Optional(0u));  // at least 0.2 mm
    EXPECT_EQ(standards::nearestSize({1.0}, 0.79), std::nullopt);
    EXPECT_EQ(standards::nearestSize({std::nullopt, std::nullopt}, 10), std::nullopt);
}

TEST(NominalDiameter, APinsStandardHasItsOwnPitchFirstThenListsIt) {
    const std::vector<std::optional<double>> sizes = {10, 10, 10, 12};
    const std::vector<std::vector<double>> pitches = {{1.5, 1.25, 1, 0.75}, {1.25, 1.5, 1}, {1, 1.5, 1.25}, {1.75}};
    const auto of = [&](size_t i) { return pitches.at(i); };
    EXPECT_THAT(standards::standardOfPin(sizes, 10, 1.5, of), Optional(0u));
    EXPECT_THAT(standards::standardOfPin(sizes, 10, 1.25, of), Optional(1u));
    EXPECT_THAT(standards::standardOfPin(sizes, 10, 0.75, of), Optional(0u));  // only listed by M10
    EXPECT_EQ(standards::standardOfPin(sizes, 10, 0.5, of), std::nullopt);
    EXPECT_EQ(standards::standardOfPin(sizes, 10.3, 1.5, of), std::nullopt);
}

// The checker compares a stated diameter with the size the standard's name states.
TEST(NominalDiameter, TheSizeANameStates) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"M10", 10},          {"M10×1.25", 10}, {"M1.6", 1.6}, {"Tr 16×4", 16}, {"1/2-13 UNC", 12.7},
        {"#10-24 UNC", 4.826}, {"1-1/2-6 UNC", 38.1}, {"1-12 UNF", 25.4}, {"G 1/2", std::nullopt},
        {"Special", std::nullopt}};
    for (const auto& [name, size] : cases) {
        const auto found = checker::sizeOfName(name);
        ASSERT_EQ(found.has_value(), size.has_value()) << name;
        if (size) {
            EXPECT_NEAR(*found, *size, 1e-9) << name;
        }
    }
}

// ------------------------------------------------------------ the dialog

using DialogTest = DialogFixture;

class SizeMatchTest : public DialogFixture {
protected:
    SizeMatchTest() { setProductSetting("MatchSize", "1"); }

    static std::string selectedIn(const json& form) {
        const json& list = form["Normativa"];
        return list["items"].at(list["index"].get<size_t>());
    }
    std::string selected() const { return selectedIn(opened()); }
};

TEST_F(SizeMatchTest, ANewPinOpensOnTheEdgesSizeWithItsOwnPitchAndAListedLength) {
    writePrefs(crlfLines({" 1500 ", " 3000 ", " 0 ", "27", "0.8", " 0 "}));
    drop(edgeOfRadius(5));
    EXPECT_EQ(selected(), "M10");
    EXPECT_EQ(opened()["Passo"]["text"], "1.5");
    EXPECT_EQ(opened()["Lunghezza"]["text"], "25");  // 27 is not listed: the nearest
    EXPECT_EQ(opened()["LblDescr"], "edge Ø10.00 → M10 (±0.00)");

    writePrefs(crlfLines({" 1500 ", " 3000 ", " 0 ", "30", "0.8", " 0 "}));
    drop(edgeOfRadius(4.9));
    EXPECT_EQ(selected(), "M10");
    EXPECT_EQ(opened()["Lunghezza"]["text"], "30");
    EXPECT_EQ(opened()["LblDescr"], "edge Ø9.80 → M10 (−0.20)");
    drop(edgeOfRadius(5.1));
    EXPECT_EQ(opened()["LblDescr"], "edge Ø10.20 → M10 (+0.20)");
    EXPECT_THAT(ui.messages(), IsEmpty());
}

TEST_F(SizeMatchTest, AnEdgeOfNoSizeOfTheGroupOpensAsWithoutMatchingAndSaysSo) {
    drop(edgeOfRadius(6.35), {act::tab(1)});
    EXPECT_EQ(opened()["Normativa"]["index"], 0);
    EXPECT_EQ(opened()["LblDescr"], "no size of this group fits the edge");
    EXPECT_EQ(selectedIn(closed()), "1/2-13 UNC");  // the inch tab knows it
    EXPECT_EQ(closed()["LblDescr"], "edge Ø12.70 → 1/2-13 UNC (±0.00)");
}

TEST_F(SizeMatchTest, TheDescriptionSpeaksTheDialogsLanguage) {
    setLanguage("Italian");
    drop(edgeOfRadius(4.9));
    EXPECT_EQ(opened()["LblDescr"], "spigolo Ø9.80 → M10 (−0.20)");
    setLanguage("German");
    drop(edgeOfRadius(6.35));
    EXPECT_EQ(opened()["LblDescr"], "keine Größe dieser Gruppe passt zur Kante");
}

TEST_F(SizeMatchTest, AnEditOpensOnThePinsOwnStandardAndKeepsItsValues) {
    drop(edgeOfRadius(5), {act::standard(40), act::length("35"), act::pitch("1.25"), act::ok()});
    drop(edgeOfRadius(5), {act::length("40"), act::ok()});
    doubleClick(plateShapes().at(0));
    EXPECT_EQ(selected(), "M10×1.25");
    EXPECT_EQ(opened()["Passo"]["text"], "1.25");
    EXPECT_EQ(opened()["Lunghezza"]["text"], "35");
    EXPECT_EQ(opened()["LblDescr"], "pin Ø10.00 → M10×1.25 (±0.00)");
    doubleClick(plateShapes().at(1));
    EXPECT_EQ(selected(), "M10");
    EXPECT_EQ(opened()["Passo"]["text"], "1.5");
}

TEST_F(SizeMatchTest, TheManualDiameterHandsTheChoiceBackToTheUser) {
    drop(edgeOfRadius(5), {act::manual(1), act::tab(1), act::tab(0), act::ok()});
    EXPECT_EQ(selectedIn(closed()), "M1");
    EXPECT_EQ(closed()["LblDescr"], "M1; P 0.25; ISO 261; 6g");
}

TEST_F(SizeMatchTest, OffItOpensOnTheFirstStandardAsAlways) {
    setProductSetting("MatchSize", "");
    drop(edgeOfRadius(5));
    EXPECT_EQ(opened()["Normativa"]["index"], 0);
    setProductSetting("MatchSize", "yes");
    drop(edgeOfRadius(5));
    EXPECT_EQ(opened()["Normativa"]["index"], 0);
}

TEST_F(SizeMatchTest, AGroupWithoutDiametersNeverMatches) {
    const auto index = applDir() / "Norme" / "ISO" / "Norme.ini";
    std::ofstream(index, std::ios::binary) << "[1]\r\n\"M10.tab\" \"M10\" \"no size stated\"\r\n[END]\r\n";
    drop(edgeOfRadius(5));
    EXPECT_EQ(opened()["Normativa"]["index"], 0);
    EXPECT_EQ(opened()["LblDescr"], "no size of this group fits the edge");
}

// The sizes are kept between openings with the lines they were read from: an
// index changed in between is matched by what it says now.
TEST_F(SizeMatchTest, AnIndexChangedBetweenOpeningsIsMatchedAsItReadsNow) {
    const auto index = applDir() / "Norme" / "ISO" / "Norme.ini";
    std::ofstream(index, std::ios::binary) << "[1]\r\n\"M8.tab\" \"A\" \"a\" \"8\"\r\n\"M10.tab\" \"B\" \"b\" \"10\"\r\n"
                                              "\"M12.tab\" \"C\" \"c\" \"12\"\r\n[END]\r\n";
    drop(edgeOfRadius(5));
    EXPECT_EQ(selected(), "B");
    std::ofstream(index, std::ios::binary) << "[1]\r\n\"M8.tab\" \"A\" \"a\" \"8\"\r\n\"M10.tab\" \"B\" \"b\" \"11\"\r\n"
                                              "\"M12.tab\" \"C\" \"c\" \"10\"\r\n[END]\r\n";
    drop(edgeOfRadius(5));
    EXPECT_EQ(selected(), "C");
    std::ofstream(index, std::ios::binary) << "[1]\r\n\"M8.tab\" \"A\" \"a\" \"10\"\r\n[END]\r\n";
    drop(edgeOfRadius(5));
    EXPECT_EQ(selected(), "A");
    EXPECT_EQ(opened()["Normativa"]["items"].size(), 1u);
}

// Without matching, the shipped tables with their diameters show exactly what
// the same tables without them show.
TEST_F(DialogTest, TablesWithDiametersReadAsTablesWithout) {
    drop(edgeOfRadius(5), {act::standard(40)});
    const json withDiameters = closed();
    const auto index = applDir() / "Norme" / "ISO" / "Norme.ini";
    const std::string bytes = fileBytes(index);
    std::ofstream(index, std::ios::binary) << std::regex_replace(bytes, std::regex(R"( "[0-9.]+"\r)"), "\r");
    ASSERT_NE(fileBytes(index), bytes);
    drop(edgeOfRadius(5), {act::standard(40)});
    EXPECT_EQ(closed(), withDiameters);
}

// ------------------------------------------------------------ the drawing's callout

class CalloutTest : public DialogFixture {
protected:
    std::string calloutOf(const std::shared_ptr<sim::doc::Shape>& pin, const Ref<shape::PShape>& view) {
        Ref<Object> shape = shapeObject(pin);
        view->Initialize(shape);
        return view->Callout();
    }
    std::string calloutOf(const std::shared_ptr<sim::doc::Shape>& pin) { return calloutOf(pin, newPShape()); }
};

TEST_F(CalloutTest, WithoutATemplateTheCalloutStaysEmpty) {
    EXPECT_EQ(calloutOf(buildPin(10, 30, 1.25, 0)), "");
    setProductSetting("CalloutFormat", " ");
    module.Callouts.reset();
    EXPECT_EQ(calloutOf(buildPin(10, 30, 1.25, 0)), "");
}

TEST_F(CalloutTest, WithEverySettingAbsentADrawingAnswerReadsEachSettingAtMostOnce) {
    const auto pin = buildPin(10, 30, 1.25, 0);
    host.clearJournal();
    EXPECT_EQ(calloutOf(pin), "");
    EXPECT_EQ(calloutOf(pin), "");
    static const std::regex valueName(R"re(readString\(ref I4 \d+, ref Str "[^"]*", ref Str "([^"]*)")re");
    std::map<std::string, int> reads;
    for (const std::string& call : callsOf({"readString"})) {
        std::smatch name;
        ASSERT_TRUE(std::regex_search(call, name, valueName)) << call;
        ++reads[name[1]];
    }
    for (const auto& [name, count] : reads) EXPECT_EQ(count, 1) << name;
    EXPECT_EQ(reads.count("CalloutFormat"), 1u);
    EXPECT_EQ(reads.count("CalloutCustom"), 0u);
}

TEST_F(CalloutTest, TheTemplateNamesTheStandardAcrossAllGroups) {
    setProductSetting("CalloutFormat", "{name}");
    EXPECT_EQ(calloutOf(buildPin(10, 30, 1.25, 0)), "M10×1.25");
    EXPECT_EQ(calloutOf(buildPin(10, 30, 1.5, 0)), "M10");
    EXPECT_EQ(calloutOf(buildPin(12.7, 30, 1.9538, 0)), "1/2-13 UNC");
    EXPECT_EQ(calloutOf(buildPin(20.955, 30, 1.8143, 0)), "G 1/2");
    EXPECT_EQ(calloutOf(buildPin(16, 30, 4, 0)), "Tr 16×4");
}

TEST_F(CalloutTest, TokensAreWrittenShortestAndAPinOfNoStandardGetsTheCustomTemplate) {
    setProductSetting("CalloutFormat", "{name} {D}/{P}/{L} {TPI} {X}");
    EXPECT_EQ(calloutOf(buildPin(12.7, 30.5, 1.9538, 0)), "1/2-13 UNC 12.7/1.9538/30.5 13 {X}");
    EXPECT_EQ(calloutOf(buildPin(10, 30, 0.5, 0)), "M10×0.5");
    setProductSetting("CalloutCustom", "Ø{D} P{P}");
    module.Callouts.reset();
    EXPECT_EQ(calloutOf(buildPin(10.3, 30, 1.5, 0)), "Ø10.3 P1.5");
}

TEST_F(CalloutTest, AClientsCalloutStaysAndOneViewFollowsEachShape) {
    setProductSetting("CalloutFormat", "{name}");
    const auto view = newPShape();
    EXPECT_EQ(calloutOf(buildPin(10, 30, 1.25, 0), view), "M10×1.25");
    EXPECT_EQ(calloutOf(buildPin(12, 30, 1.75, 0), view), "M12");
    Ref<Object> plateObject = host.partObject(plate);
    view->Initialize(plateObject);
    EXPECT_EQ(view->Callout(), "");
    view->put("ThreadCallout", {val(Variant::str("as drawn"))});
    EXPECT_EQ(calloutOf(buildPin(10, 30, 1.5, 0), view), "as drawn");
    EXPECT_EQ(view->get("IC2DProjectedThreads_Callout"), Variant::str("as drawn"));
}

}  // namespace
