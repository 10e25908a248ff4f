#pragma once

// The kinds of control Form1 is made of, where a plain Qt widget does not
// behave like the window needs.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace varvik::ui {

// A single-line entry field that takes at most eight characters from the
// user (typing, pasting, dropping) while the program may write longer
// results into it, and that tells when it receives the keyboard focus.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Replaces the whole text, whatever its length, and shows it from its
    // first character, as a native edit control does.
    void WriteText(const QString& text);

signals:
    // After the field's own focus handling, so that a selection made here
    // stands. Not raised when the window is merely reactivated or a context
    // menu closes: the field had the focus all along.
    void gotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    class LengthLimit : public QValidator {
    public:
        explicit LengthLimit(TextBox* box) : QValidator(box), box_(box) {}
        State validate(QString& input, int& pos) const override;

    private:
        TextBox* box_;
    };

    void Remember();

    // The text before the edit being validated, and where the edit goes: the
    // selection it replaces, or none at the caret.
    QString before_;
    qsizetype editStart_ = 0, editReplaces_ = 0;
    bool writing_ = false;
};

// A push button that Enter and Return press as Space does, as on the
// desktops the program comes from; the window has no default button.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A label that reports a click anywhere in its rectangle, its transparent
// parts included.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// A rectangle with a one-pixel outline, drawn over what lies beneath; it
// never takes a click.
class Shape : public QWidget {
    Q_OBJECT
public:
    explicit Shape(QWidget* parent = nullptr);
    void SetColours(const QColor& fill, const QColor& outline);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_ = Qt::transparent;
    QColor outline_ = Qt::black;
};

// An empty picture box: it takes the focus in the tab cycle but shows no
// focus mark and does nothing with keys.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
};

} // namespace varvik::ui
