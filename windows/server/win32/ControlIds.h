#pragma once
// Identifiers of the controls of the component's dialogs, shared with the tests
// that drive them, and the one table that pairs each control of the thread
// dialog's model with its window. OK is the default button of each (IDOK).
// Free of system headers, so that native tests hold the table to the model.

#include <cstdint>
#include <string_view>

namespace zelva::server::win32::ids {

constexpr uint16_t kDefaultButton = 1;  // IDOK

enum ThreadDialog : uint16_t {
    StandardGroups = 100,
    Frame,
    StandardLabel,
    Standards,
    Description,
    DiameterLabel,
    Diameter,
    ManualSwitch,
    ManualDiameter,
    LengthLabel,
    Lengths,
    PitchLabel,
    Pitches,
    Chamfer,
    Cancel,
    Ok = kDefaultButton,
};

enum Notice : uint16_t {
    Picture = 100,
    Warning,
    Separator,
    NoticeOk = kDefaultButton,
};

// The window of a control of the thread dialog's model, by the model's name.
struct ControlWindow {
    std::string_view model;
    ThreadDialog id;
};

// Every control of the thread dialog's model, in the form's control order.
inline constexpr ControlWindow kThreadDialogControls[] = {
    {"TxtDiam", ManualDiameter},   {"ToggleMan", ManualSwitch}, {"ToggleSmusso", Chamfer},
    {"Normativa", Standards},      {"Lunghezza", Lengths},      {"Passo", Pitches},
    {"LblDescr", Description},     {"LblLung", LengthLabel},    {"LblNormativa", StandardLabel},
    {"LblDiam", DiameterLabel},    {"LblPasso", PitchLabel},    {"lblTxtDiam", Diameter},
    {"CancelButton", Cancel},      {"OKButton", Ok},            {"TabNorme", StandardGroups},
};

// The window of the model's control named `model`; 0 for none.
constexpr int windowOf(std::string_view model) {
    for (const ControlWindow& c : kThreadDialogControls)
        if (c.model == model) return c.id;
    return 0;
}

}  // namespace zelva::server::win32::ids
