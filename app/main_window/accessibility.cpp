#include "main_window/accessibility.h"

#include <utility>

#include "common/qt_text.h"
#include "common/texts.h"

namespace pelmora {

namespace {

bool trails_caption(QChar ch) {
    return ch == u'：' || ch == u':' || ch.isSpace();
}

QString accessible_name_of(const QString& caption) {
    qsizetype end = caption.size();
    while (end > 0 && trails_caption(caption[end - 1])) {
        --end;
    }
    return caption.left(end);
}

void describe(QWidget* control) {
    if (const auto help = texts::help_text(control->objectName().toStdString())) {
        control->setAccessibleDescription(qt(*help));
    }
}

}  // namespace

void describe_for_screen_readers(const Controls& c) {
    const std::pair<QLabel*, QLineEdit*> labelled[] = {
        {c.Label1, c.Text2},  {c.Label2, c.Text3},   {c.Label3, c.Text4},   {c.Label4, c.Text5},
        {c.Label5, c.Text6},  {c.Label6, c.Text7},   {c.Label7, c.Text8},   {c.Label8, c.Text9},
        {c.Label9, c.Text10}, {c.Label10, c.Text11}, {c.Label11, c.Text12},
    };
    for (const auto& [label, box] : labelled) {
        label->setBuddy(box);
        box->setAccessibleName(accessible_name_of(label->text()));
        describe(box);
    }
    for (QPushButton* button : {c.Command1, c.Command2, c.Command3}) {
        describe(button);
    }
    c.Text1->setAccessibleName(qt("ヘルプ"));
}

}  // namespace pelmora
