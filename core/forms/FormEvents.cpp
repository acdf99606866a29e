#include "core/forms/FormEvents.h"

#include "core/automation/NumberRules.h"
#include "core/texts/MessageTexts.h"
#include "core/forms/BuildShapeFromDialog.h"
#include "core/forms/DialogProcedures.h"

namespace zelva::forms {

namespace {

void connectDialog(env::Module& m, ui::Dialog& d) {
    d.onLoad = [&m] { InitDialog(m); };
    d.TabNorme.onClick = [&m, &d](int16_t) { SelectStandard(m, d.TabNorme.tab()); };
    d.Normativa.onClick = [&m, &d] {
        FillLengthsAndPitches(m, roundToInt16(d.Normativa.itemData(d.Normativa.listIndex())));
    };
    d.ToggleMan.onClick = [&m, &d] {
        d.TxtDiam.visible = d.ToggleMan.value() != 0;
        if (d.ToggleMan.value() != 0) m.MatchTarget.reset();  // the user has taken the size over
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
    m.wireDialog = [&m](ui::Dialog& d) { connectDialog(m, d); };
    m.wireDlgInfo = [&m](ui::DlgInfo& f) { connectDlgInfo(m, f); };
}

}  // namespace zelva::forms
