#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <array>

#include "form1_handlers.h"

class QLabel;
class QPushButton;

namespace varvik::ui {

class ClickLabel;
class PictureBox;
class Shape;
class TextBox;

// The modal box of the program: no icon, one OK button, the program's title.
void ShowMessageBox(QWidget* parent, const QString& text);

// The program's one window on Qt: the controls made from the description,
// the background, and Qt's events turned into the window's handlers.
class Form1 : public QWidget, public Form1Handlers {
    Q_OBJECT
public:
    explicit Form1(MessageBoxFn messageBox = nullptr, OpenerFn opener = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    QWidget* Widget(Control control) const { return controls_[static_cast<std::size_t>(control)]; }

    TextBox* Text1 = nullptr;
    TextBox* Text2 = nullptr;
    TextBox* Text3 = nullptr;
    TextBox* Text4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    ClickLabel* Label10 = nullptr;
    PictureBox* Picture1 = nullptr;

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::string Text(Control box) const override;
    void SetText(Control box, std::string_view text) override;
    void SetSelection(Control box, int start, int length) override;
    void ShowMessageBox(std::string_view text) override;

    TextBox* Box(Control box) const;
    void Build();
    void ApplyColours();

    static QPixmap Picture(const QString& name, bool twice);
    static QPixmap TwiceTheBackground();
    static QImage BackgroundPicture();

    QImage background_;
    QPixmap background2x_; // read when first shown on a display of a larger scale
    bool twiceLooked_ = false;
    std::array<QWidget*, kForm1Controls.size()> controls_{}; // by row of the description
};

// The window's font: 8.25-point "MS Sans Serif", or where that face is
// missing, the closest small sans-serif face at the same size.
QFont ProgramFont();

} // namespace varvik::ui
