// The main window: the editor, the menus with their shortcuts, a toolbar and the
// status bar, and the commands that hand the editor's text to the machine or to files.
//
// Usage:
//   QtPlatform platform;
//   Machine machine(platform);
//   FileSession files(platform, settingsFilePathFromEnvironment());
//   MainWindow window(machine, platform, files);   // reads the settings
//   window.show();
//
// Commands that other windows carry out (Find, Replace, Calculator, Print, Import,
// the debug window, help) are the slots below with those names.
#pragma once

#include <QAction>
#include <QLabel>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QToolBar>
#include <string>
#include <vector>

#include "debugger/calculator.h"
#include "gui/editor_view.h"
#include "gui/print_job.h"
#include "gui/qt_clipboard.h"
#include "gui/qt_platform.h"
#include "machine/machine.h"
#include "files/file_names.h"
#include "shell/file_session.h"

namespace verdin::gui {

class HelpPopup;
class HelpWindow;
class ListingWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Machine& machine, QtPlatform& platform, FileSession& files, QWidget* parent = nullptr);

    EditorView* editorView() const { return view_; }
    EditorController& editor() { return view_->controller(); }
    QToolBar* toolBar() const { return toolBar_; }
    // The status bar's three parts: position, "OVR", and an empty one.
    QLabel* statusPart(int index) const { return statusParts_.value(index); }
    // The editor's lines 0 .. lastLine, as the assembler commands hand them over.
    std::vector<std::string> editorLines() const;

    // Opens `path` without asking about the text shown: the command line's file.
    bool openPath(const QString& path);
    // Converts a program written for another tool into a new untitled text and shows
    // the list of changes beside the editor; false when the file could not be read.
    bool importPath(const QString& path);
    // The help window, made on first use and kept for the session.
    HelpWindow* helpWindow();
    // The Listing window, or null before Translate to > Listing first opened it.
    ListingWindow* listingWindow() const { return listingWindow_; }

public slots:
    // ---- File ----
    void newFile();
    void openFile();
    bool save();
    bool saveAs();
    void openRecentFile(int index);
    void importFile();
    // File > Examples: example `index` of help::examplePrograms() as a new untitled text.
    void openExample(int index);
    // ---- Commands ----
    void compile();
    void debug();
    void translate(verdin::TranslationTarget target);
    void saveCode();
    // Translate to > Listing (Ctrl+L): the listing of the editor's program.
    void showListing();
    void about();
    // ---- Options ----
    void setIntelArithmetic(bool on);
    void setTiming8085(bool on);
    void chooseClock();
    // ---- Other windows ----
    void find();
    void replace();
    void showCalculator();
    void print();
    // The debug window, opened by Debug after a successful compile.
    void openDebugWindow();
    // Help on `context`: a mnemonic's page (105 + 5 x index) or the main window's (F1).
    void showHelp(int context);
    // A mnemonic's page in a small pop-up at the mouse (right click in the editor).
    void showHelpPopup(int context);
    // The help's search for `word` ("Help on the word" of the editor's menu).
    void showHelpOnWord(const QString& word);
    // Options > Zoom: the editor's text size in points (0: normal size), kept in the
    // settings; the help and the text screen follow by as many points.
    void setZoom(int points);

signals:
    // Debug compiled the program; the debug window is about to open.
    void debugWindowRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void showArithmeticRules();
    void rebuildRecentFiles();
    void updateFromEditor();
    // The save prompt before a command drops the text; false when it must not.
    bool mayDiscardChanges();
    bool saveText(bool ask);
    std::optional<std::string> askForSourceName();
    void showLines(const std::vector<std::string>& lines);
    // Where a failed compile leaves the caret; `page` as EditorController says.
    void showHandOffResult(int result, bool page);
    QString initialFolder() const;
    void zoomHelp();
    // Every command that compiles brings an open Listing window up to date.
    void refreshListing();
    // The caret to the start of editor line `line` (from 0), the line shown.
    void goToLine(int line);

    Machine& machine_;
    QtPlatform& platform_;
    FileSession& files_;
    QtClipboard clipboard_;
    Calculator calculator_;  // keeps its registers between two openings
    EditorView* view_;
    PrintJob printing_;
    HelpWindow* helpWindow_ = nullptr;
    HelpPopup* helpPopup_ = nullptr;
    ListingWindow* listingWindow_ = nullptr;
    QLabel* rulesLabel_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QList<QLabel*> statusParts_;

    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* importAction_ = nullptr;
    QAction* intelAction_ = nullptr;
    QAction* timingAction_ = nullptr;  // "8085 timing"
    QAction* clockAction_ = nullptr;
    QAction* zoomInAction_ = nullptr;
    QAction* zoomOutAction_ = nullptr;
    QAction* normalSizeAction_ = nullptr;
    int zoomDelta_ = 0;  // points the text is larger than normal
    QAction* recentEnd_ = nullptr;  // the separator after the recent files
    QList<QAction*> recentActions_;
    QAction* printAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* copyAction_ = nullptr;
    QAction* cutAction_ = nullptr;
    QAction* pasteAction_ = nullptr;
    QAction* selectAllAction_ = nullptr;
    QAction* findAction_ = nullptr;
    QAction* replaceAction_ = nullptr;
    QAction* calculatorAction_ = nullptr;
    QAction* compileAction_ = nullptr;
    QAction* debugAction_ = nullptr;
    QAction* z80Action_ = nullptr;
    QAction* x86Action_ = nullptr;
    QAction* saveCodeAction_ = nullptr;
    QAction* listingAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* helpAction_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* examplesMenu_ = nullptr;
};

}  // namespace verdin::gui
