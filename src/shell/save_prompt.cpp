#include "shell/save_prompt.h"

#include "diagnostics/diagnostics.h"

namespace verdin {

std::string savePromptText() { return messageOf({FileWasChanged}, {}).text; }

std::string savePromptHint(std::string_view currentFile) {
    if (currentFile.empty()) return "Untitled: never saved";
    return std::string(currentFile) + ": changed since it was last saved";
}

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
