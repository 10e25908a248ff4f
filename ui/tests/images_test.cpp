// The committed images are what the generator draws, and each has the size,
// colour depth and features the window relies on.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class ImagesTest : public QObject {
    Q_OBJECT

private:
    static QImage Committed(const char* name)
    {
        return QImage(QStringLiteral(VARVIK_IMAGES_DIR "/") + QLatin1String(name));
    }

private slots:
    void generatorIsDeterministic()
    {
        QTemporaryDir out;
        QVERIFY(out.isValid());
        QCOMPARE(QProcess::execute(QStringLiteral(VARVIK_MAKE_IMAGES), {out.path()}), 0);
        for (const char* name : {"background.png", "icon.png", "hand_cursor.png", "background@2x.png", "icon@2x.png",
                                 "hand_cursor@2x.png", "icon-16.png", "icon-24.png", "icon-48.png", "icon-128.png",
                                 "icon-192.png", "icon-256.png", "icon-512.png", "icon-maskable-512.png"}) {
            const QImage drawn(QDir(out.path()).filePath(QLatin1String(name)));
            const QImage committed = Committed(name);
            QVERIFY2(!committed.isNull(), name);
            QVERIFY2(drawn.convertToFormat(QImage::Format_ARGB32) == committed.convertToFormat(QImage::Format_ARGB32),
                     name);
        }
        // The Windows executable carries these byte for byte.
        for (const char* name : {"background.bmp", "icon.ico", "hand_cursor.cur", "background.rgb",
                                 "background@2x.bmp", "hand_cursor@2x.cur"}) {
            QFile drawn(QDir(out.path()).filePath(QLatin1String(name)));
            QFile committed(QStringLiteral(VARVIK_IMAGES_DIR "/") + QLatin1String(name));
            QVERIFY2(drawn.open(QIODevice::ReadOnly) && committed.open(QIODevice::ReadOnly), name);
            QVERIFY2(drawn.readAll() == committed.readAll(), name);
        }
    }

    // The Windows formats show the same pictures as the PNGs, read by a
    // decoder other than the one that wrote them.
    void windowsFormatsMatchThePictures_data()
    {
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QString>("png");
        QTest::newRow("background") << "background.bmp" << "background.png";
        QTest::newRow("icon") << "icon.ico" << "icon.png";
        QTest::newRow("background at twice the size") << "background@2x.bmp" << "background@2x.png";
    }

    void windowsFormatsMatchThePictures()
    {
        QFETCH(QString, windows);
        QFETCH(QString, png);
        const QImage decoded(QStringLiteral(VARVIK_IMAGES_DIR "/") + windows);
        QVERIFY(!decoded.isNull());
        QCOMPARE(decoded.convertToFormat(QImage::Format_ARGB32),
                 Committed(png.toLatin1().constData()).convertToFormat(QImage::Format_ARGB32));
    }

    void background()
    {
        const QImage picture = Committed("background.png");
        QCOMPARE(picture.size(), QSize(480, 360));
        QVERIFY(!picture.hasAlphaChannel());
        // 24-bit colour: the PNG header says 8 bits a channel, truecolour without alpha.
        QFile file(QStringLiteral(VARVIK_IMAGES_DIR "/background.png"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(26);
        QCOMPARE(int(header[24]), 8);
        QCOMPARE(int(header[25]), 2);
        double sum[3] = {0, 0, 0};
        for (int y = 0; y < 263; ++y)
            for (int x = 0; x < 366; ++x) {
                const QRgb p = picture.pixel(x, y);
                sum[0] += qRed(p);
                sum[1] += qGreen(p);
                sum[2] += qBlue(p);
            }
        const double n = 366.0 * 263.0;
        QVERIFY(qAbs(sum[0] / n - 0xB3) < 3 && qAbs(sum[1] / n - 0xB9) < 3 && qAbs(sum[2] / n - 0x2F) < 3);
        // The glow near (253, 152) is the brightest part, yellow.
        const QColor glow = picture.pixelColor(253, 152);
        QVERIFY(glow.red() > 230 && glow.green() > 230 && glow.blue() < 100);
        // The lower half is darker than the glow's row.
        QVERIFY(qGray(picture.pixel(100, 330)) < qGray(picture.pixel(253, 152)));
    }

    void icon()
    {
        const QImage icon = Committed("icon.png");
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon.format(), QImage::Format_Indexed8);
        QCOMPARE(icon.colorCount(), 256);
        QCOMPARE(qAlpha(icon.pixel(0, 31)), 0);
        QSet<QRgb> colours;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                colours.insert(icon.pixel(x, y));
        QCOMPARE(colours, (QSet<QRgb>{qRgba(0, 0, 0, 0), qRgb(0, 0, 0), qRgb(0xFF, 0xFF, 0x6B), qRgb(0x7A, 0xB9, 0)}));
    }

    // The pictures for displays at twice the scale: twice the pixels, the
    // same colours, the hand's fingertip at twice its place.
    // The raw pixels the Qt window shows are the PNG's, as far as the window
    // shows it.
    void rawBackground()
    {
        QFile file(QStringLiteral(VARVIK_IMAGES_DIR "/background.rgb"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray raw = file.readAll();
        QCOMPARE(raw.size(), 366 * 263 * 3);
        const QImage image(reinterpret_cast<const uchar*>(raw.constData()), 366, 263, 366 * 3, QImage::Format_RGB888);
        QCOMPARE(image.convertToFormat(QImage::Format_ARGB32),
                 Committed("background.png").copy(0, 0, 366, 263).convertToFormat(QImage::Format_ARGB32));
    }

    void twiceTheScale()
    {
        const QImage background = Committed("background@2x.png");
        QCOMPARE(background.size(), QSize(960, 720));
        QVERIFY(!background.hasAlphaChannel());
        const QImage icon = Committed("icon@2x.png");
        QCOMPARE(icon.size(), QSize(64, 64));
        QSet<QRgb> colours;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                colours.insert(icon.pixel(x, y));
        QCOMPARE(colours, (QSet<QRgb>{qRgba(0, 0, 0, 0), qRgb(0, 0, 0), qRgb(0xFF, 0xFF, 0x6B), qRgb(0x7A, 0xB9, 0)}));
        const QImage hand = Committed("hand_cursor@2x.png");
        QCOMPARE(hand.size(), QSize(64, 64));
        QCOMPARE(hand.pixel(10, 0), qRgb(0, 0, 0));
        QCOMPARE(hand.pixel(11, 0), qRgb(0, 0, 0));
        QRect covered;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (qAlpha(hand.pixel(x, y)) != 0)
                    covered |= QRect(x, y, 1, 1);
        QCOMPARE(covered, QRect(0, 0, 34, 44));
    }

    // The icon at every size a desktop asks for, in the icon's four colours.
    void iconSizes()
    {
        const std::pair<const char*, int> icons[] = {{"icon-16.png", 16},   {"icon-24.png", 24},
                                                     {"icon-48.png", 48},   {"icon-128.png", 128},
                                                     {"icon-192.png", 192}, {"icon-256.png", 256},
                                                     {"icon-512.png", 512}};
        const QSet<QRgb> palette{qRgba(0, 0, 0, 0), qRgb(0, 0, 0), qRgb(0xFF, 0xFF, 0x6B), qRgb(0x7A, 0xB9, 0)};
        for (const auto& [name, size] : icons) {
            const QImage icon = Committed(name);
            QCOMPARE(icon.size(), QSize(size, size));
            QSet<QRgb> colours;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    colours.insert(icon.pixel(x, y));
            QCOMPARE(colours, palette);
        }
    }

    // A phone may cut the maskable icon down to a circle of 0.4 times its
    // size about the middle: all of the name lies within it, and nothing of
    // the picture is transparent.
    void maskableIconInItsSafeZone()
    {
        const QImage icon = Committed("icon-maskable-512.png");
        QCOMPARE(icon.size(), QSize(512, 512));
        const QRgb backdrop = icon.pixel(0, 0);
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x) {
                QCOMPARE(qAlpha(icon.pixel(x, y)), 255);
                const double dx = x + 0.5 - 256, dy = y + 0.5 - 256;
                if (icon.pixel(x, y) != backdrop)
                    QVERIFY(dx * dx + dy * dy <= 204.8 * 204.8);
            }
    }

    void handCursor()
    {
        const QImage hand = Committed("hand_cursor.png");
        QCOMPARE(hand.size(), QSize(32, 32));
        QCOMPARE(hand.pixel(5, 0), qRgb(0, 0, 0)); // the fingertip, its hot spot
        QRect covered;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb p = hand.pixel(x, y);
                QVERIFY(qAlpha(p) == 0 || p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255));
                if (qAlpha(p) != 0)
                    covered |= QRect(x, y, 1, 1);
            }
        QCOMPARE(covered, QRect(0, 0, 17, 22));

        // The cursor file: one 32 x 32 image, two colours, hot spot (5, 0).
        QFile file(QStringLiteral(VARVIK_IMAGES_DIR "/hand_cursor.cur"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(14);
        QCOMPARE(header, QByteArray("\0\0\2\0\1\0\x20\x20\2\0\5\0\0\0", 14));
    }
};

QTEST_GUILESS_MAIN(ImagesTest)
#include "images_test.moc"
