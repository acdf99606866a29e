#include "core/forms/FormEvents.h"

#include <memory>

#include "core/automation/NumberRules.h"
#include "core/texts/MessageTexts.h"
#include "core/forms/BuildShapeFromDialog.h"
#include "core/forms/DialogProcedures.h"

namespace zelva::forms {

namespace {

void connectDialog(env::Module& m, ui::Dialog& d, SizeMatch& match) {
    d.onLoad = [&m, &match] { InitDialog(m, match); };
    d.TabNorme.onClick = [&m, &d, &match](int16_t) { SelectStandard(m, d.TabNorme.tab(), match); };
    d.Normativa.onClick = [&m, &d] {
        FillLengthsAndPitches(m, roundToInt16(d.Normativa.itemData(d.Normativa.listIndex())));
    };
    d.ToggleMan.onClick = [&d, &match] {
        d.TxtDiam.visible = d.ToggleMan.value() != 0;
        if (d.ToggleMan.value() != 0) match.target.reset();  // the user has taken the size over
    };
    d.OKButton.onClick = [&m] { BuildShapeFromDialog(m); };
    d.CancelButton.onClick = [&d] { d.unload(); };
}

void connectDlgInfo(env::Module& m, ui::DlgInfo& f) {
    f.onLoad = [&m, &f] {
        f.caption = texts::MessageText(m.LanguageBase + texts::id::Title);
        f.LblWarning.caption = texts::MessageText(m.LanguageBase + texts::id::EdgeNotice);
        f.OKButton.caption = texts::MessageText(m.LanguageBase + texts::id::Ok);
    };
    f.OKButton.onClick = [&f] { f.unload(); };
}

}  // namespace

void ConnectFormEvents(env::Module& m) {
    // One matching for every instance of the dialog: its list's sizes are kept
    // from one opening to the next.
    m.wireDialog = [&m, match = std::make_shared<SizeMatch>()](ui::Dialog& d) { connectDialog(m, d, *match); };
    m.wireDlgInfo = [&m](ui::DlgInfo& f) { connectDlgInfo(m, f); };
}

}  // namespace zelva::forms
