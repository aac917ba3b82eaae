#include "gui/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initVerdinResources() { Q_INIT_RESOURCE(verdin); }

namespace verdin::gui {

void ensureResources() {
    static const bool done = [] {
        initVerdinResources();
        return true;
    }();
    (void)done;
}

}  // namespace verdin::gui
