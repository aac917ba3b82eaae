// The file side of the main window: which file the editor holds, opening and saving
// it, the recent-files list with the settings file behind it, and the files that
// Translate and Save code write.
//
// Usage (the window keeps the text; the session keeps everything about files):
//   verdin::FileSession files(platform, verdin::settingsFilePathFromEnvironment());
//   files.loadSettings();                       // at start-up
//   if (auto lines = files.open(path)) editor.setLines(*lines);
//   files.saveFile(editor.lines(), false, askForName);
//   window.setTitle(files.title(editor.modified));
//
// A failure is shown through the Platform at once and leaves the editor's text, the
// current file name and the files on disk as they were.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "files/file_names.h"
#include "shell/settings.h"
#include "files/source_file.h"

namespace verdin {

class Machine;

constexpr const char* kNotSavedMessage = "File is not saved. Please save it before translating.";

class FileSession {
public:
    // `settingsPath` empty: settings are neither read nor written.
    FileSession(Platform& platform, std::string settingsPath);

    // ---- State ----------------------------------------------------------------
    const std::string& currentFile() const { return currentFile_; }
    // The line end that saving writes: the opened file's own, LF for a new text.
    LineEnding lineEnding() const { return lineEnding_; }
    std::string title(bool modified) const { return windowTitle(currentFile_, modified); }
    const Settings& settings() const { return settings_; }
    const RecentFiles& recentFiles() const { return settings_.recent; }

    // Reads the settings file (start-up; the file dialogs take their folder from it).
    void loadSettings();
    // The Options menu's arithmetic rules, written to the settings file at once.
    void setArithmeticRules(ArithmeticRules rules);
    // Options > "8085 timing" and Options > Clock..., written at once like the rules.
    void setTiming(Timing timing);
    void setClockKHz(Timing timing, int kHz);
    // Options > Zoom (0: normal size), written at once as well.
    void setEditorZoom(int points);
    // The debug window's zoom (points, 0 for the default), written at once.
    void setDebugZoom(int points);

    // ---- Commands ---------------------------------------------------------------
    // New: an untitled text.
    void newText();

    // The whole file as editor lines, or nothing after a message ("File doesn't
    // exist.", a read error, or a refusal because it does not fit the editor).
    std::optional<std::vector<std::string>> open(const std::string& path);
    // Recent entry `index` (0-3); nothing when the entry is not in use.
    std::optional<std::vector<std::string>> openRecent(int index);

    // Save (ask = false) and Save as (ask = true). An untitled text always asks.
    // `askForName` shows the Save dialog and gives the chosen path, or nothing when
    // cancelled; a name without an extension gets ".asm". True when written.
    bool saveFile(const std::vector<std::string>& lines, bool ask,
                  const std::function<std::optional<std::string>()>& askForName);
    // Writes the lines under `path`, which becomes the current file on success.
    bool saveAs(const std::string& path, const std::vector<std::string>& lines);

    // Translate's file, written once the machine ran its translation pass (its mode is
    // still the translate mode): the translation beside the source, named after it,
    // one line per editor line 0..lastLine. An untitled or modified text is refused
    // with a warning, since the translation must match a file on disk. Returns the
    // path written, or nothing.
    std::optional<std::string> writeTranslation(Machine& machine, int lastLine, bool modified);

    // Save code: the low byte of every memory cell below the machine's
    // addressCounter, raw, to `path` (".dat" added when it has no extension). The
    // current file name stays. True when written.
    bool saveCode(const Machine& machine, const std::string& path);

private:
    void remember();  // current file to the front of the list, then the settings file

    Platform& platform_;
    std::string settingsPath_;
    Settings settings_;
    std::string currentFile_;
    LineEnding lineEnding_ = LineEnding::Lf;
};

}  // namespace verdin
