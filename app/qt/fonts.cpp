#include "qt/fonts.h"

#include <QStringList>

#include "qt/qt_text.h"

namespace pelmora {

QFont font_of(layout::Font stored) {
    QFont font;
    if (stored.points == 0) {
        return font;
    }
    font.setFamilies({qt_string(layout::kJapaneseFace), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(stored.points);
    font.setBold(stored.bold);
    return font;
}

}  // namespace pelmora
