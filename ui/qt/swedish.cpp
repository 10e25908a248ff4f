#include "swedish.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstring>

namespace varvik::ui {

namespace {

// The texts of Qt's own that the window shows, in the program's Swedish.
class ProgramSwedish : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override
    {
        static const struct {
            const char *context, *source, *swedish;
        } kTexts[] = {
            {"QLineEdit", "&Undo", "&Ångra"},           {"QLineEdit", "&Redo", "&Gör om"},
            {"QLineEdit", "Cu&t", "Klipp &ut"},         {"QLineEdit", "&Copy", "&Kopiera"},
            {"QLineEdit", "&Paste", "Klistra &in"},     {"QLineEdit", "Delete", "Ta bort"},
            {"QLineEdit", "Select All", "Markera allt"}, {"QPlatformTheme", "OK", "OK"},
        };
        (void)disambiguation;
        (void)n;
        // Texts looked up by an id alone (qtTrId) come without a context.
        if (!context || !source)
            return {};
        for (const auto& text : kTexts)
            if (!std::strcmp(context, text.context) && !std::strcmp(source, text.source))
                return QString::fromUtf8(text.swedish);
        return {}; // not ours: Qt's catalogue, or the text itself
    }
};

} // namespace

void InstallSwedish(QCoreApplication& application)
{
    auto* catalogue = new QTranslator(&application);
    if (catalogue->load(QStringLiteral("qt_sv"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(catalogue);
    // Installed last, so asked first.
    QCoreApplication::installTranslator(new ProgramSwedish(&application));
}

} // namespace varvik::ui
