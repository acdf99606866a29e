#include "core/ui/Dialog.h"

namespace zelva::ui {

Dialog::Dialog() {
    caption = "Dialog";
    top = 1500;
    left = 3000;
    TxtDiam.name = "TxtDiam";
    TxtDiam.visible = false;
    ToggleMan.name = "ToggleMan";
    ToggleMan.caption = "Man.";
    ToggleSmusso.name = "ToggleSmusso";
    ToggleSmusso.buttonStyle = true;
    Normativa.name = "Normativa";
    Lunghezza.name = "Lunghezza";
    Lunghezza.setText("Lunghezza");
    Passo.name = "Passo";
    Passo.setText("Passo");
    LblDescr.name = "LblDescr";
    LblLung.name = "LblLung";
    LblLung.caption = "Lunghezza";
    LblNormativa.name = "LblNormativa";
    LblNormativa.caption = "Standard Name";
    LblDiam.name = "LblDiam";
    LblDiam.caption = "Diametro";
    LblPasso.name = "LblPasso";
    LblPasso.caption = "Passo";
    lblTxtDiam.name = "lblTxtDiam";
    lblTxtDiam.caption = "Codice";
    lblTxtDiam.bold = true;
    CancelButton.name = "CancelButton";
    CancelButton.caption = "Annulla";
    OKButton.name = "OKButton";
    OKButton.caption = "OK";
    TabNorme.name = "TabNorme";
}

std::vector<TypedControl> Dialog::controls() const {
    return {&TxtDiam,  &ToggleMan, &ToggleSmusso, &Normativa, &Lunghezza,    &Passo,    &LblDescr, &LblLung,
            &LblNormativa, &LblDiam, &LblPasso,  &lblTxtDiam, &CancelButton, &OKButton, &TabNorme};
}

DlgInfo::DlgInfo() {
    caption = "DlgInfo";
    top = 2400;
    left = 3600;
    OKButton.name = "OKButton";
    OKButton.caption = "OK";
    LblWarning.name = "LblWarning";
    LblWarning.caption = "Selezionare il margine rispetto al quale si intende posizionare il filetto";
}

}  // namespace zelva::ui
