#include "core/env/Preferences.h"

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"

namespace zelva::env {

namespace {

void showFailure(Module& m, const Error& e, const char* title) {
    m.ui.messageBox({"ERRORE " + numberToText(e.number()) + " " + e.description(), title, ui::Icon::Critical});
}

// Written as number: the number-to-text form followed by one blank.
std::string numberLine(double v) { return numberToText(v) + " "; }
std::string positionLine(float v) { return singleToText(v) + " "; }

void applyPrefs(Module& m, files::LineReader& in, RememberedSize& remembered) {
    ui::Dialog& dialog = m.dialog();
    dialog.top = toSingle(leadingNumber(in.readLine()));
    dialog.left = toSingle(leadingNumber(in.readLine()));
    const int16_t tab = roundToInt16(leadingNumber(in.readLine()));
    const int16_t previous = m.CurrentNorma;
    m.CurrentNorma = tab;
    try {
        dialog.TabNorme.setTab(tab);
    } catch (const Error&) {
        // A tab that does not exist must not stay the current standards group:
        // the paths and the next preferences would name a group nobody sees.
        m.CurrentNorma = previous;
        throw;
    }
    remembered.length = trimSpaces(in.readLine());
    remembered.pitch = trimSpaces(in.readLine());
    dialog.ToggleSmusso.setValue(roundToInt16(leadingNumber(in.readLine())));
}

}  // namespace

RememberedSize ReadPrefs(Module& m) {
    RememberedSize remembered;
    try {
        if (const auto in = m.files.openIfPresent(m.PrefsFilePath)) applyPrefs(m, *in, remembered);
    } catch (const Error& e) {
        showFailure(m, e, "Read Prefs");
    }
    return remembered;
}

void WritePrefs(Module& m) {
    try {
        ui::Dialog& dialog = m.dialog();
        const auto out = m.files.openForWriting(m.PrefsFilePath);
        out->writeLine(positionLine(dialog.top));
        out->writeLine(positionLine(dialog.left));
        out->writeLine(numberLine(m.CurrentNorma));
        out->writeLine(dialog.Lunghezza.text());
        out->writeLine(dialog.Passo.text());
        out->writeLine(numberLine(dialog.ToggleSmusso.value()));
        out->commit();
    } catch (const Error& e) {
        showFailure(m, e, "Write Prefs");
    }
}

}  // namespace zelva::env
