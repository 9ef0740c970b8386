#ifndef PELMORA_TRANSLATIONS_H
#define PELMORA_TRANSLATIONS_H

#include <QLocale>
#include <QTranslator>

namespace pelmora {

// Qt's own texts (the boxes' context menus above all) in Japanese, as the rest of the program,
// where the user's language is Japanese; elsewhere they stay as Qt has them. Returns the
// translation installed, or null where there is none.
QTranslator* install_qt_translations(const QLocale& locale = QLocale());

}  // namespace pelmora

#endif
