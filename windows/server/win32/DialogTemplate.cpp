#include "DialogTemplate.h"

namespace zelva::server::win32 {

namespace {
// Where DLGTEMPLATE keeps its item count: after the style and the extended style.
constexpr size_t kItemCountAt = 4;
}  // namespace

DialogTemplate::DialogTemplate(DWORD style, short width, short height, const wchar_t* font, WORD pointSize) {
    putDword(style | DS_SETFONT);
    putDword(0);  // extended style
    words_.push_back(0);  // item count
    for (short value : {short(0), short(0), width, height}) words_.push_back(static_cast<WORD>(value));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    putText(L"");         // the caption comes from the form
    words_.push_back(pointSize);
    putText(font);
}

void DialogTemplate::add(WORD id, ControlClass cls, DWORD style, DialogRect rect, const wchar_t* text) {
    beginItem(id, style, rect);
    words_.push_back(0xFFFF);
    words_.push_back(static_cast<WORD>(cls));
    endItem(text);
}

void DialogTemplate::add(WORD id, const wchar_t* className, DWORD style, DialogRect rect, const wchar_t* text) {
    beginItem(id, style, rect);
    putText(className);
    endItem(text);
}

void DialogTemplate::beginItem(WORD id, DWORD style, DialogRect rect) {
    ++words_[kItemCountAt];
    alignToDword();
    putDword(style | WS_CHILD);
    putDword(0);  // extended style
    for (short value : {rect.x, rect.y, rect.width, rect.height}) words_.push_back(static_cast<WORD>(value));
    words_.push_back(id);
}

void DialogTemplate::endItem(const wchar_t* text) {
    putText(text);
    words_.push_back(0);  // no creation data
}

void DialogTemplate::putDword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void DialogTemplate::putText(const wchar_t* text) {
    for (; *text; ++text) words_.push_back(static_cast<WORD>(*text));
    words_.push_back(0);
}

void DialogTemplate::alignToDword() {
    if (words_.size() % 2) words_.push_back(0);
}

}  // namespace zelva::server::win32
