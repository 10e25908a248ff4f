#include "controls.h"

#include "form1_layout.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace varvik::ui {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    // QLineEdit's own maximum length would cut what the program writes, too.
    setValidator(new LengthLimit(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { committed_ = text; });
}

void TextBox::WriteText(const QString& text)
{
    writing_ = true;
    setText(text);
    writing_ = false;
    setCursorPosition(0);
}

void TextBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit gotFocus();
}

// The user can never make the text longer than eight characters, as in a
// native edit control: what an edit inserts keeps only as much of itself as
// fits beside what it left of the text, and nothing where that alone is
// longer. A longer result the program wrote is not cut; it can be shortened
// or replaced, but never grows.
QValidator::State TextBox::LengthLimit::validate(QString& input, int& pos) const
{
    if (box_->writing_)
        return Acceptable;
    const QString& before = box_->committed_;
    // The edit left the text's start before `start` and its end from `pos` on.
    // Where the first characters put in equal those they replaced ("1" typed
    // before a "1"), they count as kept rather than inserted; what is cut
    // from the rest comes to the same text. The kept start can never reach
    // into the end that follows the caret, or a full field would grow.
    const qsizetype end = input.size() - pos;
    qsizetype start = 0;
    const qsizetype most = std::min<qsizetype>(pos, before.size() - end);
    while (start < most && input[start] == before[start])
        ++start;
    const qsizetype kept = start + end;
    const qsizetype inserted = pos - start;
    const qsizetype room = std::max<qsizetype>(0, kFieldMaxLength - kept);
    if (inserted > room) {
        input.remove(start + room, inserted - room);
        pos = static_cast<int>(start + room);
    }
    return Acceptable;
}

void PushButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // A press clicks once, however long the key is held.
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

Shape::Shape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Shape::SetColours(const QColor& fill, const QColor& outline)
{
    fill_ = fill;
    outline_ = outline;
    update();
}

// The outline is one device pixel wide and even at any scale of the display:
// it is drawn in the device's own pixels along the shape's edges.
void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    const int w = qRound(width() * ratio), h = qRound(height() * ratio);
    for (const QRect edge : {QRect(0, 0, w, 1), QRect(0, h - 1, w, 1), QRect(0, 0, 1, h), QRect(w - 1, 0, 1, h)})
        painter.fillRect(edge, outline_);
}

PictureBox::PictureBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

} // namespace varvik::ui
