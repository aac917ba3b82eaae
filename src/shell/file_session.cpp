#include "shell/file_session.h"

#include <cstdint>

#include "files/atomic_write.h"
#include "machine/machine.h"
#include "shell/commands.h"
#include "translator/translate.h"

namespace verdin {

FileSession::FileSession(Platform& platform, std::string settingsPath)
    : platform_(platform), settingsPath_(std::move(settingsPath)) {}

void FileSession::loadSettings() { settings_ = readSettings(settingsPath_); }

void FileSession::setArithmeticRules(ArithmeticRules rules) {
    settings_.arithmeticRules = rules;
    writeSettings(settingsPath_, settings_);
}

void FileSession::setTiming(Timing timing) {
    settings_.timing = timing;
    writeSettings(settingsPath_, settings_);
}

void FileSession::setClockKHz(Timing timing, int kHz) {
    settings_.clockKHz(timing) = kHz;
    writeSettings(settingsPath_, settings_);
}

void FileSession::setEditorZoom(int points) {
    settings_.editorZoom = points;
    writeSettings(settingsPath_, settings_);
}

void FileSession::setDebugZoom(int points) {
    if (settings_.debugZoom == points) return;
    settings_.debugZoom = points;
    writeSettings(settingsPath_, settings_);
}

void FileSession::newText() {
    currentFile_.clear();
    lineEnding_ = LineEnding::Lf;
}

std::optional<std::vector<std::string>> FileSession::open(const std::string& path) {
    LoadResult file = loadEditorFile(path);
    if (!file.ok) {
        platform_.showMessageWithHelp({MessageKind::Error, file.error, {}, helpPageOf(file.errorCode)});
        return std::nullopt;
    }
    currentFile_ = path;
    lineEnding_ = file.text.ending;
    remember();
    if (!file.note.empty()) platform_.showMessage(MessageKind::Information, file.note);
    return std::move(file.text.lines);
}

std::optional<std::vector<std::string>> FileSession::openRecent(int index) {
    if (index < 0 || index >= settings_.recent.count()) return std::nullopt;
    // A copy: opening reorders the list the entry lives in.
    const std::string path = settings_.recent.entries[index];
    return open(path);
}

bool FileSession::saveFile(const std::vector<std::string>& lines, bool ask,
                           const std::function<std::optional<std::string>()>& askForName) {
    if (!ask && !currentFile_.empty()) return saveAs(currentFile_, lines);
    std::optional<std::string> chosen = askForName ? askForName() : std::nullopt;
    if (!chosen || chosen->empty()) return false;
    return saveAs(withDefaultExtension(*chosen, kSourceExtension), lines);
}

bool FileSession::saveAs(const std::string& path, const std::vector<std::string>& lines) {
    SourceText text{lines, lineEnding_};
    std::error_code failure;
    if (!writeFileAtomically(path, joinSourceText(text), &failure)) {
        platform_.showMessageWithHelp(messageOf({CantSaveFile}, saveFailureHint(path, failure)));
        return false;
    }
    currentFile_ = path;
    remember();
    return true;
}

std::optional<std::string> FileSession::writeTranslation(Machine& machine, int lastLine, bool modified) {
    if (currentFile_.empty() || modified) {
        platform_.showMessage(MessageKind::Warning, kNotSavedMessage);
        return std::nullopt;
    }
    return verdin::writeTranslation(machine, lastLine + 1, currentFile_);
}

bool FileSession::saveCode(const Machine& machine, const std::string& path) {
    if (path.empty()) return false;
    const std::vector<std::uint8_t> image = programImage(machine);
    const std::string bytes(image.begin(), image.end());
    const std::string output = withDefaultExtension(path, kCodeExtension);
    std::error_code failure;
    if (!writeFileAtomically(output, bytes, &failure)) {
        platform_.showMessageWithHelp(messageOf({CantSaveFile}, saveFailureHint(output, failure)));
        return false;
    }
    return true;
}

void FileSession::remember() {
    settings_.recent.add(currentFile_);
    settings_.initialFolder = folderOf(currentFile_);
    // A settings file that cannot be written costs only the list of the next start;
    // the file the user asked for was opened or saved, so no message interrupts.
    writeSettings(settingsPath_, settings_);
}

}  // namespace verdin
