#pragma once

#include "ui/toolkit/host.h"
#include "ui/toolkit/window.h"

#include <string_view>

namespace morva::app {

// The program's modal message box, built from the skin resource "XML_MSG" (class "MsgWnd").
class CMsgWnd {
public:
    enum Buttons { kConfirmOnly = 0, kConfirmCancel = 1 };

    // Shows the box over the owner and returns 1 when the user confirmed, 0 otherwise. An empty
    // title keeps the skin's; textIsKey makes the text a language key. The DPI applies to every
    // window of the toolkit (an unsupported one is traced and read as 96). Buttons other than
    // 0 and 1 keep the skin's. When the skin cannot be built the host's plain box answers.
    static int ShowMessage(ui::Toolkit& toolkit, ui::Window* owner, std::string_view title,
                           std::string_view text, int dpi, bool textIsKey, int buttons);
};

// The box for a request of the toolkit's kind: at the owner's DPI (96 without an owner), with
// the confirm button alone or with confirm and cancel.
int showMessageBox(ui::Toolkit& toolkit, ui::Window* owner, std::string_view title,
                   std::string_view text, bool textIsKey, ui::MessageBoxButtons buttons);

// The message box's DPI: one the interface supports as itself, any other traced
// ("MSG_WND DPI SET ERROR") and read as 96.
int messageBoxDpi(int dpi);

} // namespace morva::app
