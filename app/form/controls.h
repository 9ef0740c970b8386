#ifndef PELMORA_FORM_CONTROLS_H
#define PELMORA_FORM_CONTROLS_H

#include <string_view>

namespace pelmora {

// The main window and its controls, named as in the window's design, in the order in which the
// window creates them. That is also their stacking order: the tab strip lies beneath the rest.
enum class Control {
    Pelmora_Main,  // the window itself, the container of every control outside the frames
    TabStrip1,
    Frame1,
    Frame2,
    Frame3,
    Text1,
    Command4,
    Label1,
    Text2,
    Label2,
    Text3,
    Label3,
    Text4,
    Command1,
    Label4,
    Text5,
    Label5,
    Text6,
    Label6,
    Text7,
    Command2,
    Label7,
    Text8,
    Label8,
    Text9,
    Label9,
    Text10,
    Label10,
    Text11,
    Command3,
    Label11,
    Text12,
    StatusBar1,
};

inline constexpr int kControlCount = static_cast<int>(Control::StatusBar1) + 1;

constexpr int index_of(Control control) {
    return static_cast<int>(control);
}

// "Text7" for Control::Text7.
std::string_view name_of(Control control);

// How a calculate button has judged a box. Unmarked boxes keep the system's colours.
enum class Mark { None, Accepted, Error };

struct Rgb {
    int red;
    int green;
    int blue;
};

inline constexpr Rgb kAcceptedBackground{255, 255, 255};
inline constexpr Rgb kErrorBackground{255, 0, 0};
// Black on both marks: a dark desktop theme's light text would vanish on the white one.
inline constexpr Rgb kMarkedText{0, 0, 0};

}  // namespace pelmora

#endif
