#pragma once

#include <QObject>
#include <QSet>

class QApplication;

namespace varvik::ui {

// A held key presses a button once: its repeats do not reach a focused
// button, nor the message box that its first press opened, until the key is
// let go; the user presses again to close the box. The keyboard's repeats
// arrive in different guises: marked as such (Wayland, where Qt repeats the
// key itself), or as more presses of a key never released (X11 once the
// server is asked to say so, which the program does at start). Keys on a
// field repeat as usual, typing on.
class HeldKeys : public QObject {
    Q_OBJECT
public:
    explicit HeldKeys(QObject* parent = nullptr) : QObject(parent) {}

    // For when another program takes the keyboard.
    void Forget() { held_.clear(); }

protected:
    bool eventFilter(QObject* target, QEvent* event) override;

private:
    QSet<quint32> held_; // keys pressed and not yet released
};

// Installs HeldKeys for the whole program, and on X11 asks the server to
// report a held key as repeated presses without releases in between: the
// releases X11 otherwise sends between repeats look like the user letting
// go, and Qt tells them apart only when the next press has already arrived.
void PressOncePerHold(QApplication& application);

// The X11 half of the above, apart from the rest because the X headers'
// names clash with Qt's; does nothing on other platforms.
void ReportKeyRepeatsAsPresses();

} // namespace varvik::ui
