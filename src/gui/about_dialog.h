// Help > About: the program's name and version beside its icon.
#pragma once

#include <QDialog>

namespace verdin::gui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace verdin::gui
