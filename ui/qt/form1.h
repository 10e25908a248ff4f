#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>

#include "calculator.h"
#include "shell.h"

class QLabel;
class QPushButton;

namespace varvik::ui {

class ClickLabel;
class PictureBox;
class Shape;
class TextBox;

// Shows a message to the user and returns when it has been closed.
using MessageBoxFn = std::function<void(QWidget* parent, const QString& text)>;
// Hands an address to the desktop (the signature of Shell::ShellOpen).
using OpenerFn = std::function<bool(std::string& document, Shell::OptionalText operation,
                                    Shell::OptionalText parameters, Shell::OptionalText directory,
                                    std::int32_t show_mode)>;

// The modal box of the program: no icon, one OK button, the program's title.
void ShowMessageBox(QWidget* parent, const QString& text);

// The program's one window. It only adapts its controls to the calculator.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(MessageBoxFn messageBox = ShowMessageBox, OpenerFn opener = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    TextBox* Text1 = nullptr;
    TextBox* Text2 = nullptr;
    TextBox* Text3 = nullptr;
    TextBox* Text4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    ClickLabel* Label10 = nullptr;
    PictureBox* Picture1 = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Text1_GotFocus();
    void Text2_GotFocus();
    void Text3_GotFocus();
    void Text4_GotFocus();
    void Label10_Click();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    class Fields;
    class Services;

    void Build();
    void ApplyColours();

    static QPixmap Picture(const QString& name, bool twice);
    static QPixmap TwiceTheBackground();
    static QImage BackgroundPicture();

    QImage background_;
    QPixmap background2x_; // read when first shown on a display of a larger scale
    bool twiceLooked_ = false;
    OpenerFn opener_;
    std::unique_ptr<Fields> fields_;
    std::unique_ptr<Services> services_;
};

// The window's font: 8.25-point "MS Sans Serif", or where that face is
// missing, the closest small sans-serif face at the same size.
QFont ProgramFont();

} // namespace varvik::ui
