#include "win32/accessibility.h"

#include <initguid.h>
#include <oleacc.h>

#include <string>

#include "form/layout.h"
#include "form/texts.h"
#include "win32/main_window.h"
#include "win32/wide.h"

namespace pelmora {

void describe_for_screen_readers(const MainWindow& window) {
    IAccPropServices* service = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&service)))) {
        return;
    }
    describe_for_screen_readers(
        window, [service](HWND control, const GUID& property, std::u16string_view text) {
            std::wstring value = wide(text);
            service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    property, value.data());
        });
    // The annotations stay with the windows; the service itself is not needed any more.
    service->Release();
}

void describe_for_screen_readers(const MainWindow& window, const Annotate& annotate) {
    for (const layout::Placement& placed : layout::main_window()) {
        HWND control = window.control(placed.control);
        if (layout::label_of(placed.control)) {
            annotate(control, PROPID_ACC_NAME, texts::screen_reader_name(placed.control));
        }
        if (const auto help = texts::help_text(placed.control)) {
            // UI Automation, and with it Narrator, reads the help as a control's help text and
            // has no place for a description, which other screen readers such as NVDA read.
            annotate(control, PROPID_ACC_HELP, *help);
            annotate(control, PROPID_ACC_DESCRIPTION, *help);
        }
    }
    annotate(window.control(Control::Text1), PROPID_ACC_NAME, texts::kHelpPanelName);
}

}  // namespace pelmora
