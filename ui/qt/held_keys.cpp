#include "held_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

namespace varvik::ui {

bool HeldKeys::eventFilter(QObject* target, QEvent* event)
{
    const QEvent::Type type = event->type();
    // A key event passes the window first and then the widgets it is sent
    // on to: looking at it once, at the window, counts each press once.
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !target->isWindowType())
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    // The key on the keyboard, not its meaning: Tab pressed with Shift is
    // Backtab, and let go after Shift it is Tab again.
    const quint32 code = key->nativeScanCode() != 0 ? key->nativeScanCode() : quint32(key->key());
    bool repeat = key->isAutoRepeat();
    if (type == QEvent::KeyPress) {
        repeat = repeat || held_.contains(code);
        held_.insert(code);
    } else if (!repeat) {
        held_.remove(code);
    }
    return repeat && qobject_cast<QAbstractButton*>(QApplication::focusWidget()) != nullptr;
}

void PressOncePerHold(QApplication& application)
{
    auto* keys = new HeldKeys(&application);
    application.installEventFilter(keys);
    // A key let go while another program had the keyboard never comes back
    // as a release here.
    QObject::connect(&application, &QGuiApplication::applicationStateChanged, keys,
                     [keys](Qt::ApplicationState state) {
                         if (state != Qt::ApplicationActive)
                             keys->Forget();
                     });
    ReportKeyRepeatsAsPresses();
}

} // namespace varvik::ui
