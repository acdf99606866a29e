#pragma once
// One model control and the window that shows it: the model's state shown in
// the window, and the user's actions on the window applied to the model (where
// they raise the model's events).

#include <windows.h>

#include <string>

#include "core/ui/Controls.h"

namespace zelva::server::win32 {

std::string windowText(HWND window);
// Sets the text only when it differs, so the caret stays where the user left it.
void showText(HWND window, const std::string& text);

struct LabelFonts {
    HFONT normal;
    HFONT bold;
};

void showState(HWND window, const ui::Control& model);  // enabled and visible
void showLabel(HWND window, const ui::Label& model, const LabelFonts& fonts);
void showTextBox(HWND window, const ui::TextBox& model);
void showButton(HWND window, const ui::CommandButton& model);
void showCheckBox(HWND window, const ui::CheckBox& model);
void showComboBox(HWND window, const ui::ComboBox& model);
// Captions, count and current tab; each tab takes an equal share of the strip's
// width so that a row holds the model's tabs per row.
void showTabStrip(HWND window, const ui::TabStrip& model);

// A click on a button the model allows (a disabled or hidden model button is
// not there for the user).
void pressButton(ui::CommandButton& model);
// The user's click on a check box: a ticked box is cleared, any other ticked.
void clickCheckBox(ui::CheckBox& model);
// The user picked the list's current item.
void pickListItem(HWND window, ui::ComboBox& model);
// The user picked the strip's current tab.
void pickTab(HWND window, ui::TabStrip& model);

}  // namespace zelva::server::win32
