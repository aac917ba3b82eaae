#include "gui/program_text.h"

#include "files/windows_1252.h"

namespace verdin::gui {

QString programText(std::string_view bytes) { return QString::fromStdString(windows1252ToUtf8(bytes)); }

std::string programBytes(const QString& text, std::size_t* leftOut) {
    Windows1252Text converted = utf8ToWindows1252(text.toStdString());
    if (leftOut != nullptr) *leftOut = converted.leftOut;
    return std::move(converted.bytes);
}

}  // namespace verdin::gui
