#include "pages/calculation.h"

#include <QCoreApplication>
#include <cmath>

#include "common/number_text.h"
#include "common/qt_text.h"
#include "common/texts.h"

namespace pelmora {

namespace {

constexpr std::string_view kLibraryMissing = "計算ライブラリ vantrel を読み込めませんでした";
constexpr std::string_view kNoAnswer = "この条件では計算できません。入力値を見直してください";

}  // namespace

QString shown_without_blank(double value) {
    QString text = QString::fromStdString(number_text(value));
    if (text.startsWith(QLatin1Char(' '))) {
        text.remove(0, 1);
    }
    return text;
}

bool Calculation::all_finite(std::initializer_list<double> values) {
    for (const double value : values) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

std::optional<double> Calculation::search(const std::function<EngineAnswer()>& call_engine) {
    panel_->setText(qt(texts::wait_text()));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const EngineAnswer answer = call_engine();
    if (!answer.value) {
        messages_.show(qt(texts::kErrorTitle),
                       qt(kLibraryMissing) + qt(texts::kLineBreak) + answer.failure);
        finish();
        return std::nullopt;
    }
    return answer.value;
}

void Calculation::no_answer() {
    messages_.show(qt(texts::kErrorTitle), qt(kNoAnswer));
    finish();
}

void Calculation::finish() {
    panel_->setText(QString());
    first_box_->setFocus(Qt::OtherFocusReason);
}

}  // namespace pelmora
