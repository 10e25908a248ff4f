#include "form1.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QMessageBox>
#include <QImageReader>
#include <QPainter>
#include <QResource>
#include <QPushButton>
#include <algorithm>

#include "accessibility.h"
#include "controls.h"
#include "form1_layout.h"
#include "readable.h"
#include "runtime_services.h"

namespace varvik::ui {

namespace {

QRect Geometry(const ControlRow& row)
{
    const PixelRect pixels = Pixels(row);
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

QPalette::ColorRole Role(SystemColour colour)
{
    switch (colour) {
    case SystemColour::ButtonFace: return QPalette::Button;
    case SystemColour::ButtonText: return QPalette::ButtonText;
    case SystemColour::WindowText: return QPalette::WindowText;
    case SystemColour::None: break;
    }
    return QPalette::NoRole;
}

QColor Resolve(const Colour& colour, const QPalette& palette)
{
    switch (colour.source) {
    case Colour::Source::Default: return {};
    case Colour::Source::Transparent: return Qt::transparent;
    case Colour::Source::System: return palette.color(Role(colour.system));
    case Colour::Source::Rgb: return QColor::fromRgb(static_cast<QRgb>(colour.rgb));
    }
    return {};
}

QFont FontOf(const ControlRow& row)
{
    QFont font = ProgramFont();
    font.setWeight(row.font & Bold ? QFont::Bold : QFont::Normal);
    font.setUnderline(row.font & Underline);
    return font;
}

QWidget* Create(const ControlRow& row, QWidget* parent)
{
    switch (row.kind) {
    case Kind::PictureBox: return new PictureBox(parent);
    case Kind::TextBox: {
        auto* box = new TextBox(parent);
        box->WriteText(QString::fromUtf8(row.caption));
        return box;
    }
    case Kind::PushButton: {
        auto* button = new PushButton(QString::fromUtf8(row.caption), parent);
        button->setAutoDefault(false);
        return button;
    }
    case Kind::Label: {
        // Only the homepage label answers a click; the others are plain.
        QLabel* label = row.id == Control::Label10 ? new ClickLabel(parent) : new QLabel(parent);
        label->setText(QString::fromUtf8(row.caption));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment((row.align == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        return label;
    }
    case Kind::Shape: return new Shape(parent);
    }
    return nullptr;
}

// A text or outline in one of the scheme's colours is drawn black where that
// colour would not be readable on what lies beneath it.
QColor ResolveReadable(const Colour& colour, const QPalette& palette, std::uint32_t beneath)
{
    const QColor resolved = Resolve(colour, palette);
    if (colour.source != Colour::Source::System)
        return resolved;
    return QColor::fromRgb(static_cast<QRgb>(ReadableOn(resolved.rgb() & 0xFFFFFF, beneath)));
}

void SetControlColours(const ControlRow& row, QWidget* widget, const QPalette& scheme, std::uint32_t beneath)
{
    QPalette palette = widget->palette();
    if (auto* shape = qobject_cast<Shape*>(widget)) {
        shape->SetColours(Resolve(row.back, scheme), ResolveReadable(row.fore, scheme, beneath));
        return;
    }
    const QColor back = Resolve(row.back, scheme);
    const QColor fore = ResolveReadable(row.fore, scheme, beneath);
    if (!fore.isValid() && !(back.isValid() && back.alpha() > 0))
        return; // the control keeps the desktop's own colours
    if (fore.isValid())
        palette.setColor(QPalette::WindowText, fore);
    if (back.isValid() && back.alpha() > 0) {
        palette.setColor(QPalette::Window, back);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

// What a screen reader says of a control, as the window's description has it.
void NameForScreenReaders(Control control, QWidget* widget)
{
    const auto text = [](std::string_view spoken) {
        return QString::fromUtf8(spoken.data(), static_cast<qsizetype>(spoken.size()));
    };
    widget->setAccessibleName(text(AccessibleName(control)));
    widget->setAccessibleDescription(text(AccessibleDescription(control)));
}

// The least width of a message box that shows the whole of its title in a
// bold title bar font, with the title bar's buttons beside it.
int MessageBoxMinimumWidth(const QString& title)
{
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    constexpr int kTitleBarButtonsAndMargins = 160;
    return QFontMetrics(titleFont).horizontalAdvance(title) + kTitleBarButtonsAndMargins;
}

} // namespace

QFont ProgramFont()
{
    static const QFont font = [] {
        const QStringList installed = QFontDatabase::families();
        QString family = QString::fromLatin1(kFontFace);
        for (const char* candidate : {kFontFace, "Liberation Sans", "Arial"})
            if (installed.contains(QLatin1String(candidate))) {
                family = QString::fromLatin1(candidate);
                break;
            }
        QFont chosen(family);
        chosen.setStyleHint(QFont::SansSerif);
        // Advances that are not rounded to whole pixels grow exactly with the
        // display's scale, so a line that fits at one scale fits at all.
        chosen.setHintingPreference(QFont::PreferVerticalHinting);
        chosen.setPointSizeF(kFontPointSize);

        // A substitute face may run wider than the design's: its letters are
        // set a little closer where a label's text would otherwise reach the
        // edge of its box, where the key box's frame lies.
        qreal spacing = 0;
        for (const ControlRow& row : kForm1Controls) {
            if (row.kind != Kind::Label)
                continue;
            QFont styled = chosen;
            styled.setBold(row.font & Bold);
            styled.setUnderline(row.font & Underline);
            const QString text = QString::fromUtf8(row.caption);
            const qreal room = Pixels(row).width - 2; // clear of a frame on either side
            const QFontMetricsF metrics(styled);
            // No letter of these faces is wider than a line is high.
            if (metrics.height() * static_cast<qreal>(text.size()) <= room)
                continue; // fits whatever its letters
            const qreal width = metrics.horizontalAdvance(text);
            if (width > room)
                spacing = std::min(spacing, (room - width) / static_cast<qreal>(text.size()));
        }
        if (spacing < 0)
            chosen.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        return chosen;
    }();
    return font;
}

void ShowMessageBox(QWidget* parent, const QString& text)
{
    const QString title = QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size());
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    // A box is at least as wide as its title with the title bar's buttons,
    // however short its text; a window manager would cut the title otherwise.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(MessageBoxMinimumWidth(title), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

Form1::Form1(MessageBoxFn messageBox, OpenerFn opener, QWidget* parent)
    : QWidget(parent), Form1Handlers(std::move(messageBox), std::move(opener)), background_(BackgroundPicture())
{
    InstallAccessibility();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()));
    QIcon icon;
    icon.addPixmap(Picture(QStringLiteral("icon"), false));
    icon.addPixmap(Picture(QStringLiteral("icon"), true));
    setWindowIcon(icon);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // Of a fixed size, except on Wayland: there a compositor holds a
    // maximised or full-screen window to the size it gives, with or without
    // the window's asking (a key of the desktop's, the maximise button Qt's
    // own title bar shows), and a window that kept to its own size would be
    // disconnected and the program would end. There the window asks only for
    // its least size and takes what it is given (an edge of Qt's frame
    // dragged outwards too), showing itself in the top-left corner; back to
    // normal, the compositor leaves the size to the window, which takes its
    // own again.
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        setMinimumSize(kClientPixelWidth, kClientPixelHeight);
        resize(kClientPixelWidth, kClientPixelHeight);
    } else {
        setFixedSize(kClientPixelWidth, kClientPixelHeight);
    }
    setFont(ProgramFont());
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A field lays out its empty text in the application's font the moment
    // it is made, before it takes the window's: under the desktop's font that
    // is a third face looked up and loaded at start, only to be dropped. The
    // controls are made under the window's font; message boxes and menus keep
    // the desktop's. It saves 0.3 MiB of the window's 29 and 4 % of a start's
    // instructions (67.7 M against 70.5 M under callgrind).
    const QFont desktopFont = QApplication::font();
    QApplication::setFont(ProgramFont());
    Build();
    QApplication::setFont(desktopFont);

    // The window opens with the focus in FV, its text selected for typing.
    Text1->setFocus(Qt::OtherFocusReason);
    Text1_GotFocus();
}

Form1::~Form1() = default;

void Form1::Build()
{
    for (const ControlRow& row : kForm1Controls) {
        QWidget* widget = Create(row, this);
        controls_[static_cast<std::size_t>(row.id)] = widget;
        widget->setObjectName(QString::fromLatin1(row.name));
        widget->setGeometry(Geometry(row));
        if (row.font != Regular) // the others take the window's font
            widget->setFont(FontOf(row));
        NameForScreenReaders(row.id, widget);
        if (auto* button = qobject_cast<QPushButton*>(widget))
            connect(button, &QPushButton::clicked, this, [this, id = row.id] { Clicked(id); });
        else if (auto* box = qobject_cast<TextBox*>(widget))
            connect(box, &TextBox::gotFocus, this, [this, id = row.id] { GotFocus(id); });
        else if (auto* link = qobject_cast<ClickLabel*>(widget))
            connect(link, &ClickLabel::clicked, this, [this, id = row.id] { Clicked(id); });
    }

    ApplyColours();

    for (std::size_t i = 1; i < kTabCycle.size(); ++i)
        setTabOrder(Widget(kTabCycle[i - 1]), Widget(kTabCycle[i]));

    Text1 = Box(Control::Text1);
    Text2 = Box(Control::Text2);
    Text3 = Box(Control::Text3);
    Text4 = Box(Control::Text4);
    Command1 = static_cast<QPushButton*>(Widget(Control::Command1));
    Command2 = static_cast<QPushButton*>(Widget(Control::Command2));
    Command3 = static_cast<QPushButton*>(Widget(Control::Command3));
    Label10 = static_cast<ClickLabel*>(Widget(Control::Label10));
    Picture1 = static_cast<PictureBox*>(Widget(Control::Picture1));

    // The hot spot is in the window's own units, whatever the picture's scale.
    Label10->setCursor(
        QCursor(Picture(QStringLiteral("hand_cursor"), devicePixelRatioF() > 1), kHandHotSpotX, kHandHotSpotY));
}

TextBox* Form1::Box(Control box) const { return static_cast<TextBox*>(Widget(box)); }

std::string Form1::Text(Control box) const { return Box(box)->text().toStdString(); }

void Form1::SetText(Control box, std::string_view text)
{
    Box(box)->WriteText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void Form1::SetSelection(Control box, int start, int length) { Box(box)->setSelection(start, length); }

void Form1::ShowMessageBox(std::string_view text)
{
    ui::ShowMessageBox(this, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// The scheme's colours, made readable on the fixed colours beneath them; run
// again whenever the desktop's colour scheme changes.
void Form1::ApplyColours()
{
    // Read straight from the picture's bytes, red, green and blue: a heading
    // averages thousands of pixels, and QImage::pixel converts each one. The
    // picture is kept in this format, so the conversion copies nothing.
    const QImage rgb = background_.convertToFormat(QImage::Format_RGB888);
    const uchar* bytes = rgb.constBits();
    const qsizetype stride = rgb.bytesPerLine();
    const PixelSource picture{rgb.width(), rgb.height(), [bytes, stride](int x, int y) {
                                  const uchar* p = bytes + y * stride + x * 3;
                                  return std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
                              }};
    for (const ControlRow& row : kForm1Controls) {
        // Only the scheme's colours need to know what lies beneath them.
        const bool scheme = row.fore.source == Colour::Source::System;
        if (QWidget* widget = Widget(row.id)) // the scheme may change while the window is being made
            SetControlColours(row, widget, palette(), scheme ? ColourBeneath(row, picture) : 0);
    }
}

void Form1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        ApplyColours();
}

// The part of the background the window shows, as raw pixels straight from
// the program's memory: decoding the picture was about 10 ms of the window's
// start. The data of a resource built into the program stays where it is for
// the program's life.
QImage Form1::BackgroundPicture()
{
    const QResource raw(QStringLiteral(":/images/background.rgb"));
    constexpr int kRowBytes = kClientPixelWidth * 3;
    if (raw.compressionAlgorithm() != QResource::NoCompression || raw.size() != qint64{kRowBytes} * kClientPixelHeight)
        qFatal("the background's raw pixels are missing from the program");
    return QImage(raw.data(), kClientPixelWidth, kClientPixelHeight, kRowBytes, QImage::Format_RGB888);
}

// A PNG of the program's, read by the PNG reader alone: left to find the
// reader itself, Qt would load every other image reader to ask it first.
static QPixmap ReadPng(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// The background drawn at twice the size, for displays that show the window
// larger. Most never need it, so it lies beside the program rather than in
// it: next to the executable in the build, under share/varvik when
// installed. Without it the window shows the picture it has, enlarged.
QPixmap Form1::TwiceTheBackground()
{
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& path : {here.filePath(QStringLiteral("background@2x.png")),
                                here.filePath(QStringLiteral("../share/varvik/background@2x.png"))}) {
        QPixmap picture = ReadPng(path);
        if (!picture.isNull()) {
            picture.setDevicePixelRatio(2);
            return picture;
        }
    }
    return {};
}

// The icon or the hand cursor, drawn at twice the size where the display
// shows the window larger, so that it stays sharp instead of pixel-doubled.
QPixmap Form1::Picture(const QString& name, bool twice)
{
    const QString suffix = twice ? QStringLiteral("@2x.png") : QStringLiteral(".png");
    QPixmap picture = ReadPng(QStringLiteral(":/images/") + name + suffix);
    picture.setDevicePixelRatio(twice ? 2 : 1);
    return picture;
}

void Form1::paintEvent(QPaintEvent*)
{
    // Drawn once at its own size from the top-left corner; the window shows
    // only the part that fits.
    QPainter painter(this);
    if (width() > kClientPixelWidth || height() > kClientPixelHeight) // maximised or full screen on Wayland
        painter.fillRect(rect(), palette().window());
    if (devicePixelRatioF() > 1 && !twiceLooked_) {
        twiceLooked_ = true;
        background2x_ = TwiceTheBackground();
    }
    if (devicePixelRatioF() > 1 && !background2x_.isNull())
        painter.drawPixmap(0, 0, background2x_);
    else
        painter.drawImage(0, 0, background_);
}

} // namespace varvik::ui
