#include "core/forms/NumberFieldCheck.h"

#include <vector>

#include "core/automation/NumberRules.h"
#include "core/texts/MessageTexts.h"

namespace zelva::forms {

namespace {

struct NumberField {
    const ui::Control& control;
    const std::string& text;
    int refusal;  // message offset
};

// A message quotes this many characters of a text at most, so that a pasted
// page still leaves the message box's OK on the screen.
constexpr size_t kQuotedCharacters = 40;

std::string quoted(const std::string& text) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > kQuotedCharacters) return text.substr(0, i) + "…";
    }
    return text;
}

bool readsAsPositiveNumber(const std::string& text) {
    return leadingNumber(text) > 0 && !decimalCommaFollows(text);
}

}  // namespace

bool RefuseUnreadableNumbers(env::Module& m) {
    ui::Dialog& d = m.dialog();
    std::vector<NumberField> fields;
    if (d.ToggleMan.value() != 0) fields.push_back({d.TxtDiam, d.TxtDiam.text, texts::id::RefusedDiameter});
    fields.push_back({d.Lunghezza, d.Lunghezza.text(), texts::id::RefusedLength});
    fields.push_back({d.Passo, d.Passo.text(), texts::id::RefusedPitch});
    for (const NumberField& field : fields) {
        if (readsAsPositiveNumber(field.text)) continue;
        m.ui.messageBox({texts::MessageText(m.LanguageBase + field.refusal, quoted(field.text)), d.caption,
                         ui::Icon::Exclamation});
        d.setFocus(field.control);
        return true;
    }
    return false;
}

}  // namespace zelva::forms
