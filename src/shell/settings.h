// The settings file verdin.ini: the folder of the last file used and the recent-files
// list, five lines of text.
//
//   line 1   folder of the current file, with its trailing separator
//   line 2-5 recent files, most recent first (empty lines for unused entries)
//   then     "[options]" and "key=value" lines, only for options that differ from
//            their defaults
//
// Earlier versions read only the first five lines: they read such a file as before
// (and drop the options when they write it), and their files read here as defaults.
//
// It lives in $XDG_CONFIG_HOME/verdin/verdin.ini, or ~/.config/verdin/verdin.ini when
// that variable is unset. The location is computed from values handed in, so tests
// (and a portable install) can point it anywhere.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "debugger/debug_lists.h"  // the zoom limits
#include "debugger/state_time.h"
#include "machine/machine.h"
#include "shell/recent_files.h"

namespace verdin {

struct Settings {
    // The initial folder of every file dialog.
    std::string initialFolder;
    RecentFiles recent;
    // The "Intel 8080 arithmetic" menu item.
    ArithmeticRules arithmeticRules = ArithmeticRules::Workbench;
    // The "8085 timing" menu item, and Options > Clock... for each processor.
    Timing timing = Timing::Intel8080;
    int clockKHz8080 = defaultClockKHz(Timing::Intel8080);
    int clockKHz8085 = defaultClockKHz(Timing::Intel8085);
    int& clockKHz(Timing t) { return t == Timing::Intel8085 ? clockKHz8085 : clockKHz8080; }
    int clockKHz(Timing t) const { return t == Timing::Intel8085 ? clockKHz8085 : clockKHz8080; }
    // Options > Zoom: the editor's text size in points, 0 for its normal size.
    int editorZoom = 0;
    // The debug window's font size in points, chosen with its zoom keys; 0 for the
    // system's fixed font as it comes.
    int debugZoom = 0;
};

// The settings file for the given environment values (nullopt or empty means unset).
// A relative XDG_CONFIG_HOME is ignored, as the base directory rules ask. Empty when
// neither gives a place: then settings are not kept.
std::string settingsFilePath(std::optional<std::string_view> xdgConfigHome,
                             std::optional<std::string_view> home);
// The same, read from this process's environment.
std::string settingsFilePathFromEnvironment();

// The five-line text and any options; every line ends with a line break.
std::string formatSettings(const Settings& settings);
// Reads what formatSettings wrote. Missing lines leave their entries empty; a line
// end may be LF, CR LF or CR, so a file edited on another system still reads.
Settings parseSettings(std::string_view text);

// Empty settings when the file is missing or unreadable: a first start is no error.
Settings readSettings(const std::string& path);
// Writes the file, creating its folder when missing. False when it cannot be written
// (the previous file is then left as it was).
bool writeSettings(const std::string& path, const Settings& settings);

}  // namespace verdin
