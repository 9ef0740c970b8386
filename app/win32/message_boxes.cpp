#include "win32/message_boxes.h"

#include "win32/wide.h"

namespace pelmora {

void ModalMessageBoxes::show(std::u16string_view title, std::u16string_view text) {
    MessageBoxW(owner_, wide(text).c_str(), wide(title).c_str(), MB_OK);
}

}  // namespace pelmora
