// The Qt side of the program bytes' one encoding (files/windows_1252.h): every widget
// that shows program bytes, or takes text that becomes program bytes, goes through
// these two.
#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace verdin::gui {

QString programText(std::string_view bytes);

// `leftOut`, when given, receives the number of characters that had no byte and no
// ASCII stand-in.
std::string programBytes(const QString& text, std::size_t* leftOut = nullptr);

}  // namespace verdin::gui
