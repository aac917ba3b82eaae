#include "shell/recent_files.h"

#include <cstdio>
#include <vector>

#include "files/file_names.h"

namespace verdin {

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
    return number + fileNamePart(entries[index]);
}

int RecentFiles::indexOfCommand(int id) {
    const int index = id - kFirstRecentFileCommand;
    return index >= 0 && index < kRecentFileCount ? index : -1;
}

}  // namespace verdin
