#include "ui/common_controls.h"

#include <windows.h>
#include <commctrl.h>

void EnsureCommonControls() {
    // The classes the program makes windows of: list views, up-down arrows, tips, and
    // the date field of the further windows. Its tool bars are drawn.
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls),
                                      ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES | ICC_DATE_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}
