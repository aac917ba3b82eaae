// The question asked before a command would discard unsaved changes (New, Open, a
// recent file, Exit, closing the window).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace verdin {

// The question, from the message table: shown with the caption "Warning", the
// exclamation icon and Yes / No / Cancel.
std::string savePromptText();

// The line under the question that says which text it is about:
// "/home/ann/lab1/main.asm: changed since it was last saved", or "Untitled: never saved".
std::string savePromptHint(std::string_view currentFile);

enum class SaveAnswer { Yes, No, Cancel };

// True when the pending command may go on. Unmodified text goes on without asking.
// Yes goes on only when `save` succeeded (a cancelled Save dialog or a failed write
// keeps the text); No goes on without saving; Cancel abandons the command.
bool mayDiscardChanges(bool modified, const std::function<SaveAnswer()>& ask,
                       const std::function<bool()>& save);

}  // namespace verdin
