#pragma once
// What a user sees on a form, and the transcript's JSON of it: captions,
// lists, texts, states. Filled from the form models by the headless run and
// from the real windows by pinhost.exe; written by one function for both.

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "standin/pinhost/UserEvents.h"

namespace zelva::pinhost {

// How a control of the thread dialog shows in the transcript.
enum class Shows {
    Label,          // its caption
    CheckBox,       // its value: 0, 1 or 2
    DropDownList,   // its items with their item data, the index, whether enabled
    EditableList,   // its items and its text
    TextBox,        // its text and whether shown
    DefaultButton,  // its caption and whether enabled
    Button,         // its caption
};

struct DialogControl {
    const char* name;  // the form model's name for it, the transcript's too
    Shows shows;
};

// The thread dialog's controls the transcript shows, in its order, besides
// the caption, place and tabs. Both mirrors read every one of them by name:
// the form model among its controls (corehost/ModelSnapshot.cpp), the window
// through the dialog's table of control windows (comhost/WindowSnapshot.cpp);
// a control either cannot find fails the dialog's snapshot, naming it.
inline constexpr DialogControl kDialogControls[] = {
    {"Normativa", Shows::DropDownList},
    {"Lunghezza", Shows::EditableList},
    {"Passo", Shows::EditableList},
    {"LblDescr", Shows::Label},
    {"lblTxtDiam", Shows::Label},
    {"LblNormativa", Shows::Label},
    {"LblDiam", Shows::Label},
    {"LblLung", Shows::Label},
    {"LblPasso", Shows::Label},
    {"ToggleSmusso", Shows::CheckBox},
    {"ToggleMan", Shows::CheckBox},
    {"TxtDiam", Shows::TextBox},
    {"OKButton", Shows::DefaultButton},
    {"CancelButton", Shows::Button},
};

// What the user sees of one control; only what its kind shows is written.
struct ControlSnapshot {
    std::vector<std::string> items;
    std::vector<int32_t> itemData;  // drop-down lists only
    int index = -1;
    std::string text;               // a caption or a text
    int value = 0;                  // a check box's
    bool enabled = true;
    bool visible = true;
};

struct DialogSnapshot {
    std::string caption;
    float top = 0, left = 0;  // twips
    std::vector<std::string> tabs;
    int tab = 0;
    std::vector<ControlSnapshot> controls;  // one per entry of kDialogControls, in its order
};

// The dialog's snapshot with each control of kDialogControls read by `read`.
template <class Read>
DialogSnapshot withControls(DialogSnapshot dialog, Read read) {
    for (const DialogControl& control : kDialogControls) dialog.controls.push_back(read(control));
    return dialog;
}

struct NoticeSnapshot {
    std::string caption, warning, okCaption;
};

// The form names the transcript uses.
inline constexpr char kDialogForm[] = "Dialog";
inline constexpr char kNoticeForm[] = "DlgInfo";

ShownForm shownForm(const DialogSnapshot& dialog);
ShownForm shownForm(const NoticeSnapshot& notice);

}  // namespace zelva::pinhost
