#include "qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace pelmora {

QTranslator* install_qt_translations(const QLocale& locale) {
    if (locale.language() != QLocale::Japanese) {
        return nullptr;
    }
    // Kept for the life of the program, as the application holds on to it.
    static QTranslator translator;
    if (!translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(&translator)) {
        return nullptr;
    }
    return &translator;
}

}  // namespace pelmora
