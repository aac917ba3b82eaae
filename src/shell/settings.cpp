#include "shell/settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/atomic_write.h"
#include "files/source_file.h"

namespace verdin {

namespace {

bool isSet(std::optional<std::string_view> value) { return value.has_value() && !value->empty(); }

constexpr std::string_view kOptionsSection = "[options]";
constexpr std::string_view kArithmeticKey = "arithmetic";
constexpr std::string_view kTimingKey = "timing";
constexpr std::string_view kClock8080Key = "clock8080";
constexpr std::string_view kClock8085Key = "clock8085";

// A clock in kHz as the file stores it; nullopt for anything else.
std::optional<int> clockValue(std::string_view text) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    const int kHz = std::stoi(std::string(text));
    if (kHz < kMinClockKHz || kHz > kMaxClockKHz) return std::nullopt;
    return kHz;
}
constexpr std::string_view kEditorZoomKey = "editorZoom";
constexpr std::string_view kDebugZoomKey = "debugZoom";

std::optional<std::string_view> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string_view(value);
}

// A zoom size in points as the file stores it; 0 (the normal size) for anything else.
int zoomFromText(std::string_view text) {
    if (text.empty() || text.size() > 2) return 0;
    int points = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        points = points * 10 + (c - '0');
    }
    return points >= kMinZoomPoints && points <= kMaxZoomPoints ? points : 0;
}

}  // namespace

std::string settingsFilePath(std::optional<std::string_view> xdgConfigHome,
                             std::optional<std::string_view> home) {
    std::filesystem::path base;
    if (isSet(xdgConfigHome) && xdgConfigHome->front() == '/') {
        base = std::filesystem::path(*xdgConfigHome);
    } else if (isSet(home)) {
        base = std::filesystem::path(*home) / ".config";
    } else {
        return {};
    }
    return (base / "verdin" / "verdin.ini").string();
}

std::string settingsFilePathFromEnvironment() {
    return settingsFilePath(environmentValue("XDG_CONFIG_HOME"), environmentValue("HOME"));
}

std::string formatSettings(const Settings& settings) {
    std::string text = settings.initialFolder + "\n";
    for (const auto& entry : settings.recent.entries) text += entry + "\n";
    std::string options;
    auto option = [&](std::string_view key, const std::string& value) {
        options += std::string(key) + "=" + value + "\n";
    };
    if (settings.arithmeticRules != ArithmeticRules::Workbench) {
        option(kArithmeticKey, arithmeticRulesKey(settings.arithmeticRules));
    }
    if (settings.timing != Timing::Intel8080) option(kTimingKey, timingKey(settings.timing));
    for (Timing t : {Timing::Intel8080, Timing::Intel8085}) {
        if (settings.clockKHz(t) != defaultClockKHz(t)) {
            option(t == Timing::Intel8080 ? kClock8080Key : kClock8085Key, std::to_string(settings.clockKHz(t)));
        }
    }
    if (settings.editorZoom != 0) option(kEditorZoomKey, std::to_string(settings.editorZoom));
    if (settings.debugZoom != 0) option(kDebugZoomKey, std::to_string(settings.debugZoom));
    if (!options.empty()) text += std::string(kOptionsSection) + "\n" + options;
    return text;
}

Settings parseSettings(std::string_view text) {
    Settings settings;
    const std::vector<std::string> lines = splitSourceText(text).lines;
    if (!lines.empty()) settings.initialFolder = lines[0];
    for (int i = 0; i < kRecentFileCount && i + 1 < static_cast<int>(lines.size()); ++i) {
        settings.recent.entries[i] = lines[i + 1];
    }
    // A value this version does not know (from a later one) keeps the default.
    bool inOptions = false;
    for (size_t i = 1 + kRecentFileCount; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (!line.empty() && line.front() == '[') {
            inOptions = line == kOptionsSection;
            continue;
        }
        size_t equals = line.find('=');
        if (!inOptions || equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == kArithmeticKey) {
            if (auto rules = arithmeticRulesFromKey(value)) settings.arithmeticRules = *rules;
        } else if (key == kTimingKey) {
            timingFromKey(value, settings.timing);
        } else if (key == kClock8080Key || key == kClock8085Key) {
            if (auto kHz = clockValue(value)) {
                settings.clockKHz(key == kClock8080Key ? Timing::Intel8080 : Timing::Intel8085) = *kHz;
            }
        } else if (key == kEditorZoomKey) {
            settings.editorZoom = zoomFromText(value);
        } else if (key == kDebugZoomKey) {
            settings.debugZoom = zoomFromText(value);
        }
    }
    return settings;
}

Settings readSettings(const std::string& path) {
    if (path.empty()) return {};
    LoadResult file = loadSourceFile(path);
    if (!file.ok) return {};
    return parseSettings(joinSourceText(file.text));
}

bool writeSettings(const std::string& path, const Settings& settings) {
    if (path.empty()) return false;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    return writeFileAtomically(path, formatSettings(settings));
}

}  // namespace verdin
