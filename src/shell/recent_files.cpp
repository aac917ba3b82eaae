#include "shell/recent_files.h"

#include <cstdio>
#include <vector>

#include "files/file_names.h"

namespace verdin {

namespace {
// A menu reads "&" as the mark of the access key; a name's own must stay visible.
std::string escapeAmpersands(std::string_view text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}
}  // namespace

int RecentFiles::count() const {
    int n = 0;
    while (n < kRecentFileCount && !entries[n].empty()) ++n;
    return n;
}

void RecentFiles::add(std::string_view path) {
    if (path.empty()) return;
    std::vector<std::string> list{std::string(path)};
    for (int i = 0; i < count(); ++i) {
        if (entries[i] != path) list.push_back(entries[i]);
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
        entries[i] = i < static_cast<int>(list.size()) ? list[i] : std::string();
    }
}

std::string RecentFiles::menuItemText(int index) const {
    if (index < 0 || index >= count()) return {};
    char number[16];
    std::snprintf(number, sizeof number, "&%d ", index + 1);
    const std::string name = fileNamePart(entries[index]);
    std::string text = number + escapeAmpersands(name);
    // Two labs' main.asm must not look alike: equal names show where they live.
    for (int other = 0; other < count(); ++other) {
        if (other != index && fileNamePart(entries[other]) == name) {
            std::string folder = folderOf(entries[index]);
            if (folder.size() > 1) folder.pop_back();  // the separator, but not a root's
            return text + "  (" + escapeAmpersands(folder) + ")";
        }
    }
    return text;
}

int RecentFiles::indexOfCommand(int id) {
    const int index = id - kFirstRecentFileCommand;
    return index >= 0 && index < kRecentFileCount ? index : -1;
}

}  // namespace verdin
