#pragma once
// What a user sees on a form, and the transcript's JSON of it: captions,
// lists, texts, states. Filled from the form models by the headless run and
// from the real windows by pinhost.exe; written by one function for both.

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "pinhost/UserEvents.h"

namespace zelva::app {

struct ListSnapshot {
    std::vector<std::string> items;
    std::vector<int32_t> itemData;  // drop-down lists only
    int index = -1;
    bool enabled = true;
    std::string text;               // editable lists only
};

struct DialogSnapshot {
    std::string caption;
    float top = 0, left = 0;  // twips
    std::vector<std::string> tabs;
    int tab = 0;
    ListSnapshot standards, lengths, pitches;
    std::string description, diameter, standardLabel, diameterLabel, lengthLabel, pitchLabel;
    int chamfer = 0, manual = 0;  // check box values
    std::string manualDiameter;
    bool manualDiameterVisible = false;
    std::string okCaption, cancelCaption;
    bool okEnabled = true;
};

struct NoticeSnapshot {
    std::string caption, warning, okCaption;
};

// The form names the transcript uses.
inline constexpr char kDialogForm[] = "Dialog";
inline constexpr char kNoticeForm[] = "DlgInfo";

ShownForm shownForm(const DialogSnapshot& dialog);
ShownForm shownForm(const NoticeSnapshot& notice);

}  // namespace zelva::app
