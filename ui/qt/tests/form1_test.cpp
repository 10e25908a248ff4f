// The window as a user meets it, on the offscreen platform: the controls in
// their places, the tab cycle, the focus selection, "Rensa", both calculation
// buttons with recorded message boxes, and the homepage link with a recording
// opener.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <functional>
#include <memory>

#include "controls.h"
#include "form1.h"
#include "form1_layout.h"
#include "readable.h"
#include "shell.h"
#include "swedish.h"

using namespace varvik::ui;

namespace {

struct OpenRequest {
    std::string document;
    Shell::OptionalText operation, parameters, directory;
    std::int32_t showMode = -1;
};

// Hands a widget's events to a function, as they come.
class EventSpy : public QObject {
public:
    EventSpy(QObject* watched, std::function<void(QEvent*)> seen) : watched_(watched), seen_(std::move(seen))
    {
        watched_->installEventFilter(this);
    }
    ~EventSpy() override { watched_->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        seen_(event);
        return false;
    }

private:
    QObject* watched_;
    std::function<void(QEvent*)> seen_;
};

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    QStringList messages_;
    QList<OpenRequest> opened_;
    bool openSucceeds_ = true;
    std::unique_ptr<Form1> form_;
    QFont desktopFont_;

    QWidget* Control(const char* name) const { return form_->findChild<QWidget*>(QLatin1String(name)); }

    void ShowActive()
    {
        form_->show();
        QApplication::setActiveWindow(form_.get());
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

private slots:
    void initTestCase()
    {
        varvik::ui::InstallSwedish(*QCoreApplication::instance());
        desktopFont_ = QApplication::font();
    }

    void init()
    {
        messages_.clear();
        opened_.clear();
        openSucceeds_ = true;
        form_ = std::make_unique<Form1>([this](std::string_view text) { messages_ << QString::fromUtf8(text); },
                                        [this](std::string& document, Shell::OptionalText operation,
                                               Shell::OptionalText parameters, Shell::OptionalText directory,
                                               std::int32_t showMode) {
                                            opened_.append({document, operation, parameters, directory, showMode});
                                            return openSucceeds_;
                                        });
    }

    void cleanup() { form_.reset(); }

    void window()
    {
        ShowActive();
        QCOMPARE(form_->windowTitle(), QStringLiteral("Varvik v1.4.1"));
        QCOMPARE(form_->size(), QSize(366, 263));
        QCOMPARE(form_->minimumSize(), QSize(366, 263));
        QCOMPARE(form_->maximumSize(), QSize(366, 263));
        QVERIFY(!form_->windowIcon().isNull());
        QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 21);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        auto row = [](const char* name, QRect pixels, const char* text, bool bold, bool underline) {
            QTest::newRow(name) << QString::fromLatin1(name) << pixels << QString::fromUtf8(text) << bold << underline;
        };
        row("Picture1", {-16, 0, 393, 9}, "", false, false);
        row("Label1", {16, 24, 57, 17}, "FV", true, false);
        row("Label2", {88, 24, 57, 17}, "GEV", true, false);
        row("Label3", {160, 24, 57, 17}, "FVb", true, false);
        row("Label4", {232, 24, 57, 17}, "EP", true, false);
        row("Text1", {16, 48, 57, 25}, "0", false, false);
        row("Text2", {88, 48, 57, 25}, "0", false, false);
        row("Text3", {160, 48, 57, 25}, "0", false, false);
        row("Text4", {232, 48, 57, 25}, "0", false, false);
        row("Command3", {304, 48, 49, 25}, "Rensa", false, false);
        row("Command1", {16, 80, 73, 25}, "Beräkna EP", false, false);
        row("Command2", {96, 80, 73, 25}, "Beräkna FVb", false, false);
        row("Shape1", {16, 136, 193, 81}, "", false, false);
        row("Label5", {16, 136, 193, 17}, " Nyckel ", false, true);
        row("Label6", {16, 152, 193, 17}, " FV = Nuvarande färdighetsvärde", false, false);
        row("Label7", {16, 168, 193, 17}, " GEV = Grundegenskapsvärde", false, false);
        row("Label8", {16, 184, 193, 17}, " FVb = Blivande färdighetsvärde", false, false);
        row("Label9", {16, 200, 193, 17}, " EP = Kostnad i antal erfarenhetspoäng", false, false);
        row("Shape2", {16, 232, 273, 17}, "", false, false);
        row("Label11", {16, 232, 161, 17}, "© 2026 Varvik Spel", true, false);
        row("Label10", {152, 232, 193, 17}, "Hemsida: varvik.example", true, true);
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QFETCH(QString, text);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        QWidget* control = Control(name.toLatin1().constData());
        QVERIFY(control);
        QCOMPARE(control->geometry(), pixels);
        if (auto* box = qobject_cast<QLineEdit*>(control))
            QCOMPARE(box->text(), text);
        else if (auto* button = qobject_cast<QPushButton*>(control))
            QCOMPARE(button->text(), text);
        else if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), text);
        const QFont font = control->font();
        QCOMPARE(font.pointSizeF(), 8.25);
        QVERIFY2(QStringList({"MS Sans Serif", "Liberation Sans"}).contains(QFontInfo(font).family()),
                 qPrintable(QFontInfo(font).family()));
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.underline(), underline);
    }

    void colours()
    {
        auto text = [this](const char* name) { return Control(name)->palette().color(QPalette::WindowText); };
        auto back = [this](const char* name) { return Control(name)->palette().color(QPalette::Window); };
        QCOMPARE(text("Label10"), QColor(0x0000FF));
        QCOMPARE(text("Label11"), QColor(0x0000FF));
        for (const char* key : {"Label5", "Label6", "Label7", "Label8", "Label9"}) {
            QCOMPARE(back(key), QColor(0xFFFF80));
            QVERIFY(Control(key)->autoFillBackground());
            QCOMPARE(text(key), form_->palette().color(QPalette::WindowText));
        }
        for (const char* heading : {"Label1", "Label2", "Label3", "Label4", "Label10", "Label11"})
            QVERIFY(!Control(heading)->autoFillBackground());
        QCOMPARE(text("Label1"), form_->palette().color(QPalette::ButtonText));
    }

    // Shape1 lies over the key labels and Label10 over Label11; shapes never
    // take a click, so a click goes to what lies beneath.
    void stacking()
    {
        const auto children = form_->children();
        QVERIFY(children.indexOf(Control("Shape1")) > children.indexOf(Control("Label9")));
        QVERIFY(children.indexOf(Control("Label10")) > children.indexOf(Control("Label11")));
        QCOMPARE(form_->childAt(160, 240), Control("Label10"));
        QCOMPARE(form_->childAt(176, 248), Control("Label10"));
        QCOMPARE(form_->childAt(150, 240), Control("Label11"));
        QCOMPARE(form_->childAt(16, 180), Control("Label7"));
    }

    void backgroundIsCroppedNotScaled()
    {
        const QImage picture(QStringLiteral(VARVIK_IMAGES_DIR "/background.png"));
        QCOMPARE(picture.size(), QSize(480, 360));
        const QImage shown = form_->grab().toImage();
        for (const QPoint p : {QPoint(300, 120), QPoint(365, 262), QPoint(330, 20), QPoint(250, 200)})
            QCOMPARE(QColor(shown.pixel(p)), QColor(picture.pixel(p)));
    }

    // The headings sit centred over their fields, the strip under the bottom
    // line is filled, and the key box has a frame of one pixel.
    void drawnLooks()
    {
        for (const char* heading : {"Label1", "Label2", "Label3", "Label4"})
            QCOMPARE(static_cast<QLabel*>(Control(heading))->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        const QImage shown = form_->grab().toImage();
        QCOMPARE(QColor(shown.pixel(287, 240)), QColor(0xFFFF80)); // Shape2, right of the link's text
        QCOMPARE(QColor(shown.pixel(16, 180)), QColor(Qt::black));            // the frame's left edge
        QCOMPARE(QColor(shown.pixel(17, 180)), QColor(0xFFFF80));             // one pixel in: the key box
        QCOMPARE(QColor(shown.pixel(100, 216)), QColor(Qt::black));           // the bottom edge
        QCOMPARE(QColor(shown.pixel(100, 215)), QColor(0xFFFF80));
    }

    // Text in the scheme's colours is drawn black where it would read with a
    // contrast below 4.5 on the key box's yellow (the key lines, the frame)
    // or on the picture beneath a heading; elsewhere it keeps the scheme's
    // colour. The figures are worked out apart from the program (see the
    // readability test): on the headings' olive a grey of 484848 reads only
    // over EP, and 707070 only on the yellow.
    void readableUnderAnyScheme_data()
    {
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QStringList>("black");
        const QStringList headings{"Label1", "Label2", "Label3", "Label4"};
        const QStringList keyLines{"Label5", "Label6", "Label7", "Label8", "Label9"};
        QTest::newRow("dark scheme") << QColor(0xEEEEEE) << headings + keyLines;
        QTest::newRow("dark grey") << QColor(0x484848) << QStringList{"Label1", "Label2", "Label3"};
        QTest::newRow("mid grey") << QColor(0x707070) << headings;
        QTest::newRow("light grey") << QColor(0xC0C0C0) << headings + keyLines;
    }

    void readableUnderAnyScheme()
    {
        QFETCH(QColor, text);
        QFETCH(QStringList, black);
        const QPalette original = QApplication::palette();
        QPalette scheme = original;
        for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            scheme.setColor(role, text);
        QApplication::setPalette(scheme);
        init(); // a window opened under the scheme
        for (const char* label : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8", "Label9"})
            QCOMPARE(Control(label)->palette().color(QPalette::WindowText),
                     black.contains(QLatin1String(label)) ? QColor(Qt::black) : text);
        // Drawn so: the frame's edge, and the darkest pixel of a key line's text.
        const QImage shown = form_->grab().toImage();
        const QColor keyLine = black.contains(QStringLiteral("Label6")) ? QColor(Qt::black) : text;
        QCOMPARE(QColor(shown.pixel(16, 180)), keyLine);
        QRgb darkest = qRgb(255, 255, 255);
        for (int y = 153; y < 167; ++y)
            for (int x = 17; x < 207; ++x)
                if (qGray(shown.pixel(x, y)) < qGray(darkest))
                    darkest = shown.pixel(x, y);
        // Smoothed letters blend into the yellow by a unit or so.
        const auto near = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
                   std::abs(qBlue(a) - qBlue(b)) <= 2;
        };
        QVERIFY2(near(darkest, keyLine.rgb()), qPrintable(QColor(darkest).name()));

        QPalette changed = original;
        changed.setColor(QPalette::WindowText, QColor(0x800000));
        QApplication::setPalette(changed); // the scheme changes while the window is open
        QCoreApplication::processEvents();
        QCOMPARE(Control("Label6")->palette().color(QPalette::WindowText), QColor(0x800000));
        QApplication::setPalette(original);
    }

    void tabCycle()
    {
        ShowActive();
        const QStringList forwards{"Text2", "Text3", "Text4", "Command3", "Command1", "Command2", "Picture1", "Text1"};
        QCOMPARE(QApplication::focusWidget(), form_->Text1);
        for (const QString& expected : forwards) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected);
        }
        const QStringList backwards{"Picture1", "Command2", "Command1", "Command3", "Text4", "Text3", "Text2", "Text1"};
        for (const QString& expected : backwards) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected);
        }
    }

    void pictureShowsNoFocusMark()
    {
        ShowActive();
        const QImage before = form_->Picture1->grab().toImage();
        form_->Picture1->setFocus(Qt::TabFocusReason);
        QVERIFY(form_->Picture1->hasFocus());
        QCOMPARE(form_->Picture1->grab().toImage(), before);
    }

    void opensWithFvSelected()
    {
        ShowActive();
        QCOMPARE(QApplication::focusWidget(), form_->Text1);
        QCOMPARE(form_->Text1->selectedText(), QStringLiteral("0"));
    }

    void focusSelectsFirstEightCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::newRow("zero") << "0" << "0";
        QTest::newRow("eight typed") << "12345678" << "12345678";
        QTest::newRow("eleven written") << "-2100000000" << "-2100000";
        QTest::newRow("empty") << "" << "";
    }

    void focusSelectsFirstEightCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QString, selected);
        ShowActive();
        form_->Text3->WriteText(text);
        QTest::keyClick(form_->Text1, Qt::Key_Tab);
        QTest::keyClick(form_->Text2, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form_->Text3);
        QCOMPARE(form_->Text3->selectedText(), selected);
        QCOMPARE(form_->Text3->selectionStart(), text.isEmpty() ? -1 : 0);
        QTest::keyClicks(form_->Text3, "42");
        QCOMPARE(form_->Text3->text(), QString(QStringLiteral("42") + text.mid(8)));
    }

    // Every field, arrived at forwards and backwards.
    void everyFieldSelectsOnArrival()
    {
        ShowActive();
        const QList<QWidget*> cycle{form_->Text1,    form_->Text2,    form_->Text3,    form_->Text4,
                                    form_->Command3, form_->Command1, form_->Command2, form_->Picture1};
        for (int i = 0; i < 4; ++i) {
            auto* box = static_cast<TextBox*>(cycle[i]);
            box->WriteText(QStringLiteral("-2100000000"));
            for (const bool forwards : {true, false}) {
                QWidget* from = cycle[(i + (forwards ? 7 : 1)) % 8];
                from->setFocus(Qt::OtherFocusReason);
                box->deselect();
                if (forwards)
                    QTest::keyClick(from, Qt::Key_Tab);
                else
                    QTest::keyClick(from, Qt::Key_Backtab, Qt::ShiftModifier);
                QCOMPARE(QApplication::focusWidget(), box);
                QCOMPARE(box->selectedText(), QStringLiteral("-2100000"));
            }
        }
    }

    void fieldsTakeAtMostEightCharacters()
    {
        ShowActive();
        TextBox* box = form_->Text2;
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, "123456789");
        QCOMPARE(box->text(), QStringLiteral("12345678"));

        box->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("abcdefghijkl"));
        box->paste();
        QCOMPARE(box->text(), QStringLiteral("abcdefgh"));

        box->setText(QStringLiteral("1234"));
        box->end(false);
        box->paste();
        QCOMPARE(box->text(), QStringLiteral("1234abcd"));
        QCOMPARE(box->cursorPosition(), 8);
        box->setText(QStringLiteral("1234"));
        box->setCursorPosition(2);
        box->paste();
        QCOMPARE(box->text(), QStringLiteral("12abcd34"));
        QCOMPARE(box->cursorPosition(), 6); // after the pasted part that fitted

        // Typing into a full field changes nothing, wherever the caret is,
        // and whatever character follows it.
        for (const auto& [text, at, key] : {std::tuple{"12abcd34", 0, Qt::Key_9}, {"11111111", 4, Qt::Key_1},
                                             {"11111111", 0, Qt::Key_1}, {"12345678", 2, Qt::Key_3}}) {
            box->setText(QString::fromLatin1(text));
            box->setCursorPosition(at);
            QTest::keyClick(box, key);
            QCOMPARE(box->text(), QString::fromLatin1(text));
        }

        // What the program writes is shown whole; the user cannot make it grow
        // but can shorten it.
        box->WriteText(QStringLiteral("1073720970"));
        QCOMPARE(box->text(), QStringLiteral("1073720970"));
        box->end(false);
        QTest::keyClick(box, Qt::Key_5);
        QCOMPARE(box->text(), QStringLiteral("1073720970"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("107372097"));
        // Nor does undoing a deletion make it grow; it changes nothing.
        box->WriteText(QStringLiteral("ABCDEFGHIJ"));
        box->setCursorPosition(3);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("ABCEFGHIJ"));
        // Replaced by the user, it takes eight characters again, as a native
        // edit control does.
        box->WriteText(QStringLiteral("-2100000000"));
        box->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("abcdefghijklmnop"));
        box->paste();
        QCOMPARE(box->text(), QStringLiteral("abcdefgh"));
    }

    // What each key does on each focused control: a button clicks once,
    // however long the key is held; a field takes a typed character in place
    // of what arriving selected; nothing else happens, the window having no
    // default and no cancel button.
    void keysOnFocusedControls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("repeats");
        QTest::addColumn<QStringList>("after");
        const QStringList start{"0", "0", "10", "1000000"};
        const QMap<QString, QStringList> clickedOnce{
            {"Command1", {"0", "0", "10", "55"}},     // 1 + 2 + ... + 10
            {"Command2", {"0", "0", "1413", "1009"}}, // four clicks would leave 2 and 1
            {"Command3", {"0", "0", "0", "0"}},
        };
        static constexpr struct {
            const char* name;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* text;
            int repeats;
        } keys[] = {
            {"Enter", Qt::Key_Return, Qt::NoModifier, "\r", 0},
            {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", 0},
            {"Space", Qt::Key_Space, Qt::NoModifier, " ", 0},
            {"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", 0},
            {"a letter", Qt::Key_A, Qt::NoModifier, "a", 0},
            {"Enter held", Qt::Key_Return, Qt::NoModifier, "\r", 3},
            {"Space held", Qt::Key_Space, Qt::NoModifier, " ", 3},
        };
        enum Effect { N, Clicks, Types }; // N: nothing
        const struct {
            const char* control;
            Effect effects[std::size(keys)];
        } rows[] = {
            {"Text1", {N, N, Types, N, Types, N, Types}},
            {"Text2", {N, N, Types, N, Types, N, Types}},
            {"Text3", {N, N, Types, N, Types, N, Types}},
            {"Text4", {N, N, Types, N, Types, N, Types}},
            {"Command3", {Clicks, Clicks, Clicks, N, N, Clicks, Clicks}},
            {"Command1", {Clicks, Clicks, Clicks, N, N, Clicks, Clicks}},
            {"Command2", {Clicks, Clicks, Clicks, N, N, Clicks, Clicks}},
            {"Picture1", {N, N, N, N, N, N, N}},
        };
        for (const auto& row : rows)
            for (std::size_t k = 0; k < std::size(keys); ++k) {
                QStringList after = start;
                if (row.effects[k] == Clicks)
                    after = clickedOnce[row.control];
                else if (row.effects[k] == Types) // a held key types on
                    after[QString::fromLatin1(row.control).back().digitValue() - 1] =
                        QString::fromLatin1(keys[k].text).repeated(1 + keys[k].repeats);
                QTest::addRow("%s on %s", keys[k].name, row.control)
                    << row.control << int(keys[k].key) << int(keys[k].modifiers) << keys[k].text << keys[k].repeats
                    << after;
            }
    }

    void keysOnFocusedControls()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, repeats);
        QFETCH(QStringList, after);
        ShowActive();
        const QList<TextBox*> boxes{form_->Text1, form_->Text2, form_->Text3, form_->Text4};
        const QStringList start{"0", "0", "10", "1000000"};
        for (int i = 0; i < 4; ++i)
            boxes[i]->WriteText(start[i]);
        QWidget* focused = Control(control.toLatin1().constData());
        (focused == form_->Text1 ? form_->Text2 : form_->Text1)->setFocus(Qt::TabFocusReason);
        focused->setFocus(Qt::TabFocusReason); // arriving in a field selects its text
        // A held key, as the keyboard repeats it: a press, then a release and
        // a press marked as repeats, then the release.
        auto send = [&](QEvent::Type type, bool repeat) {
            QKeyEvent event(type, key, Qt::KeyboardModifiers(modifiers), text, repeat);
            QApplication::sendEvent(focused, &event);
        };
        send(QEvent::KeyPress, false);
        for (int i = 0; i < repeats; ++i) {
            send(QEvent::KeyRelease, true);
            send(QEvent::KeyPress, true);
        }
        send(QEvent::KeyRelease, false);
        QStringList shown;
        for (TextBox* box : boxes)
            shown << box->text();
        QCOMPARE(shown, after);
        QVERIFY(messages_.isEmpty());
        QVERIFY(form_->isVisible());
    }

    // The message box closes on Enter, Space and Escape, not on a letter.
    void keysOnTheMessageBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << " " << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << "\x1b" << true;
        QTest::newRow("a letter") << int(Qt::Key_A) << "a" << false;
    }

    void keysOnTheMessageBox()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, closes);
        bool closedByKey = false;
        QTimer look;
        look.setInterval(10);
        connect(&look, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            look.stop();
            // The OK button holds the box's focus.
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(ok, &press);
            QApplication::sendEvent(ok, &release);
            closedByKey = !box->isVisible();
            if (!closedByKey)
                ok->click();
        });
        look.start();
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, this, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        watchdog.start(5000);
        ShowMessageBox(nullptr, QStringLiteral("Ogiltigt GEV!"));
        QCOMPARE(closedByKey, closes);
    }

    // What Qt itself shows is Swedish too, whatever the locale.
    void contextMenuIsSwedish()
    {
        std::unique_ptr<QMenu> menu(form_->Text1->createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                texts << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        QCOMPARE(texts, (QStringList{"Ångra", "Gör om", "Klipp ut", "Kopiera", "Klistra in", "Ta bort",
                                     "Markera allt"}));
    }

    // A text the program has no Swedish for is left to Qt's catalogue, and
    // where that has none either, shown as it is.
    void textsWithoutSwedishStayAsTheyAre()
    {
        QCOMPARE(QCoreApplication::translate("QLineEdit", "No such text"), QStringLiteral("No such text"));
        QCOMPARE(qtTrId("varvik-no-such-id"), QStringLiteral("varvik-no-such-id")); // no context
    }

    void rensaResetsEveryFieldAndLeavesFocus()
    {
        ShowActive();
        form_->Text1->WriteText(QStringLiteral("abc"));
        form_->Text2->WriteText(QString());
        form_->Text3->WriteText(QStringLiteral("12"));
        form_->Text4->WriteText(QStringLiteral("-3"));
        form_->Command2->setFocus(Qt::TabFocusReason);
        QTest::mouseClick(form_->Command3, Qt::LeftButton);
        for (TextBox* box : {form_->Text1, form_->Text2, form_->Text3, form_->Text4})
            QCOMPARE(box->text(), QStringLiteral("0"));
        QVERIFY(messages_.isEmpty());
        QVERIFY(!qobject_cast<TextBox*>(QApplication::focusWidget()));
    }

    void calculationButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("messages");
        const QString overflow = QStringLiteral("Talen är för stora för att Varvik ska kunna räkna med dem (spill).");
        QTest::newRow("EP across the base") << "Command1" << QStringList{"10", "12", "15", ""}
                                            << QStringList{"10", "12", "15", "8"} << QStringList{};
        QTest::newRow("EP with commas") << "Command1" << QStringList{"10,5", "12", "15", "0"}
                                        << QStringList{"10,5", "12", "15", "8"} << QStringList{};
        QTest::newRow("FVb from 0 with a million") << "Command2" << QStringList{"0", "0", "0", "1000000"}
                                                   << QStringList{"0", "0", "1413", "1009"} << QStringList{};
        QTest::newRow("not digits") << "Command1" << QStringList{"", "abc", "5", "x"}
                                    << QStringList{"0", "0", "5", "0"}
                                    << QStringList{"Varvik kan endast räkna med siffror."};
        QTest::newRow("invalid EP") << "Command2" << QStringList{"1", "2", "3", "1000001"}
                                    << QStringList{"1", "2", "3", "0"} << QStringList{"Ogiltigt antal EP!"};
        QTest::newRow("overflow is reported, the window goes on")
            << "Command1" << QStringList{"-2000000000", "0", "46340", ""}
            << QStringList{"-2000000000", "0", "46340", "0"} << QStringList{overflow};
        QTest::newRow("large result shown whole") << "Command2" << QStringList{"-2000000000", "0", "0", "-100000000"}
                                                  << QStringList{"-2000000000", "0", "-2100000000", "0"}
                                                  << QStringList{};
        QTest::newRow("ten digits read from the first") << "Command1" << QStringList{"-9999999", "1000", "47340", "0"}
                                                        << QStringList{"-9999999", "1000", "47340", "1083721969"}
                                                        << QStringList{};
        QTest::newRow("refund read from its minus sign") << "Command1" << QStringList{"47340", "1000", "1001", "0"}
                                                         << QStringList{"47340", "1000", "1001", "-1073720969"}
                                                         << QStringList{};
    }

    void calculationButtons()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QStringList, messages);
        ShowActive();
        const QList<TextBox*> boxes{form_->Text1, form_->Text2, form_->Text3, form_->Text4};
        for (int i = 0; i < 4; ++i)
            boxes[i]->WriteText(before[i]);
        QTest::mouseClick(form_->findChild<QPushButton*>(button), Qt::LeftButton);
        QStringList shown;
        for (TextBox* box : boxes)
            shown << box->text();
        QCOMPARE(shown, after);
        QCOMPARE(messages_, messages);
        QVERIFY(form_->isVisible());
        // Whatever the program wrote is read from its first character: the
        // caret stands before it, and the view is scrolled to show it.
        for (TextBox* box : boxes) {
            box->grab();
            QCOMPARE(box->cursorPosition(), 0);
            QVERIFY2(box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < 8, qPrintable(box->text()));
        }
    }

    void messageBoxIsModalWithOneOkAndNoIcon()
    {
        // The window's font is the application's only while its controls are made.
        QCOMPARE(QApplication::font(), desktopFont_);
        bool inspected = false;
        // Looks for the box until it is there, the application's modal window.
        QTimer looking;
        looking.callOnTimeout([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            looking.stop();
            inspected = true;
            QCOMPARE(box->windowTitle(), QStringLiteral("Varvik v1.4.1"));
            QCOMPARE(box->text(), QStringLiteral("Ogiltigt GEV!"));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
            // Wide enough for the title in a bold title bar font, with room
            // for the title bar's buttons.
            QFont bold = QApplication::font();
            bold.setBold(true);
            QVERIFY(box->width() >= QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 100);
            box->button(QMessageBox::Ok)->click();
        });
        looking.start(10);
        // A watchdog, so that a box nobody closes fails the test instead of
        // hanging it; like the looking, it ends with the test.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        watchdog.callOnTimeout([] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        watchdog.start(5000);
        ShowMessageBox(nullptr, QStringLiteral("Ogiltigt GEV!"));
        QVERIFY(inspected);
    }

    void homepageLink()
    {
        ShowActive();
        QCOMPARE(form_->Label10->text(), QStringLiteral("Hemsida: ") + QUrl(QString::fromLatin1(kHomepage)).host());
        QCOMPARE(QUrl(QString::fromLatin1(kHomepage)).path(), QString());

        // A click in the part that overlaps Label11 is Label10's, too.
        QTest::mouseClick(form_->Label10, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(opened_.size(), 1);
        QCOMPARE(opened_[0].document, std::string("http://varvik.example"));
        QCOMPARE(opened_[0].operation, Shell::OptionalText("Open"));
        QVERIFY(!opened_[0].parameters);
        QVERIFY(!opened_[0].directory);
        QCOMPARE(opened_[0].showMode, 0);

        // A failed open changes nothing and says nothing.
        openSucceeds_ = false;
        QTest::mouseClick(form_->Label10, Qt::LeftButton, {}, QPoint(180, 8));
        QCOMPARE(opened_.size(), 2);
        QVERIFY(messages_.isEmpty());
        QCOMPARE(form_->Text1->text(), QStringLiteral("0"));

        // Only a left press and release both inside the label open it.
        QTest::mousePress(form_->Label10, Qt::LeftButton, {}, QPoint(20, 8));
        QTest::mouseRelease(form_->Label10, Qt::LeftButton, {}, QPoint(20, 40));
        QTest::mouseClick(form_->Label10, Qt::RightButton, {}, QPoint(20, 8));
        QTest::mouseClick(form_->Label10, Qt::MiddleButton, {}, QPoint(20, 8));
        QCOMPARE(opened_.size(), 2);

        // Other labels do nothing.
        QTest::mouseClick(Control("Label11"), Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseClick(Control("Label6"), Qt::LeftButton);
        QCOMPARE(opened_.size(), 2);
    }

    void handCursorOverTheLinkOnly()
    {
        const QCursor hand = form_->Label10->cursor();
        QCOMPARE(hand.shape(), Qt::BitmapCursor);
        QCOMPARE(hand.hotSpot(), QPoint(5, 0));
        QCOMPARE(hand.pixmap().size(), QSize(32, 32));
        QCOMPARE(Control("Label11")->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(form_->Text1->cursor().shape(), Qt::IBeamCursor);
    }

    // At the display's scale (the test runs at 1, 1.5 and 2) the icon and
    // the hand cursor keep their size in the window's units, and from 1.5 up
    // they come from the pictures drawn for twice the size.
    void picturesAtTheDisplaysScale()
    {
        const qreal ratio = form_->devicePixelRatioF();
        const QString twice = ratio > 1 ? QStringLiteral("@2x") : QString();
        const QPixmap hand = form_->Label10->cursor().pixmap();
        QCOMPARE(hand.deviceIndependentSize(), QSizeF(32, 32));
        const auto picture = [](const QString& name, const QPixmap& like) {
            return QImage(VARVIK_IMAGES_DIR "/" + name + ".png").convertToFormat(like.toImage().format());
        };
        QCOMPARE(hand.toImage(), picture("hand_cursor" + twice, hand));
        const QPixmap icon = form_->windowIcon().pixmap(QSize(32, 32), ratio);
        QCOMPARE(icon.deviceIndependentSize(), QSizeF(32, 32));
        if (ratio == 1 || ratio == 2)
            QCOMPARE(icon.toImage(), picture("icon" + twice, icon));
    }

    void shellSuccessCodes()
    {
        QVERIFY(!Shell::ShellSucceeded(0));
        QVERIFY(!Shell::ShellSucceeded(32));
        QVERIFY(Shell::ShellSucceeded(33));
        QVERIFY(Shell::ShellSucceeded(42));
    }

    // An assistive tool may ask for any child; past either end there is none.
    void accessibleChildrenOutOfRange()
    {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form_.get());
        QVERIFY(window);
        QCOMPARE(window->childCount(), 19); // every control but the two shapes
        QVERIFY(window->child(0));
        QVERIFY(window->child(18));
        QCOMPARE(window->child(-1), nullptr);
        QCOMPARE(window->child(19), nullptr);
    }

    // A reader hears of every control, the shapes too, when the window shows
    // it: none of them may be an object it can see but cannot name.
    void noVisibleUnnamedObjects()
    {
        ShowActive();
        for (QWidget* widget : form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(accessible);
            QVERIFY2(accessible->state().invisible || !accessible->text(QAccessible::Name).isEmpty(),
                     qPrintable(widget->objectName()));
        }
    }

    // On Wayland the compositor may be asked to maximise the window (Qt's
    // own title bar offers it) or to show it full screen. The window survives
    // either with its fields as they were; maximised or full screen, it takes
    // the compositor's size, and back to normal its own. Runs under a compositor
    // (tests/wayland.sh); elsewhere there is nothing to ask.
    void survivesWhatTheCompositorAsks()
    {
        if (QGuiApplication::platformName() != QLatin1String("wayland"))
            QSKIP("needs a Wayland compositor");
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        const QList<TextBox*> boxes{form_->Text1, form_->Text2, form_->Text3, form_->Text4};
        const QStringList texts{"12", "abc", "", "-2100000000"};
        for (int i = 0; i < 4; ++i)
            boxes[i]->WriteText(texts[i]);
        // The sizes the window is given, and its paints: a paint comes after
        // the compositor has taken what the window drew before it.
        QSize largest;
        int paints = 0;
        EventSpy spy(form_.get(), [&](QEvent* event) {
            if (event->type() == QEvent::Resize)
                largest = largest.expandedTo(static_cast<QResizeEvent*>(event)->size());
            else if (event->type() == QEvent::Paint)
                ++paints;
        });
        auto settled = [&] {
            const int now = paints;
            form_->update();
            QTRY_VERIFY(paints > now);
            form_->update();
            QTRY_VERIFY(paints > now + 1);
        };

        form_->windowHandle()->setWindowStates(Qt::WindowMaximized); // what the title bar's button does
        QTRY_VERIFY(largest.width() > 366);
        settled();
        form_->windowHandle()->setWindowStates(Qt::WindowNoState);
        QTRY_COMPARE(form_->size(), QSize(366, 263));

        form_->windowHandle()->setWindowStates(Qt::WindowFullScreen);
        QTRY_VERIFY(form_->width() > 366);
        settled();
        form_->windowHandle()->setWindowStates(Qt::WindowNoState);
        settled();
        QTRY_COMPARE(form_->size(), QSize(366, 263));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(boxes[i]->text(), texts[i]);
        QVERIFY(form_->close());
    }

    void screenReaderNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("described");
        QTest::newRow("Text1") << "Text1" << "FV" << "Nuvarande färdighetsvärde";
        QTest::newRow("Text2") << "Text2" << "GEV" << "Grundegenskapsvärde";
        QTest::newRow("Text3") << "Text3" << "FVb" << "Blivande färdighetsvärde";
        QTest::newRow("Text4") << "Text4" << "EP" << "Kostnad i antal erfarenhetspoäng";
        QTest::newRow("Command1") << "Command1" << "Beräkna EP" << "";
        QTest::newRow("Command2") << "Command2" << "Beräkna FVb" << "";
        QTest::newRow("Command3") << "Command3" << "Rensa" << "";
        QTest::newRow("Picture1") << "Picture1" << "Dekorlist" << "";
        QTest::newRow("Label10") << "Label10" << "Hemsida: varvik.example" << "Öppnar hemsidan i webbläsaren";
    }

    void screenReaderNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        QFETCH(QString, described);
        ShowActive();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Control(name.toLatin1().constData()));
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), spoken);
        QCOMPARE(accessible->text(QAccessible::Description), described);
        if (name == QLatin1String("Label10"))
            QCOMPARE(accessible->text(QAccessible::Value), QStringLiteral("http://varvik.example"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
