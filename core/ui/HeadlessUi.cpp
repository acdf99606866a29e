#include "core/ui/HeadlessUi.h"

#include "core/automation/NumberRules.h"

namespace zelva::ui {

namespace {

constexpr char kEventErrorOpening[] = "Run-time error '";

// The headless screen's pixels, as the Windows tests' screen has them.
constexpr int kPixelsPerInch = 96;

// The windows of the forms as Windows shows them at 96 pixels to the inch:
// frame width and height, and the title bar's height.
struct WindowSize {
    int width, height, titleHeight;
};
constexpr WindowSize kDialogWindow{354, 269, 22};
constexpr WindowSize kNoticeWindow{336, 155, 22};

Dialog& asDialog(Form& form) {
    if (form.kind() != FormKind::Dialog) throw ImpossibleAction("this answer needs the thread parameter dialog");
    return static_cast<Dialog&>(form);
}

CommandButton& okButton(Form& form) {
    return form.kind() == FormKind::Dialog ? static_cast<Dialog&>(form).OKButton
                                           : static_cast<DlgInfo&>(form).OKButton;
}

void click(CommandButton& button) {
    if (!button.enabled || !button.visible)
        throw ImpossibleAction("the " + button.name + " button is disabled");
    button.click();
}

}  // namespace

Message eventErrorMessage(const Error& e) {
    return {kEventErrorOpening + trimSpaces(numberToText(e.number())) + "':\r\n\r\n" + e.description(), std::nullopt,
            Icon::Critical};
}

bool isEventErrorMessage(const Message& box) {
    return box.icon == Icon::Critical && box.prompt.rfind(kEventErrorOpening, 0) == 0;
}

void HeadlessUi::place(Form& form) {
    const WindowSize size = form.kind() == FormKind::Dialog ? kDialogWindow : kNoticeWindow;
    const ScreenPoint wanted{pixelsFromTwips(form.left, kPixelsPerInch), pixelsFromTwips(form.top, kPixelsPerInch)};
    const ScreenRect frame{wanted.x, wanted.y, wanted.x + size.width, wanted.y + size.height};
    const ScreenPoint shown = placeInView(frame, size.titleHeight, workAreas());
    // Brought into view, the form is where the window is, as if moved there by hand.
    if (shown.x == wanted.x && shown.y == wanted.y) return;
    form.left = twipsFromPixels(shown.x, kPixelsPerInch);
    form.top = twipsFromPixels(shown.y, kPixelsPerInch);
}

void HeadlessUi::showModal(Form& form) {
    ++formsShown_;
    place(form);
    if (observer_) observer_->formShown(form);
    UserScript script;
    if (!scripts_.empty()) {
        script = std::move(scripts_.front());
        scripts_.pop_front();
    }
    bool byOk = false;
    for (const UserAction& action : script) {
        if (!form.loaded()) break;
        try {
            perform(form, action, byOk);
        } catch (const Error& e) {
            messageBox(eventErrorMessage(e));
            byOk = false;
        } catch (const ImpossibleAction&) {
            // The script ends here and the form goes with it: left loaded, it
            // would be shown again next time without its Load.
            form.unload();
            throw;
        }
    }
    if (form.loaded()) {
        byOk = false;
        form.closeFromTitleBar();
    }
    if (observer_) observer_->formClosed(form, byOk);
}

void HeadlessUi::perform(Form& form, const UserAction& action, bool& byOk) {
    using K = UserAction::Kind;
    switch (action.kind) {
        case K::Tab: {
            TabStrip& tabs = asDialog(form).TabNorme;
            if (action.number < 0 || action.number >= tabs.tabs())
                throw ImpossibleAction("there is no tab " + std::to_string(action.number));
            tabs.setTab(action.number);
            break;
        }
        case K::Standard: {
            ComboBox& list = asDialog(form).Normativa;
            if (!list.enabled) throw ImpossibleAction("the standards list is disabled");
            if (action.number < 0 || action.number >= list.listCount())
                throw ImpossibleAction("the standards list has no item " + std::to_string(action.number));
            list.setListIndex(action.number);
            break;
        }
        case K::Length: asDialog(form).Lunghezza.setText(action.text); break;
        case K::Pitch: asDialog(form).Passo.setText(action.text); break;
        case K::Chamfer: asDialog(form).ToggleSmusso.setValue(action.number); break;
        case K::Manual: asDialog(form).ToggleMan.setValue(action.number); break;
        case K::Diameter: {
            TextBox& box = asDialog(form).TxtDiam;
            if (!box.visible) throw ImpossibleAction("the diameter box is hidden until Man. is ticked");
            box.text = action.text;
            break;
        }
        case K::Move:
            form.left = twipsFromPixels(action.corner.x, kPixelsPerInch);
            form.top = twipsFromPixels(action.corner.y, kPixelsPerInch);
            break;
        case K::Ok:
            byOk = true;
            click(okButton(form));
            break;
        case K::Cancel:
            byOk = false;
            if (form.kind() == FormKind::Dialog) click(static_cast<Dialog&>(form).CancelButton);
            else form.closeFromTitleBar();
            break;
    }
}

void HeadlessUi::messageBox(const Message& box) {
    messages_.push_back(box);
    if (observer_) observer_->messageShown(box);
}

}  // namespace zelva::ui
