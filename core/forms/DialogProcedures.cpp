#include "core/forms/DialogProcedures.h"

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"
#include "core/env/DialogPrecision.h"
#include "core/texts/MessageTexts.h"
#include "core/env/Preferences.h"
#include "core/env/Settings.h"
#include "core/forms/SizeMatching.h"
#include "core/forms/StandardsIndex.h"
#include "core/host/HostCalls.h"
#include "core/standards/ThreadTableFiles.h"

namespace zelva::forms {

namespace {

void setCaptions(env::Module& m, ui::Dialog& d) {
    const auto text = [&](int offset) { return texts::MessageText(m.LanguageBase + offset); };
    d.caption = text(texts::id::Title);
    d.LblNormativa.caption = text(texts::id::StandardLabel);
    d.LblDiam.caption = text(texts::id::DiameterLabel);
    d.OKButton.caption = text(texts::id::Ok);
    d.CancelButton.caption = text(texts::id::Cancel);
    d.LblLung.caption = text(texts::id::LengthLabel);
    d.LblPasso.caption = text(texts::id::PitchLabel);
    d.ToggleSmusso.toolTip = text(texts::id::ChamferToolTip);
    if (auto manual = texts::FindMessageText(m.LanguageBase + texts::id::ManualSwitch))
        d.ToggleMan.caption = *std::move(manual);
}

// After an edited pin's values were loaded, with size matching on: its
// standard selected, while the pin's own length and pitch texts stay as
// loaded. The list is read again with its sizes: an edit is rare beside a
// drop, whose opening reads the index once.
void matchEditedPin(env::Module& m, SizeMatch& match) {
    ui::Dialog& d = m.dialog();
    const env::RememberedSize pinSize{d.Lunghezza.text(), d.Passo.text()};  // as the pin's part data put them
    match.target = SizeTarget{m.CurrentDiameter, leadingNumber(*pinSize.pitch), false};
    FillThreadList(m, match);
    ShowRememberedSize(m, match, pinSize);
}

}  // namespace

void InitDialog(env::Module& m, SizeMatch& match) {
    ui::Dialog& d = m.dialog();
    FillStandardTabs(m);
    // The paths are set twice (LoadStandardFiles runs InitPaths again): the
    // host's registry answers every read, in this order, each time.
    env::InitPaths(m);
    env::LoadStandardFiles(m, 0);
    m.LanguageBase = env::GetLanguageBase(m);
    setCaptions(m, d);
    const bool matching = MatchSizeOn(m);
    match.target.reset();
    if (matching && m.EditMode == kFalse && m.CurrentDiameter > 0) {
        match.target = SizeTarget{m.CurrentDiameter, std::nullopt, false};
    }
    RefreshThreadList(m, match);
    if (m.EditMode != kFalse) {
        Variant part = Variant::object(m.EditPart);
        host::deref(m.EditShape).call("GetPartData", {ref(part)});
        if (matching) matchEditedPin(m, match);
    } else {
        ShowRememberedSize(m, match, env::ReadPrefs(m));
    }
    if (m.CurrentDiameter > 0) {
        d.lblTxtDiam.caption = trimSpaces(numberToText(roundHalfEven(m.CurrentDiameter, env::DialogPrecision(m))));
    }
}

void FillStandardTabs(env::Module& m) {
    ui::TabStrip& tabs = m.dialog().TabNorme;
    // The tab counter is a 16-bit integer stepped by the runtime's addition:
    // a 32768th tab is an overflow (6), not a wrap to a negative tab.
    for (int16_t n = 0;; n = roundToInt16(n + 1.0)) {
        const std::string name = env::GetNormeSetting(m, trimSpaces(numberToText(n)));
        if (name.empty()) break;
        if (n > 0) {
            tabs.setTabsPerRow(n + 1);
            tabs.setTabs(n + 1);
            tabs.height = 300;
        }
        // Named without being selected: selecting a tab loads its group, and a
        // group the user has not chosen must neither fill the lists nor report
        // its missing files.
        tabs.setTabCaption(n, name);
    }
    tabs.setTab(0);
    m.CurrentNorma = 0;  // the group shown first, whatever the last dialog left
}

void SelectStandard(env::Module& m, int16_t tab, SizeMatch& match) {
    m.CurrentNorma = tab;
    env::InitPaths(m);  // set twice, as on load: the registry is read again each time
    env::LoadStandardFiles(m, 0);
    RefreshThreadList(m, match);
    // The list stays usable after a tab change, whatever the reading left.
    m.dialog().Normativa.visible = true;
}

// Only forwards: the form's events and its load call the thread list by this name.
void RefreshThreadList(env::Module& m, SizeMatch& match) { FillThreadList(m, match); }

void FillThreadList(env::Module& m, SizeMatch& match) {
    ui::ComboBox& list = m.dialog().Normativa;
    const int16_t result = standards::QNorma(m, indexFilePath(m), kStandardsSection, list,
                                             match.target ? &match.nominals : nullptr);
    EnableThreadSelection(m, result > 0 ? kFalse : kTrue);
    if (list.listCount() > 0 && list.listIndex() == -1) {
        if (match.target) {
            SelectMatchedStandard(m, match);
        } else {
            list.setListIndex(0);
        }
    }
}

void FillLengthsAndPitches(env::Module& m, int16_t lineNo) {
    ui::Dialog& d = m.dialog();
    standards::QData(m, indexFilePath(m), m.DataFilePath, lineNo, d.Lunghezza, d.Passo, d.LblDescr);
}

void EnableThreadSelection(env::Module& m, int16_t flag) {
    ui::Dialog& d = m.dialog();
    d.Normativa.enabled = flag != kFalse;
    d.OKButton.enabled = flag != kFalse;
}

}  // namespace zelva::forms
