#pragma once
// Identifiers of the controls of the component's dialogs, shared with the tests
// that drive them. OK is the default button of each.

#include <windows.h>

namespace zelva::server::win32::ids {

enum ThreadDialog : WORD {
    StandardGroups = 100,  // TabNorme
    Frame,
    StandardLabel,         // LblNormativa
    Standards,             // Normativa
    Description,           // LblDescr
    DiameterLabel,         // LblDiam
    Diameter,              // lblTxtDiam
    ManualSwitch,          // ToggleMan
    ManualDiameter,        // TxtDiam
    LengthLabel,           // LblLung
    Lengths,               // Lunghezza
    PitchLabel,            // LblPasso
    Pitches,               // Passo
    Chamfer,               // ToggleSmusso
    Cancel,                // CancelButton
    Ok = IDOK,             // OKButton
};

enum Notice : WORD {
    Picture = 100,  // Picture1
    Warning,        // LblWarning
    Separator,      // Line1
    NoticeOk = IDOK,
};

}  // namespace zelva::server::win32::ids
