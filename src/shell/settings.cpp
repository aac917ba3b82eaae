#include "shell/settings.h"

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
constexpr std::string_view kDebugZoomKey = "debugZoom";

std::optional<std::string_view> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string_view(value);
}

// A size the zoom keys cannot give (or no number at all) is the default.
int debugZoomFromText(std::string_view text) {
    if (text.empty() || text.size() > 2) return 0;
    int points = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        points = points * 10 + (c - '0');
    }
    return points >= 6 && points <= 32 ? points : 0;
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
    const bool rules = settings.arithmeticRules != ArithmeticRules::Workbench;
    const bool zoom = settings.debugZoom != 0;
    if (rules || zoom) text += std::string(kOptionsSection) + "\n";
    if (rules) text += std::string(kArithmeticKey) + "=" + arithmeticRulesKey(settings.arithmeticRules) + "\n";
    if (zoom) text += std::string(kDebugZoomKey) + "=" + std::to_string(settings.debugZoom) + "\n";
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
        if (key == kDebugZoomKey) {
            settings.debugZoom = debugZoomFromText(value);
            continue;
        }
        if (key != kArithmeticKey) continue;
        if (auto rules = arithmeticRulesFromKey(value)) settings.arithmeticRules = *rules;
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
