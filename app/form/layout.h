#ifndef PELMORA_FORM_LAYOUT_H
#define PELMORA_FORM_LAYOUT_H

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "form/controls.h"

// The stored layout of the two windows: every control's kind, container, place, keyboard order,
// caption and font. Every front end builds its windows from these tables.
namespace pelmora::layout {

// Positions and sizes are in twips, 1/1440 inch: 15 to a pixel at 96 dots per inch. A position is
// the top-left corner within the container.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kTwipsPerPixelAt96Dpi = 15;

enum class Kind { TabStrip, Frame, HelpPanel, TextBox, Button, Label, StatusBar };

enum class Align { Left, Centre, Right };

// A font of the Japanese face at the given size, or, with 0 points, the window's default font.
struct Font {
    double points = 0;
    bool bold = false;
};

inline constexpr std::u16string_view kJapaneseFace = u"ＭＳ Ｐゴシック";

struct Placement {
    Control control;
    Kind kind;
    Control container;
    Twips at;
    int tab_index;
    std::u16string_view caption;
    Font font;
    Align align = Align::Left;
};

// Every control of the main window, in creation order.
std::span<const Placement> main_window();

// Any control but the window itself.
const Placement& placement_of(Control control);

// The controls that the Tab key visits, by rising tab index: the boxes, the buttons and the tab
// strip. The help panel is none.
std::vector<Control> keyboard_order();

// The label that stands before a box and names it; nullopt for controls without one.
std::optional<Control> label_of(Control box);

inline constexpr std::u16string_view kMainCaption = u"呼損率の計算";
// The client area, below the menu bar.
inline constexpr Twips kMainClientArea{0, 0, 8535, 5580};
inline constexpr std::u16string_view kHelpMenu = u"Help";
inline constexpr std::u16string_view kAboutItem = u"About";

struct Tab {
    std::u16string_view caption;
    std::u16string_view tooltip;
};

// The tabs of TabStrip1 from left to right; the first is selected at start.
std::span<const Tab> tabs();

// The panels of StatusBar1 from left to right. Widths are in twips; the first panel springs and
// takes what the others leave. Nothing of the program writes to them.
enum class PanelContent { Empty, Date, Time };

struct StatusPanel {
    PanelContent content;
    Align align;
    bool springs;
    int fixed_width;  // 0: as wide as its content needs, at least the minimum
    int minimum_width;
};

std::span<const StatusPanel> status_panels();

// frmSplash, the about window: a fixed dialog border without title bar, centred on the screen.
enum class AboutControl {
    frmSplash,
    Frame1,
    lblCompanyProduct,
    lblProductName,
    lblPlatform,
    lblVersion,
    Command1,
    lblCopyright,
    lblCompany,
    lblWarning,
    Label1,
};

struct AboutPlacement {
    AboutControl control;
    std::string_view name;
    Kind kind;
    Twips at;
    std::u16string_view caption;
    Font font;
    Align align;
    // A label that fits its text takes the size its text needs, from its stored corner.
    bool fits_text;
    std::optional<Rgb> colour;
};

inline constexpr Twips kAboutClientArea{0, 0, 7380, 4440};
// Without a title bar the about window shows no caption; screen readers announce it by the name
// of the menu item that opens it.
inline constexpr std::u16string_view kAboutWindowName = kAboutItem;

// Every control of the about window but the window itself; all stand in Frame1, which comes first.
std::span<const AboutPlacement> about_window();

// Where a window of `length` starts to stand in the middle of an area: the about window is centred
// on the work area of the main window's monitor, clear of the taskbar and docks. One larger than
// the area starts at its start, so that its top, with no title bar to drag it by, stays in reach.
constexpr int centred(int area_start, int area_length, int length) {
    return area_start + (area_length > length ? (area_length - length) / 2 : 0);
}

// The longest text a box takes: no limit that a paste of any reasonable size meets.
inline constexpr int kLongestBoxText = 1'000'000;

}  // namespace pelmora::layout

#endif
