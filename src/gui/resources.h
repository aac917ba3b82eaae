// The icons compiled into the program (resources/verdin.qrc).
#pragma once

namespace verdin::gui {

// Registers them; a static library's resources are otherwise dropped by the linker.
// Cheap to call again.
void ensureResources();

}  // namespace verdin::gui
