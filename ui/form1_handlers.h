#pragma once

// What Form1 does, written once for both windows: its event handlers, the
// four fields as the calculator sees them, and the message box and opener
// the handlers call. Each window makes its controls from the description and
// supplies the few things only its toolkit can do: read and replace a
// field's text, select in a field, show the program's message box.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "form1_layout.h"
#include "shell.h"

namespace varvik::ui {

// Shows a message to the user and returns when it has been closed.
using MessageBoxFn = std::function<void(std::string_view text)>;
// Hands an address to the desktop (the signature of Shell::ShellOpen).
using OpenerFn = std::function<bool(std::string& document, Shell::OptionalText operation,
                                    Shell::OptionalText parameters, Shell::OptionalText directory,
                                    std::int32_t show_mode)>;

class Form1Handlers {
public:
    Form1Handlers(const Form1Handlers&) = delete;
    Form1Handlers& operator=(const Form1Handlers&) = delete;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Text1_GotFocus();
    void Text2_GotFocus();
    void Text3_GotFocus();
    void Text4_GotFocus();
    void Label10_Click();

    // A toolkit's event, handed to the handler of the control it happened
    // on; a control without a handler for it ignores it.
    void Clicked(Control control);
    void GotFocus(Control control);

protected:
    // Without a message box, the window shows its own; without an opener,
    // the desktop opens the address.
    Form1Handlers(MessageBoxFn messageBox, OpenerFn opener);
    virtual ~Form1Handlers();

    virtual std::string Text(Control box) const = 0;
    // Replaces the whole text, however long: the length limit binds only the
    // user.
    virtual void SetText(Control box, std::string_view text) = 0;
    virtual void SetSelection(Control box, int start, int length) = 0;
    // The program's modal box: one OK button, titled with the program's name.
    virtual void ShowMessageBox(std::string_view text) = 0;

private:
    class Fields;
    class Services;

    void SelectFirstCharacters(Control box);

    MessageBoxFn messageBox_;
    OpenerFn opener_;
    std::unique_ptr<Fields> fields_;
    std::unique_ptr<Services> services_;
};

} // namespace varvik::ui
