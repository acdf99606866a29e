#include "core/forms/SizeMatching.h"

#include <cmath>

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"
#include "core/texts/MessageTexts.h"
#include "core/env/Settings.h"
#include "core/texts/TextTemplate.h"
#include "core/forms/StandardsIndex.h"
#include "core/standards/NominalSizes.h"
#include "core/standards/QuoteSearch.h"
#include "core/standards/ThreadTableFiles.h"

namespace zelva::forms {

namespace {

constexpr const char* kMatchSizeOn = "1";
constexpr int kDescriptionDecimals = 2;  // edge Ø9.80 → M10 (−0.20)

// The deviation of the edge or pin from the nominal size, signed as a designer
// writes it: +0.20, −0.20 (a minus sign, not a hyphen), ±0.00.
std::string deviationText(double deviation) {
    static const std::string kNone = texts::fixedNumber(0, kDescriptionDecimals);
    const std::string size = texts::fixedNumber(std::abs(deviation), kDescriptionDecimals);
    if (size == kNone) return "±" + size;
    return (deviation < 0 ? "−" : "+") + size;
}

// The pitches of list item `index`, read from its data file without a word to the user.
std::vector<double> pitchesOfItem(env::Module& m, size_t index) {
    const ui::ComboBox& list = m.dialog().Normativa;
    try {
        const std::string entry =
            standards::EntryLine(m.files, indexFilePath(m), roundToInt16(list.itemData(static_cast<int>(index))));
        return standards::listedPitches(m.files, m.DataFilePath + standards::quotedField(entry, 1));
    } catch (const Error&) {
        return {};
    }
}

// The listed length equal to `remembered`, else the nearest one (the first on a
// tie); none for a text without a number or an empty list.
std::optional<std::string> listedLength(const ui::ComboBox& lengths, const std::string& remembered) {
    for (int i = 0; i < lengths.listCount(); ++i)
        if (lengths.item(i) == remembered) return remembered;
    const double wanted = leadingNumber(remembered);
    if (!(wanted > 0) || lengths.listCount() == 0) return std::nullopt;
    int best = 0;
    double bestDistance = std::abs(leadingNumber(lengths.item(0)) - wanted);
    for (int i = 1; i < lengths.listCount(); ++i) {
        const double distance = std::abs(leadingNumber(lengths.item(i)) - wanted);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return lengths.item(best);
}

}  // namespace

bool MatchSizeOn(env::Module& m) { return trimSpaces(env::GetMatchSizeSetting(m)) == kMatchSizeOn; }

void SelectMatchedStandard(env::Module& m, SizeMatch& match) {
    ui::Dialog& d = m.dialog();
    SizeTarget& target = *match.target;
    std::optional<size_t> found;
    if (target.pitch) {
        found = standards::standardOfPin(match.nominals.sizes(), target.diameter, *target.pitch,
                                         [&m](size_t i) { return pitchesOfItem(m, i); });
    }
    if (!found) found = standards::nearestSize(match.nominals.sizes(), target.diameter);
    const std::string shown = d.Lunghezza.text();
    target.matched = found.has_value();
    d.Normativa.setListIndex(found ? static_cast<int>(*found) : 0);
    const auto text = [&](int offset) { return texts::MessageText(m.LanguageBase + offset); };
    if (!found) {
        d.LblDescr.caption = text(texts::id::NoSizeFits);
        return;
    }
    if (const auto length = listedLength(d.Lunghezza, shown)) d.Lunghezza.setText(*length);
    const double nominal = *match.nominals.sizes()[*found];
    d.LblDescr.caption = texts::fillTemplate(
        text(target.pitch ? texts::id::PinSizeMatch : texts::id::EdgeSizeMatch),
        {{"D", texts::fixedNumber(target.diameter, kDescriptionDecimals)},
         {"name", d.Normativa.item(static_cast<int>(*found))},
         {"dev", deviationText(target.diameter - nominal)}});
}

void ShowRememberedSize(env::Module& m, const SizeMatch& match, const env::RememberedSize& remembered) {
    ui::Dialog& d = m.dialog();
    const bool fitted = match.target && match.target->matched && !match.target->pitch;
    if (remembered.length)
        d.Lunghezza.setText(fitted ? listedLength(d.Lunghezza, *remembered.length).value_or(*remembered.length)
                                   : *remembered.length);
    if (fitted && d.Passo.listCount() > 0)
        d.Passo.setText(d.Passo.item(0));
    else if (remembered.pitch)
        d.Passo.setText(*remembered.pitch);
}

}  // namespace zelva::forms
