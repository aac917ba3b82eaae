// The editor fed arbitrary keys, characters, pastes, mouse and scroll inputs and
// commands. Its buffer never exceeds its capacity, and undoing everything gives
// back the text it started from (for sequences short enough that the history keeps
// every step).
#include <cstdlib>

#include "fuzz_support.h"
#include "shell/clipboard.h"
#include "shell/editor_controller.h"
#include "files/source_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace verdin;
    fuzz::ByteReader in{data, size};
    MemoryClipboard clipboard;
    EditorController editor(&clipboard);
    editor.setVisibleLines(1 + in.byte() % 40);
    const std::string start = in.text(200);
    (void)editor.loadText(start);
    const std::string initial = editor.text();

    constexpr int kKeys = static_cast<int>(EditorKey::Delete) + 1;
    constexpr int kScrolls = static_cast<int>(ScrollAction::Bottom) + 1;
    // Each input makes at most one undo step, of at most two texts of the capacity:
    // this many stay well inside the history's step and byte bounds.
    constexpr int kWholeHistory = 200;
    int inputs = 0;
    while (!in.empty() && inputs++ < 2000) {
        const std::uint8_t op = in.byte();
        switch (op % 16) {
            case 4: {
                const std::uint8_t k = in.byte();
                editor.press(static_cast<EditorKey>(k % kKeys), (k & 0x40) != 0, (k & 0x80) != 0);
                break;
            }
            case 5: editor.keyDown(static_cast<EditorKey>(in.byte() % kKeys)); break;
            case 6: editor.keyUp(static_cast<EditorKey>(in.byte() % kKeys)); break;
            case 7: clipboard.setText(in.text(255)); (void)editor.paste(); break;
            case 8: editor.copy(); break;
            case 9: editor.cut(); break;
            case 10: editor.selectAll(); break;
            case 11: (void)editor.undo(); break;
            case 12: (void)editor.redo(); break;
            case 13: {
                const int line = static_cast<std::int8_t>(in.byte()), column = static_cast<std::int8_t>(in.byte());
                const std::uint8_t what = in.byte() % 4;
                if (what == 0) editor.mouseDown(line, column);
                else if (what == 1) editor.mouseMove(line, column, true);
                else if (what == 2) editor.mouseUp();
                else editor.autoScrollTick();
                break;
            }
            case 14: editor.scroll(static_cast<ScrollAction>(in.byte() % kScrolls), static_cast<std::int8_t>(in.byte())); break;
            case 15:
                (void)editor.statusText();
                (void)editor.lineRuns(in.byte());
                break;
            default: (void)editor.typeChar(in.byte());  // 0 to 3
        }
        if (editor.text().size() > kEditorCapacity) std::abort();
    }
    if (inputs > kWholeHistory) return 0;
    while (editor.undo()) {
    }
    if (editor.text() != initial) std::abort();
    return 0;
}
