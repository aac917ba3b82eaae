// The help window on the DAD page, as a right click on DAD followed by "Open in the
// help window" leaves it, and the pop-up itself over an empty window.
#include "gui/help_popup.h"
#include "gui/help_window.h"
#include "gui/screenshots/scene.h"
#include "help/help_pages.h"

VERDIN_SCENE(help_window) {
    using namespace verdin::gui;
    HelpWindow window;
    window.resize(980, 680);
    window.showContext(verdin::help::mnemonicContext(9));  // DAD
    shots.save(window, "help_window.png");

    HelpPopup popup;
    popup.showContext(verdin::help::mnemonicContext(14), QPoint(40, 40));  // MOV
    shots.save(popup, "help_popup.png");
}
