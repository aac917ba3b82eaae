#include "shell/save_prompt.h"

namespace verdin {

bool mayDiscardChanges(bool modified, const std::function<SaveAnswer()>& ask,
                       const std::function<bool()>& save) {
    if (!modified) return true;
    switch (ask()) {
        case SaveAnswer::Yes: return save();
        case SaveAnswer::No: return true;
        case SaveAnswer::Cancel: return false;
    }
    return false;
}

}  // namespace verdin
