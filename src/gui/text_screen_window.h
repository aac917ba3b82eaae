// "Text screen": the modeless window in which a program's RST 7 output and the
// table listings of RST 4 appear. Its lines come from the machine through the
// Platform; closing it (Esc or the close box) tells the machine to forget them.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

namespace verdin::gui {

class TextScreenWindow : public QDialog {
    Q_OBJECT
public:
    explicit TextScreenWindow(QWidget* owner);

    // Shows exactly these lines; only the rows that differ from what is shown are
    // touched, so a program that prints line after line stays cheap to follow.
    void setLines(const std::vector<std::string>& lines);
    // The text's size in points (0: the fixed font's own); the window grows with it.
    void setPointSize(int points);
    QStringList lines() const;
    QListWidget* list() const { return list_; }

    // Closed by the machine (end of the program), not by the student.
    void closeQuietly();

signals:
    void closedByUser();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QListWidget* list_;
    std::vector<std::string> shown_;
    bool closing_ = false;
    bool scrollPending_ = false;
};

}  // namespace verdin::gui
