#include "FormWindow.h"

#include "ScreenUnits.h"
#include "core/automation/Error.h"
#include "core/ui/HeadlessUi.h"

namespace zelva::server::win32 {

namespace {

// The whole text of an edit field or an editable list selected, so that what
// the user types next replaces it.
void selectWholeText(HWND control) {
    wchar_t kind[16] = {};
    GetClassNameW(control, kind, 16);
    if (lstrcmpiW(kind, L"ComboBox") == 0) SendMessageW(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    if (lstrcmpiW(kind, L"Edit") == 0) SendMessageW(control, EM_SETSEL, 0, -1);
}

HFONT boldVersionOf(HFONT font) {
    LOGFONTW face{};
    GetObjectW(font, sizeof face, &face);
    face.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&face);
}

}  // namespace

FormWindow::FormWindow(ui::Form& form, ui::Ui& reporter, HINSTANCE resources)
    : form_(form), reporter_(reporter), resources_(resources) {}

FormWindow::~FormWindow() {
    if (fonts_.bold) DeleteObject(fonts_.bold);
}

DialogTemplate FormWindow::formTemplate(short width, short height) {
    return DialogTemplate(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, width, height, L"Tahoma", 8);
}

void FormWindow::run() {
    const DialogTemplate dialog = layout();
    const INT_PTR result =
        DialogBoxIndirectParamW(resources_, dialog.get(), nullptr, dialogProc, reinterpret_cast<LPARAM>(this));
    if (failure_) std::rethrow_exception(failure_);
    if (result == -1)
        throw Error::fromHresult(HRESULT_FROM_WIN32(GetLastError()),
                                 "The form '" + form_.caption + "' cannot be shown");
}

INT_PTR CALLBACK FormWindow::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<FormWindow*>(lParam)->window_ = window;
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->handle(message, wParam, lParam) : FALSE;
}

INT_PTR FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            fonts_.normal = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
            fonts_.bold = boldVersionOf(fonts_.normal);
            perform([this] { create(); });
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            // Escape is the title bar's close.
            return userActs(id == IDCANCEL ? titleBarClose()
                                           : commandAction(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)));
        }
        case WM_NOTIFY:
            return userActs(notifyAction(*reinterpret_cast<const NMHDR*>(lParam)));
        case WM_CLOSE:
            return userActs(titleBarClose());
        case WM_MOVE:
            if (!showing_) notePosition();
            return FALSE;
        default:
            return FALSE;
    }
}

BOOL FormWindow::userActs(const Action& action) {
    if (showing_ || !action) return FALSE;
    perform(action);
    return TRUE;
}

void FormWindow::perform(const Action& action) {
    try {
        try {
            action();
        } catch (const Error& e) {
            reporter_.messageBox(ui::eventErrorMessage(e));
        }
        if (form_.loaded()) return showForm();
    } catch (...) {
        failure_ = std::current_exception();
    }
    EndDialog(window_, 0);
}

void FormWindow::showForm() {
    showing_ = true;
    showText(window_, form_.caption);
    place();
    show();
    giveFocus();
    showing_ = false;
}

void FormWindow::place() {
    RECT frame;
    GetWindowRect(window_, &frame);
    const POINT wanted{pixelsFromTwips(form_.left, Axis::Horizontal), pixelsFromTwips(form_.top, Axis::Vertical)};
    if (frame.left == wanted.x && frame.top == wanted.y) return;
    POINT clientCorner{0, 0};
    ClientToScreen(window_, &clientCorner);
    const ui::ScreenRect wantedFrame{wanted.x, wanted.y, wanted.x + frame.right - frame.left,
                                     wanted.y + frame.bottom - frame.top};
    const ui::ScreenPoint shown = ui::placeInView(wantedFrame, clientCorner.y - frame.top, reporter_.workAreas());
    SetWindowPos(window_, nullptr, shown.x, shown.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Brought into view, the form is where the window is, as if moved there by hand.
    if (shown.x != wanted.x || shown.y != wanted.y) notePosition();
}

void FormWindow::giveFocus() {
    const ui::Control* control = form_.focusRequest();
    if (!control) return;
    form_.dropFocusRequest();
    const HWND field = item(controlId(*control));
    if (!field) return;
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    selectWholeText(field);
}

void FormWindow::notePosition() {
    RECT frame;
    GetWindowRect(window_, &frame);
    form_.left = twipsFromPixels(frame.left, Axis::Horizontal);
    form_.top = twipsFromPixels(frame.top, Axis::Vertical);
}

}  // namespace zelva::server::win32
