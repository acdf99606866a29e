#pragma once
// The thread parameter dialog's controls in their design-time state. The logic
// behind its events lives with the dialog procedures; this is the form itself.

#include <variant>
#include <vector>

#include "core/ui/Controls.h"
#include "core/ui/Form.h"

namespace zelva::ui {

// A control of a form, as its kind.
using TypedControl =
    std::variant<const Label*, const TextBox*, const CheckBox*, const ComboBox*, const CommandButton*, const TabStrip*>;

class Dialog : public Form {
public:
    Dialog();
    FormKind kind() const override { return FormKind::Dialog; }
    void closeFromTitleBar() override { CancelButton.click(); }
    // Every control below, in their order.
    std::vector<TypedControl> controls() const;

    // In the form's control order.
    TextBox TxtDiam;
    CheckBox ToggleMan;
    CheckBox ToggleSmusso;
    ComboBox Normativa{ComboStyle::DropDownList};
    ComboBox Lunghezza{ComboStyle::DropDownCombo};
    ComboBox Passo{ComboStyle::DropDownCombo};
    Label LblDescr;
    Label LblLung;
    Label LblNormativa;
    Label LblDiam;
    Label LblPasso;
    Label lblTxtDiam;
    CommandButton CancelButton;
    CommandButton OKButton;
    TabStrip TabNorme;
};

// The edge selection notice.
class DlgInfo : public Form {
public:
    DlgInfo();
    FormKind kind() const override { return FormKind::DlgInfo; }
    void closeFromTitleBar() override { OKButton.click(); }

    CommandButton OKButton;
    Label LblWarning;
};

}  // namespace zelva::ui
