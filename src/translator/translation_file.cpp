// The translation file: the store written out line by line beside the source.
#include <algorithm>

#include "files/file_names.h"
#include "files/atomic_write.h"
#include "files/source_file.h"
#include "translator/translate.h"

namespace verdin {

std::string translationText(const Machine& machine, int editorLineCount) {
    const auto stored = static_cast<int>(
        std::clamp<std::int32_t>(machine.fields().translatedCount, 0, static_cast<std::int32_t>(machine.fields().translatedLines.size())));
    // Lines past the store (a text longer than the program store) are written empty,
    // and a short line count never drops a translated line.
    const int lines = std::max(editorLineCount, stored);
    std::string text;
    for (int i = 0; i < lines; ++i) {
        if (i < stored) text += machine.fields().translatedLines[static_cast<size_t>(i)];
        text += kPlatformLineEnd;
    }
    return text;
}

std::string translationPath(std::string_view sourcePath, std::int32_t mode) {
    const std::string name =
        translationOutputName(sourcePath, mode == TranslateX86 ? TranslationTarget::X86 : TranslationTarget::Z80);
    if (name.empty()) return name;
    return folderOf(sourcePath) + name;
}

bool writeTranslationTo(Machine& machine, int editorLineCount, const std::string& outputPath) {
    std::error_code failure;
    if (outputPath.empty()) {
        machine.fields().ownerWindow->showMessageWithHelp(messageOf({CantSaveFile}, {}));
        return false;
    }
    if (!writeFileAtomically(outputPath, translationText(machine, editorLineCount), &failure)) {
        machine.fields().ownerWindow->showMessageWithHelp(messageOf({CantSaveFile}, saveFailureHint(outputPath, failure)));
        return false;
    }
    machine.fields().ownerWindow->showMessage(MessageKind::Information, "File was saved with as " + outputPath);
    return true;
}

std::optional<std::string> writeTranslation(Machine& machine, int editorLineCount, std::string_view sourcePath) {
    std::string path = translationPath(sourcePath, machine.fields().mode);
    if (!writeTranslationTo(machine, editorLineCount, path)) return std::nullopt;
    return path;
}

}  // namespace verdin
