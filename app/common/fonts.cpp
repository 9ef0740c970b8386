#include "fonts.h"

#include <QStringList>

#include "qt_text.h"

namespace pelmora {

QFont japanese_font(double points, bool bold) {
    QFont font;
    font.setFamilies({qt("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace pelmora
