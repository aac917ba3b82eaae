#include <ostream>

#include "cli/cli.h"
#include "cli/session.h"

namespace verdin::cli {

int commandTranslate(Session& session) {
    session.err << "verdin-cli: translate is not available yet\n";
    return UsageError;
}

}  // namespace verdin::cli
