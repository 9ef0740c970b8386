#ifndef PELMORA_HELP_PANEL_H
#define PELMORA_HELP_PANEL_H

#include <QPlainTextEdit>
#include <QString>

namespace pelmora {

// The multi-line help panel Text1. Its text carries CR LF line breaks, as every help text and
// notice is written; on screen each CR LF is one line break and long lines wrap at the panel's
// width. The user may type into it; nothing reads what is typed.
class HelpPanel : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit HelpPanel(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

  protected:
    bool event(QEvent* event) override;
};

}  // namespace pelmora

#endif
