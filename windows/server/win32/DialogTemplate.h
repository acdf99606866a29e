#pragma once
// A dialog template built in memory (DLGTEMPLATE followed by its items), as
// DialogBoxIndirectParamW takes it: the layout of a form in dialog units.

#include <windows.h>

#include <vector>

namespace zelva::server::win32 {

// The predefined window classes a template names by number.
enum class ControlClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ComboBox = 0x0085 };

struct DialogRect {
    short x, y, width, height;
};

class DialogTemplate {
public:
    // A dialog in the given font (DS_SETFONT is added), with no caption of its own.
    DialogTemplate(DWORD style, short width, short height, const wchar_t* font, WORD pointSize);

    void add(WORD id, ControlClass cls, DWORD style, DialogRect rect, const wchar_t* text = L"");
    // A control of a registered class, such as a common control.
    void add(WORD id, const wchar_t* className, DWORD style, DialogRect rect, const wchar_t* text = L"");

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void beginItem(WORD id, DWORD style, DialogRect rect);
    void endItem(const wchar_t* text);
    void putDword(DWORD value);
    void putText(const wchar_t* text);
    void alignToDword();

    std::vector<WORD> words_;
};

}  // namespace zelva::server::win32
