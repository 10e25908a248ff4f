#include "form1_handlers.h"

#include "calculator.h"

namespace varvik::ui {

// The four entry fields, read from and written to the window's controls at
// the moment the calculator asks.
class Form1Handlers::Fields : public FieldSet {
public:
    explicit Fields(Form1Handlers& form) : form_(form) {}

    std::string Read(Field field) const override { return form_.Text(FieldControl(field)); }
    void Replace(Field field, std::string_view text) override { form_.SetText(FieldControl(field), text); }

private:
    Form1Handlers& form_;
};

class Form1Handlers::Services : public StandardRunTimeServices {
public:
    explicit Services(Form1Handlers& form) : form_(form) {}

    void MsgBox(std::string_view text) override
    {
        if (form_.messageBox_)
            form_.messageBox_(text);
        else
            form_.ShowMessageBox(text);
    }

private:
    Form1Handlers& form_;
};

Form1Handlers::Form1Handlers(MessageBoxFn messageBox, OpenerFn opener)
    : messageBox_(std::move(messageBox)),
      opener_(opener ? std::move(opener) : OpenerFn(Shell::ShellOpen)),
      fields_(std::make_unique<Fields>(*this)),
      services_(std::make_unique<Services>(*this))
{
}

Form1Handlers::~Form1Handlers() = default;

void Form1Handlers::Command1_Click() { RunClick(Command::EpCost, *fields_, *services_); }

void Form1Handlers::Command2_Click() { RunClick(Command::Purchase, *fields_, *services_); }

void Form1Handlers::Command3_Click()
{
    for (const Field field : kFieldOrder)
        fields_->Replace(field, "0");
}

// Entering a field selects its first eight characters, all that a user can
// type, so that typing replaces them.
void Form1Handlers::SelectFirstCharacters(Control box) { SetSelection(box, 0, kFieldMaxLength); }

void Form1Handlers::Text1_GotFocus() { SelectFirstCharacters(Control::Text1); }
void Form1Handlers::Text2_GotFocus() { SelectFirstCharacters(Control::Text2); }
void Form1Handlers::Text3_GotFocus() { SelectFirstCharacters(Control::Text3); }
void Form1Handlers::Text4_GotFocus() { SelectFirstCharacters(Control::Text4); }

// A failed open is not reported: there is nothing the user could do about it
// here.
void Form1Handlers::Label10_Click()
{
    std::string homepage = kHomepage;
    opener_(homepage, "Open", std::nullopt, std::nullopt, 0);
}

void Form1Handlers::Clicked(Control control)
{
    switch (control) {
    case Control::Command1: Command1_Click(); break;
    case Control::Command2: Command2_Click(); break;
    case Control::Command3: Command3_Click(); break;
    case Control::Label10: Label10_Click(); break;
    default: break;
    }
}

void Form1Handlers::GotFocus(Control control)
{
    switch (control) {
    case Control::Text1: Text1_GotFocus(); break;
    case Control::Text2: Text2_GotFocus(); break;
    case Control::Text3: Text3_GotFocus(); break;
    case Control::Text4: Text4_GotFocus(); break;
    default: break;
    }
}

} // namespace varvik::ui
