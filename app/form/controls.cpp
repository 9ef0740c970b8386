#include "form/controls.h"

#include <array>

namespace pelmora {

namespace {

// In the order of the enumeration.
constexpr std::array<std::string_view, kControlCount> kNames = {
    "Pelmora_Main", "TabStrip1", "Frame1",  "Frame2", "Frame3",    "Text1",  "Command4",
    "Label1",       "Text2",     "Label2",  "Text3",  "Label3",    "Text4",  "Command1",
    "Label4",       "Text5",     "Label5",  "Text6",  "Label6",    "Text7",  "Command2",
    "Label7",       "Text8",     "Label8",  "Text9",  "Label9",    "Text10", "Label10",
    "Text11",       "Command3",  "Label11", "Text12", "StatusBar1"};

}  // namespace

std::string_view name_of(Control control) {
    return kNames[static_cast<std::size_t>(index_of(control))];
}

}  // namespace pelmora
