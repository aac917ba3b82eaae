// The recent-files list of the File menu: four full paths, most recent first.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace verdin {

constexpr int kRecentFileCount = 4;
// Command ids of the four menu items, in list order.
constexpr int kFirstRecentFileCommand = 32791;
// Menu position of the first recent item in the File menu.
constexpr int kRecentFilesMenuPosition = 5;

class RecentFiles {
public:
    // An empty entry ends the list; entries after it are never shown.
    std::array<std::string, kRecentFileCount> entries{};

    // The entries in use: those before the first empty one.
    int count() const;

    // Puts `path` in front. An entry for the same path moves rather than repeats;
    // the oldest drops out when all four were in use. An empty path changes nothing.
    void add(std::string_view path);

    // The menu text of entry i: "&1 prog.asm" (the ampersand marks the access key).
    // When another entry has the same file name, its folder follows:
    // "&1 main.asm  (/home/ann/lab1)". Empty for an entry not in use.
    std::string menuItemText(int index) const;

    static constexpr int commandId(int index) { return kFirstRecentFileCommand + index; }
    // The index of a recent-file command, or -1 for any other command id.
    static int indexOfCommand(int commandId);
};

}  // namespace verdin
