#include "main_window/layout.h"

#include <QMenuBar>
#include <algorithm>
#include <vector>

#include "common/fonts.h"
#include "common/qt_text.h"
#include "common/twips.h"

namespace pelmora {

namespace {

constexpr const char* kTabIndexProperty = "tabIndex";

template <class Widget>
Widget* place(Widget* widget, const char* name, Twips at, int tab_index) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(pixels(at));
    widget->setProperty(kTabIndexProperty, tab_index);
    return widget;
}

struct Tab {
    const char* caption;
    const char* tooltip;
};

constexpr Tab kTabs[] = {
    {"アーラン", "呼損率の計算を行います"},
    {"必要回線数", "コール数から必要回線数を計算します"},
    {"処理可能呼数", "回線数から処理可能呼数を計算します"},
};

// Only the tabs and the page border show: the pages are empty and transparent, and the frames and
// the help panel stand above them.
QTabWidget* tab_strip(QWidget* parent) {
    auto* strip = new QTabWidget(parent);
    for (const Tab& tab : kTabs) {
        const int index = strip->addTab(new QWidget, qt(tab.caption));
        strip->setTabToolTip(index, qt(tab.tooltip));
    }
    return strip;
}

QGroupBox* frame(QWidget* parent, const char* caption) {
    return new QGroupBox(qt(caption), parent);
}

HelpPanel* help_panel(QWidget* parent) {
    auto* panel = new HelpPanel(parent);
    panel->setFont(japanese_font(11.25));
    // Not a tab stop: the keyboard goes from the tab strip straight on to the page or the close
    // button, and focus on the panel shows no help of its own.
    panel->setFocusPolicy(Qt::ClickFocus);
    return panel;
}

// Texts of a box are not limited beyond what a paste of any size needs.
constexpr int kLongestBoxText = 1'000'000;

QLineEdit* text_box(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setFont(japanese_font(14.25, true));
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    box->setMaxLength(kLongestBoxText);
    return box;
}

QPushButton* button(QWidget* parent, const char* caption) {
    auto* button = new QPushButton(qt(caption), parent);
    button->setAutoDefault(false);
    return button;
}

// Right-aligned, so that the colons stand next to the boxes.
QLabel* label(QWidget* parent, const char* caption) {
    auto* label = new QLabel(qt(caption), parent);
    label->setFont(japanese_font(12));
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return label;
}

// The Tab key follows the tab indices, skipping what takes no focus; Qt skips hidden pages.
void chain_tab_order(QWidget* root) {
    std::vector<QWidget*> stops;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (widget->property(kTabIndexProperty).isValid() &&
            (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) {
            stops.push_back(widget);
        }
    }
    std::sort(stops.begin(), stops.end(), [](QWidget* a, QWidget* b) {
        return a->property(kTabIndexProperty).toInt() < b->property(kTabIndexProperty).toInt();
    });
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(stops[i - 1], stops[i]);
    }
}

}  // namespace

Controls build_main_window(QMainWindow& window, StatusBar::Clock clock) {
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    Controls c;
    // In creation order, which is also the stacking order: the tab strip lies beneath the rest.
    c.TabStrip1 = place(tab_strip(client), "TabStrip1", {120, 120, 8295, 4455}, 6);
    c.Frame1 = place(frame(client, "アーラン の 計算"), "Frame1", {240, 600, 5055, 3855}, 7);
    c.Frame2 = place(frame(client, "必要回線数 の 計算"), "Frame2", {240, 600, 5055, 3855}, 13);
    c.Frame3 =
        place(frame(client, "処理可能アクセス数 の 計算"), "Frame3", {240, 600, 5055, 3855}, 21);
    c.Text1 = place(help_panel(client), "Text1", {5400, 720, 2775, 3735}, 9);
    c.Command4 = place(button(client, "閉じる"), "Command4", {3000, 4680, 2535, 495}, 31);
    c.Label1 = place(label(c.Frame1, "呼数 ："), "Label1", {240, 480, 2055, 255}, 8);
    c.Text2 = place(text_box(c.Frame1), "Text2", {2520, 360, 2415, 375}, 1);
    c.Label2 = place(label(c.Frame1, "平均通話時間 ："), "Label2", {240, 960, 2055, 375}, 10);
    c.Text3 = place(text_box(c.Frame1), "Text3", {2520, 840, 2415, 375}, 2);
    c.Label3 = place(label(c.Frame1, "１日の稼働時間："), "Label3", {120, 1440, 2175, 255}, 11);
    c.Text4 = place(text_box(c.Frame1), "Text4", {2520, 1320, 2415, 375}, 3);
    c.Command1 = place(button(c.Frame1, "↓ 呼量計算"), "Command1", {1560, 1920, 1695, 495}, 4);
    c.Label4 = place(label(c.Frame1, "呼量 （ｱｰﾗﾝ）："), "Label4", {240, 2760, 2055, 255}, 12);
    c.Text5 = place(text_box(c.Frame1), "Text5", {2520, 2640, 2415, 375}, 5);
    c.Label5 = place(label(c.Frame2, "呼量 （ｱｰﾗﾝ） ："), "Label5", {240, 480, 2055, 255}, 14);
    c.Text6 = place(text_box(c.Frame2), "Text6", {2520, 360, 2415, 375}, 15);
    c.Label6 = place(label(c.Frame2, "呼損率 ："), "Label6", {120, 960, 2175, 255}, 19);
    c.Text7 = place(text_box(c.Frame2), "Text7", {2520, 840, 2415, 375}, 16);
    c.Command2 =
        place(button(c.Frame2, "↓ 必要回線数計算"), "Command2", {1680, 1560, 1695, 495}, 17);
    c.Label7 = place(label(c.Frame2, "必要回線数 ："), "Label7", {240, 2520, 2055, 255}, 20);
    c.Text8 = place(text_box(c.Frame2), "Text8", {2520, 2400, 2415, 375}, 18);
    c.Label8 = place(label(c.Frame3, "呼損率 ："), "Label8", {120, 480, 2175, 255}, 22);
    c.Text9 = place(text_box(c.Frame3), "Text9", {2520, 360, 2415, 375}, 23);
    c.Label9 = place(label(c.Frame3, "必要回線数 ："), "Label9", {240, 960, 2055, 255}, 28);
    c.Text10 = place(text_box(c.Frame3), "Text10", {2520, 840, 2415, 390}, 24);
    c.Label10 = place(label(c.Frame3, "平均通話時間 ："), "Label10", {120, 1440, 2175, 375}, 29);
    c.Text11 = place(text_box(c.Frame3), "Text11", {2520, 1320, 2415, 390}, 25);
    c.Command3 = place(button(c.Frame3, "↓ １時間当たりの処理可能呼数"), "Command3",
                       {1200, 2040, 3135, 495}, 26);
    c.Label11 = place(label(c.Frame3, "処理可能呼数 ："), "Label11", {120, 3000, 2295, 375}, 30);
    c.Text12 = place(text_box(c.Frame3), "Text12", {2520, 2880, 2415, 375}, 27);
    c.StatusBar1 = new StatusBar(std::move(clock), &window);
    c.StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    window.setStatusBar(c.StatusBar1);
    chain_tab_order(client);
    return c;
}

}  // namespace pelmora
