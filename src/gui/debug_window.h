// "Debug window": the modal dialog that Debug opens after a successful compile. It
// shows the program, registers, flags, memory dump, stack and ports, and steps, runs
// and stops the machine through a DebugSession (breakpoints, Step over, what
// changed and why the last command ended live there).
//
// Usage (the main window's Debug command, after compileProgram succeeded):
//   DebugWindow window(machine, platform, this);
//   connect(&window, &DebugWindow::helpRequested, ...);   // optional
//   window.exec();
//
// While it is open the window owns the message boxes, the text screen and the
// "Input value" box of the platform; the previous owner is restored when it closes.
#pragma once

#include <QDialog>
#include <QFont>
#include <QPointer>

#include "debugger/debug_lists.h"
#include "debugger/debug_session.h"
#include "debugger/step_history.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QScrollBar;

namespace verdin {
class Machine;
}

namespace verdin::gui {

class ProgramList;
class QtPlatform;

class DebugWindow : public QDialog {
    Q_OBJECT
public:
    DebugWindow(Machine& machine, QtPlatform& platform, QWidget* parent = nullptr);
    ~DebugWindow() override;

    DebugSession& session() { return session_; }
    const DebugViews& views() const { return views_; }
    QString statusText() const;
    // "Workbench arithmetic" or "Intel 8080 arithmetic", beside the status line.
    QString rulesText() const;
    // A breakpoint on program line `line` (from 0), drawn in the margin.
    void setBreakpoint(int line, bool on);
    // The font size of the whole window in points; 0 for the system's fixed font.
    void setZoom(int points);
    int zoom() const { return zoom_; }

signals:
    // The Help button or F1: the lead's help viewer shows the debug window's page.
    void helpRequested();
    // The zoom keys changed the font size (points; 0 for the default), to remember.
    void zoomChanged(int points);

public slots:
    void step();
    void stepOver();
    void stepOut();
    // Ctrl+Z: takes back the last Step or line of a Run.
    void stepBack();
    void run();
    void stop();
    // F9: a breakpoint on the selected line, or off again.
    void toggleSelectedBreakpoint();
    // Ctrl++ and Ctrl+- (direction 1 or -1); Ctrl+0 goes back to the default size.
    void zoomBy(int direction);
    void resetZoom();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void runToReturn(void (StepHistory::*command)(int));
    void buildWindow();
    void fillProgram();
    void refreshLists();
    void showStates();
    void fillRegisters();
    void fillFlags();
    void fillStack();
    void fillDump();
    void fillPorts(QListWidget* list, bool input);
    void afterCommand();
    void setRunning(bool running);
    int selectedLine() const;
    int visibleRows(QListWidget* list) const;
    void scrollView(bool stack, int action);
    void jumpToAddress();
    void editInputPort(QListWidgetItem* item);
    void editRegister(QListWidgetItem* item);
    void toggleBreakpoint(int line);
    // In debug_window_view.cpp: what the window looks like rather than what it does.
    void fitLists();
    void addZoomKeys();
    void nameForAccessibility();
    void placeTextScreen(QWidget* screen);
    void setStale(bool stale);
    // Selects `row` as the line the next Step runs, without counting as a choice.
    void showNextLine(int row);
    void chooseLine(int row);
    void followSp();
    void beforeMessage(const std::string& text, const std::string& hint);

    Machine& machine_;
    QtPlatform& platform_;
    QPointer<QWidget> previousOwner_;
    DebugSession session_;
    StepHistory history_{session_, machine_};
    DebugViews views_;

    ProgramList* program_ = nullptr;
    QListWidget* registers_ = nullptr;
    QListWidget* flags_ = nullptr;
    QListWidget* dump_ = nullptr;
    QListWidget* stack_ = nullptr;
    QListWidget* inPorts_ = nullptr;
    QListWidget* outPorts_ = nullptr;
    QScrollBar* dumpBar_ = nullptr;
    QScrollBar* stackBar_ = nullptr;
    QLineEdit* address_ = nullptr;
    QPushButton* step_ = nullptr;
    QPushButton* stepOver_ = nullptr;
    QPushButton* stepOut_ = nullptr;
    QPushButton* stepBack_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* help_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* rules_ = nullptr;  // the arithmetic rules the run follows
    QLabel* states_ = nullptr;  // the clock states of the last command and in all
    QWidget* programBox_ = nullptr;
    QWidget* registersBox_ = nullptr;
    QFont baseFont_;
    int zoom_ = 0;
    bool showingNextLine_ = false;  // the window moves the selection, not the student
    bool commandRunning_ = false;   // a Step, Step over or Run is under way
};

}  // namespace verdin::gui
