#include "qt/help_panel.h"

namespace pelmora {

namespace {

const QString kWindowsLineBreak = QStringLiteral("\r\n");
const QString kLineFeed = QStringLiteral("\n");

}  // namespace

HelpPanel::HelpPanel(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

QString HelpPanel::text() const {
    return toPlainText().replace(kLineFeed, kWindowsLineBreak);
}

void HelpPanel::setText(const QString& text) {
    setPlainText(QString(text).replace(kWindowsLineBreak, kLineFeed));
}

}  // namespace pelmora
