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
    // Each is signalled once an edit is done, so these always hold the
    // state the next edit starts from.
    connect(this, &QLineEdit::textChanged, this, &TextBox::Remember);
    connect(this, &QLineEdit::cursorPositionChanged, this, &TextBox::Remember);
    connect(this, &QLineEdit::selectionChanged, this, &TextBox::Remember);
}

void TextBox::Remember()
{
    before_ = text();
    editStart_ = hasSelectedText() ? selectionStart() : cursorPosition();
    editReplaces_ = selectionLength();
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
    const QStringView before = box_->before_;
    // Typing, pasting, dropping and undoing put text in place of the
    // selection, or at the caret.
    qsizetype start = box_->editStart_;
    const qsizetype after = before.size() - start - box_->editReplaces_;
    qsizetype inserted = input.size() - start - after;
    const QStringView edited = input;
    if (inserted < 0 || edited.left(start) != before.left(start) || edited.right(after) != before.right(after)) {
        // Elsewhere (an input method replacing text beside the caret) what
        // was inserted ends at the caret and starts where the text first
        // differs; the kept start never reaches into what follows the caret.
        const qsizetype end = input.size() - pos;
        const qsizetype most = std::min<qsizetype>(pos, before.size() - end);
        start = 0;
        while (start < most && input[start] == before[start])
            ++start;
        inserted = pos - start;
    }
    const qsizetype room = std::max<qsizetype>(0, kFieldMaxLength - (input.size() - inserted));
    if (inserted > room) {
        input.remove(start + room, inserted - room);
        if (pos > start + room)
            pos = static_cast<int>(std::max(start + room, pos - (inserted - room)));
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
