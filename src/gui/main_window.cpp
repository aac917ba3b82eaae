#include "gui/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QIcon>
#include <QMenuBar>
#include <QStatusBar>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBrowser>
#include <algorithm>

#include "gui/about_dialog.h"
#include "gui/calculator_dialog.h"
#include "gui/clock_dialog.h"
#include "gui/debug_window.h"
#include "gui/find_dialog.h"
#include "gui/help_popup.h"
#include "gui/help_window.h"
#include "gui/import_window.h"
#include "gui/listing_window.h"
#include "gui/replace_dialog.h"
#include "gui/resources.h"
#include "gui/window_placement.h"
#include "help/examples.h"
#include "help/help_pages.h"
#include "shell/commands.h"
#include "shell/context_help.h"
#include "shell/save_prompt.h"
#include "shell/tidy.h"

namespace verdin::gui {

namespace {

const QStringList kSourceFilters{QStringLiteral("Programs (*.asm)"), QStringLiteral("All Files (*)")};
const QStringList kCodeFilters{QStringLiteral("Data Files (*.dat)")};
// How long a note stays in the status bar.
constexpr int kNoteMs = 8000;

QString fromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QAction* makeAction(QObject* parent, const QString& text, const QKeySequence& shortcut = {}) {
    auto* action = new QAction(text, parent);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

// "Open (F3)": toolbar tooltips name the shortcut, so the keys are learnt by using them.
QString toolTipOf(const QString& text, const QKeySequence& shortcut) {
    QString plain = text;
    plain.remove(QLatin1Char('&'));
    if (shortcut.isEmpty()) return plain;
    return plain + QStringLiteral(" (") + shortcut.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

}  // namespace

MainWindow::MainWindow(Machine& machine, QtPlatform& platform, FileSession& files, QWidget* parent)
    : QMainWindow(parent), machine_(machine), platform_(platform), files_(files),
      view_(new EditorView(&clipboard_, this)), printing_(platform, this) {
    ensureResources();
    platform_.setOwner(this);
    setCentralWidget(view_);
    setWindowIcon(QIcon(QStringLiteral(":/icons/verdin.svg")));
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    files_.loadSettings();
    rebuildRecentFiles();
    machine_.setArithmeticRules(files_.settings().arithmeticRules);
    intelAction_->setChecked(machine_.fields().arithmeticRules == ArithmeticRules::Intel8080);
    showArithmeticRules();
    timingAction_->setChecked(files_.settings().timing == Timing::Intel8085);
    setTiming8085(timingAction_->isChecked());
    // An error box whose message has a help page offers it.
    platform_.setHelpHandler([this](const std::string& page) { helpWindow()->showPage(QString::fromStdString(page)); });
    connect(view_, &EditorView::stateChanged, this, &MainWindow::updateFromEditor);
    connect(view_, &EditorView::helpRequested, this, &MainWindow::showHelpPopup);
    connect(view_, &EditorView::helpOnWordRequested, this, &MainWindow::showHelpOnWord);
    // A line-full note is no reason to stop and click a box away.
    connect(view_, &EditorView::notice, this, [this](const QString& text) { statusBar()->showMessage(text, 4000); });
    view_->setContextActions({cutAction_, copyAction_, pasteAction_, selectAllAction_});
    setZoom(files_.settings().editorZoom);
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        connect(clipboard, &QClipboard::dataChanged, this, &MainWindow::updateFromEditor);
    }
    resize(900, 640);
    keepOnOwnersScreen(this);
    view_->setFocus();
    updateFromEditor();
}

// --- building the window ----------------------------------------------------------

void MainWindow::createActions() {
    newAction_ = makeAction(this, QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    openAction_ = makeAction(this, QStringLiteral("Open"), QKeySequence(Qt::Key_F3));
    saveAction_ = makeAction(this, QStringLiteral("Save"), QKeySequence(Qt::Key_F2));
    saveAsAction_ = makeAction(this, QStringLiteral("Save as..."));
    importAction_ = makeAction(this, QStringLiteral("Import..."));
    printAction_ = makeAction(this, QStringLiteral("Print"));
    exitAction_ = makeAction(this, QStringLiteral("E&xit"), QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(newAction_, &QAction::triggered, this, &MainWindow::newFile);
    connect(openAction_, &QAction::triggered, this, &MainWindow::openFile);
    connect(saveAction_, &QAction::triggered, this, &MainWindow::save);
    connect(saveAsAction_, &QAction::triggered, this, &MainWindow::saveAs);
    connect(importAction_, &QAction::triggered, this, &MainWindow::importFile);
    connect(printAction_, &QAction::triggered, this, &MainWindow::print);
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);

    undoAction_ = makeAction(this, QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = makeAction(this, QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    copyAction_ = makeAction(this, QStringLiteral("Copy"));
    copyAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    cutAction_ = makeAction(this, QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    pasteAction_ = makeAction(this, QStringLiteral("Paste"));
    pasteAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    selectAllAction_ = makeAction(this, QStringLiteral("Select All"), QKeySequence(Qt::CTRL | Qt::Key_A));
    findAction_ = makeAction(this, QStringLiteral("Find"), QKeySequence(Qt::CTRL | Qt::Key_F));
    replaceAction_ = makeAction(this, QStringLiteral("Replace"), QKeySequence(Qt::CTRL | Qt::Key_R));
    calculatorAction_ = makeAction(this, QStringLiteral("Calculator"));
    auto edit = [this](auto command) {
        return [this, command] {
            command(editor());
            view_->refresh();
        };
    };
    connect(undoAction_, &QAction::triggered, this, edit([](EditorController& e) { e.undo(); }));
    connect(redoAction_, &QAction::triggered, this, edit([](EditorController& e) { e.redo(); }));
    connect(copyAction_, &QAction::triggered, this, edit([](EditorController& e) { e.copy(); }));
    connect(cutAction_, &QAction::triggered, this, edit([](EditorController& e) { e.cut(); }));
    connect(selectAllAction_, &QAction::triggered, this, edit([](EditorController& e) { e.selectAll(); }));
    connect(pasteAction_, &QAction::triggered, this, [this] {
        const EditResult result = editor().paste();
        view_->refresh();
        if (clipboard_.leftOut() > 0) {
            statusBar()->showMessage(QStringLiteral("%1 pasted character(s) left out: the editor's characters are "
                                                    "those of Windows-1252.").arg(clipboard_.leftOut()),
                                     kNoteMs);
        }
        if (result == EditResult::Refused) {
            platform_.showMessage(MessageKind::Warning,
                                  "The text is too long to paste: the editor holds at most 16383 characters.");
        }
    });
    connect(findAction_, &QAction::triggered, this, &MainWindow::find);
    connect(replaceAction_, &QAction::triggered, this, &MainWindow::replace);
    connect(calculatorAction_, &QAction::triggered, this, &MainWindow::showCalculator);

    compileAction_ = makeAction(this, QStringLiteral("&Compile"));
    debugAction_ = makeAction(this, QStringLiteral("&Debug"));
    z80Action_ = makeAction(this, QStringLiteral("Z-80"));
    x86Action_ = makeAction(this, QStringLiteral("Intel x86"));
    saveCodeAction_ = makeAction(this, QStringLiteral("Save code"));
    listingAction_ = makeAction(this, QStringLiteral("Listing"), QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(listingAction_, &QAction::triggered, this, &MainWindow::showListing);
    connect(compileAction_, &QAction::triggered, this, &MainWindow::compile);
    connect(debugAction_, &QAction::triggered, this, &MainWindow::debug);
    connect(z80Action_, &QAction::triggered, this, [this] { translate(TranslationTarget::Z80); });
    connect(x86Action_, &QAction::triggered, this, [this] { translate(TranslationTarget::X86); });
    connect(saveCodeAction_, &QAction::triggered, this, &MainWindow::saveCode);

    zoomInAction_ = makeAction(this, QStringLiteral("Zoom in"));
    zoomInAction_->setShortcuts(QKeySequence::keyBindings(QKeySequence::ZoomIn) +
                                QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomOutAction_ = makeAction(this, QStringLiteral("Zoom out"));
    zoomOutAction_->setShortcuts(QKeySequence::keyBindings(QKeySequence::ZoomOut));
    normalSizeAction_ = makeAction(this, QStringLiteral("Normal size"), QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(zoomInAction_, &QAction::triggered, this, [this] { setZoom(zoomedPoints(view_->pointSize(), 1)); });
    connect(zoomOutAction_, &QAction::triggered, this, [this] { setZoom(zoomedPoints(view_->pointSize(), -1)); });
    connect(normalSizeAction_, &QAction::triggered, this, [this] { setZoom(0); });

    intelAction_ = makeAction(this, QStringLiteral("Intel 8080 arithmetic"));
    intelAction_->setCheckable(true);
    connect(intelAction_, &QAction::toggled, this, &MainWindow::setIntelArithmetic);
    timingAction_ = makeAction(this, QStringLiteral("8085 timing"));
    timingAction_->setCheckable(true);
    connect(timingAction_, &QAction::toggled, this, &MainWindow::setTiming8085);
    clockAction_ = makeAction(this, QStringLiteral("Clock..."));
    connect(clockAction_, &QAction::triggered, this, &MainWindow::chooseClock);

    aboutAction_ = makeAction(this, QStringLiteral("&About ..."), QKeySequence(Qt::ALT | Qt::Key_Slash));
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::about);
    // F1 has no menu item: the window itself carries it.
    helpAction_ = makeAction(this, QStringLiteral("Help"), QKeySequence(Qt::Key_F1));
    helpAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(helpAction_);
    connect(helpAction_, &QAction::triggered, this, [this] { showHelp(kMainWindowHelpContext); });

    const struct {
        QAction* action;
        const char* icon;
    } icons[] = {{newAction_, "new"},   {openAction_, "open"}, {saveAction_, "save"},
                 {findAction_, "find"}, {calculatorAction_, "calculator"}};
    for (const auto& entry : icons) {
        entry.action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(entry.icon))));
        entry.action->setToolTip(toolTipOf(entry.action->text(), entry.action->shortcut()));
    }
}

void MainWindow::createMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->addAction(newAction_);
    fileMenu_->addAction(openAction_);
    fileMenu_->addAction(saveAction_);
    fileMenu_->addAction(saveAsAction_);
    fileMenu_->addAction(importAction_);
    examplesMenu_ = fileMenu_->addMenu(QStringLiteral("Examples"));
    const std::vector<help::ExampleProgram> examples = help::examplePrograms();
    for (size_t i = 0; i < examples.size(); ++i) {
        QAction* example = examplesMenu_->addAction(QString::fromStdString(examples[i].name));
        example->setStatusTip(QString::fromStdString(examples[i].title));
        example->setToolTip(example->statusTip());
        connect(example, &QAction::triggered, this, [this, i] { openExample(static_cast<int>(i)); });
    }
    examplesMenu_->setToolTipsVisible(true);
    fileMenu_->addSeparator();
    // The recent files go in here, from position 5 on, followed by this separator.
    recentEnd_ = fileMenu_->addSeparator();
    fileMenu_->addAction(printAction_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(exitAction_);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->addAction(undoAction_);
    edit->addAction(redoAction_);
    edit->addSeparator();
    edit->addAction(copyAction_);
    edit->addAction(cutAction_);
    edit->addAction(pasteAction_);
    edit->addSeparator();
    edit->addAction(selectAllAction_);
    edit->addSeparator();
    edit->addAction(findAction_);
    edit->addAction(replaceAction_);
    edit->addSeparator();
    edit->addAction(calculatorAction_);

    // Compile and Debug are commands on the menu bar itself: Alt+C and Alt+D.
    menuBar()->addAction(compileAction_);
    menuBar()->addAction(debugAction_);

    QMenu* translateMenu = menuBar()->addMenu(QStringLiteral("Translate to"));
    translateMenu->addAction(z80Action_);
    translateMenu->addAction(x86Action_);
    translateMenu->addSeparator();
    translateMenu->addAction(saveCodeAction_);
    translateMenu->addAction(listingAction_);

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->addAction(intelAction_);
    options->addAction(timingAction_);
    options->addAction(clockAction_);
    options->addSeparator();
    options->addAction(zoomInAction_);
    options->addAction(zoomOutAction_);
    options->addAction(normalSizeAction_);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(aboutAction_);
}

void MainWindow::createToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("mainToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar_->addAction(newAction_);
    toolBar_->addAction(openAction_);
    toolBar_->addAction(saveAction_);
    toolBar_->addSeparator();
    // The menu bar would show an icon instead of the words "Compile" and "Debug", so
    // the toolbar has buttons of its own that follow the menu bar's enabling.
    const struct {
        QAction* menuAction;
        const char* icon;
        const char* toolTip;
    } commands[] = {{compileAction_, "compile", "Compile (Alt+C)"}, {debugAction_, "debug", "Debug (Alt+D)"}};
    for (const auto& command : commands) {
        QAction* button = toolBar_->addAction(
            QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(command.icon))),
            QString(command.menuAction->text()).remove(QLatin1Char('&')));
        button->setToolTip(QString::fromLatin1(command.toolTip));
        button->setEnabled(command.menuAction->isEnabled());
        connect(button, &QAction::triggered, command.menuAction, &QAction::trigger);
        connect(command.menuAction, &QAction::enabledChanged, button, &QAction::setEnabled);
    }
    toolBar_->addSeparator();
    toolBar_->addAction(findAction_);
    toolBar_->addAction(calculatorAction_);
}

void MainWindow::createStatusBar() {
    const int overwriteWidth = QFontMetrics(font()).horizontalAdvance(QStringLiteral("OVR"));
    for (int i = 0; i < 3; ++i) {
        auto* part = new QLabel(this);
        part->setTextFormat(Qt::PlainText);
        statusParts_ << part;
    }
    statusParts_[1]->setMinimumWidth(overwriteWidth + 12);
    statusParts_[1]->setAlignment(Qt::AlignCenter);
    statusParts_[2]->setMinimumWidth(20);
    statusBar()->addWidget(statusParts_[0], 1);
    statusBar()->addPermanentWidget(statusParts_[1]);
    statusBar()->addPermanentWidget(statusParts_[2]);
    // Which arithmetic rules a run follows must never be a surprise.
    rulesLabel_ = new QLabel(this);
    rulesLabel_->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(rulesLabel_);
}

void MainWindow::showArithmeticRules() {
    rulesLabel_->setText(QStringLiteral("%1 arithmetic").arg(QString::fromUtf8(arithmeticRulesName(machine_.fields().arithmeticRules))));
    const bool intel = machine_.fields().arithmeticRules == ArithmeticRules::Intel8080;
    if (helpWindow_ != nullptr) helpWindow_->browser()->setIntelRules(intel);
    if (helpPopup_ != nullptr) helpPopup_->browser()->setIntelRules(intel);
}

void MainWindow::setIntelArithmetic(bool on) {
    const ArithmeticRules rules = on ? ArithmeticRules::Intel8080 : ArithmeticRules::Workbench;
    machine_.setArithmeticRules(rules);
    if (files_.settings().arithmeticRules != rules) files_.setArithmeticRules(rules);
    showArithmeticRules();
}

void MainWindow::setTiming8085(bool on) {
    const Timing timing = on ? Timing::Intel8085 : Timing::Intel8080;
    machine_.setTiming(timing, files_.settings().clockKHz(timing));
    if (files_.settings().timing != timing) files_.setTiming(timing);
}

void MainWindow::chooseClock() {
    if (auto kHz = ClockDialog::ask(machine_.fields().timing, machine_.fields().clockKHz, this)) {
        machine_.setClockKHz(*kHz);
        files_.setClockKHz(machine_.fields().timing, *kHz);
    }
}

void MainWindow::setZoom(int points) {
    const int normal = view_->normalPointSize();
    const int size = points == 0 ? normal : std::clamp(points, kMinZoomPoints, kMaxZoomPoints);
    view_->setPointSize(size);
    // The help and the text screen grow by as many points as the editor.
    zoomDelta_ = size - normal;
    if (helpWindow_ != nullptr) zoomHelp();
    const int screenPoints = QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSize() + zoomDelta_;
    platform_.setTextScreenPointSize(zoomDelta_ == 0 ? 0 : std::clamp(screenPoints, kMinZoomPoints, kMaxZoomPoints));
    const int kept = size == normal ? 0 : size;
    if (files_.settings().editorZoom != kept) files_.setEditorZoom(kept);
}

void MainWindow::zoomHelp() {
    QFont font = helpWindow_->browser()->font();
    font.setPointSize(std::clamp(QApplication::font().pointSize() + zoomDelta_, kMinZoomPoints, kMaxZoomPoints));
    helpWindow_->browser()->setFont(font);
}

void MainWindow::rebuildRecentFiles() {
    for (QAction* action : recentActions_) {
        fileMenu_->removeAction(action);
        delete action;
    }
    recentActions_.clear();
    const RecentFiles& recent = files_.recentFiles();
    for (int i = 0; i < recent.count(); ++i) {
        auto* action = new QAction(QString::fromStdString(recent.menuItemText(i)), this);
        action->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + i)));
        action->setStatusTip(fromPath(recent.entries[static_cast<size_t>(i)]));
        action->setToolTip(action->statusTip());
        connect(action, &QAction::triggered, this, [this, i] { openRecentFile(i); });
        fileMenu_->insertAction(recentEnd_, action);
        recentActions_ << action;
    }
    recentEnd_->setVisible(!recentActions_.isEmpty());
}

void MainWindow::updateFromEditor() {
    const EditorController& e = editor();
    setWindowTitle(fromPath(files_.title(e.state().modified)));
    statusParts_[0]->setText(QString::fromStdString(e.statusText()));
    statusParts_[1]->setText(QString::fromStdString(e.overwriteText()));
    copyAction_->setEnabled(e.canCopy());
    cutAction_->setEnabled(e.canCopy());
    pasteAction_->setEnabled(e.canPaste());
    undoAction_->setEnabled(e.canUndo());
    redoAction_->setEnabled(e.canRedo());
}

std::vector<std::string> MainWindow::editorLines() const {
    const EditorController& e = view_->controller();
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(e.state().lastLine + 1));
    for (int i = 0; i <= e.state().lastLine; ++i) lines.push_back(e.buffer().lineText(i));
    return lines;
}

QString MainWindow::initialFolder() const {
    const QString folder = fromPath(files_.settings().initialFolder);
    return folder.isEmpty() || !QDir(folder).exists() ? QDir::currentPath() : folder;
}

// --- files ------------------------------------------------------------------------

bool MainWindow::mayDiscardChanges() {
    const bool goOn = verdin::mayDiscardChanges(
        editor().state().modified, [this] { return platform_.askToSave(savePromptHint(files_.currentFile())); },
        [this] { return saveText(false); });
    view_->refresh();
    return goOn;
}

std::optional<std::string> MainWindow::askForSourceName() {
    QFileDialog dialog(this, QStringLiteral("Save as"), initialFolder());
    keepOnOwnersScreen(&dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(kSourceFilters);
    dialog.setDefaultSuffix(QString::fromLatin1(kSourceExtension));
    if (!files_.currentFile().empty()) dialog.selectFile(fromPath(files_.currentFile()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return toPath(dialog.selectedFiles().constFirst());
}

bool MainWindow::saveText(bool ask) {
    const bool saved = files_.saveFile(editorLines(), ask, [this] { return askForSourceName(); });
    if (saved) {
        editor().markSaved();
        rebuildRecentFiles();
    }
    view_->refresh();
    return saved;
}

bool MainWindow::save() { return saveText(false); }

bool MainWindow::saveAs() { return saveText(true); }

void MainWindow::showLines(const std::vector<std::string>& lines) {
    // The loader already refused what does not fit, so this cannot fail.
    editor().loadLines(lines);
    editor().clearFault();
    rebuildRecentFiles();
    view_->refresh();
}

bool MainWindow::openPath(const QString& path) {
    const std::optional<std::vector<std::string>> lines = files_.open(toPath(path));
    if (!lines) {
        view_->refresh();
        return false;
    }
    showLines(*lines);
    return true;
}

void MainWindow::newFile() {
    if (!mayDiscardChanges()) return;
    editor().newText();
    editor().clearFault();
    files_.newText();
    view_->refresh();
}

void MainWindow::openFile() {
    if (!mayDiscardChanges()) return;
    QFileDialog dialog(this, QStringLiteral("Open"), initialFolder());
    keepOnOwnersScreen(&dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(kSourceFilters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    openPath(dialog.selectedFiles().constFirst());
}

void MainWindow::openRecentFile(int index) {
    if (index < 0 || index >= files_.recentFiles().count()) return;
    if (!mayDiscardChanges()) return;
    if (const auto lines = files_.openRecent(index)) showLines(*lines);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (mayDiscardChanges()) {
        event->accept();
    } else {
        event->ignore();
    }
}

// --- the assembler commands -------------------------------------------------------

void MainWindow::showHandOffResult(int result, bool page) {
    if (result == -1) {
        editor().clearFault();
    } else {
        editor().showCompileFault(result, page);
    }
    view_->setFocus();
    view_->refresh();
}

void MainWindow::compile() {
    showHandOffResult(compileProgram(machine_, editorLines(), {.showMessage = true}), true);
    refreshListing();
}

void MainWindow::debug() {
    const int result = compileProgram(machine_, editorLines(), {.stopAtEmptyLine = true, .showMessage = true});
    showHandOffResult(result, true);
    refreshListing();
    if (result == -1) openDebugWindow();
}

void MainWindow::translate(TranslationTarget target) {
    const std::int32_t mode = target == TranslationTarget::Z80 ? TranslateZ80 : TranslateX86;
    const int result = compileProgram(machine_, editorLines(), {.mode = mode});
    refreshListing();
    if (result != -1) {
        showHandOffResult(result, false);
        return;
    }
    files_.writeTranslation(machine_, editor().state().lastLine, editor().state().modified);
    view_->refresh();
}

void MainWindow::saveCode() {
    // A failed compile has shown its message; the caret stays where it was.
    const int result = compileProgram(machine_, editorLines(), {});
    refreshListing();
    if (result != -1) return;
    QFileDialog dialog(this, QStringLiteral("Save code"), initialFolder());
    keepOnOwnersScreen(&dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(kCodeFilters);
    dialog.setDefaultSuffix(QString::fromLatin1(kCodeExtension));
    const std::string offered = codeOutputName(files_.currentFile());
    if (!offered.empty()) dialog.selectFile(fromPath(offered));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        files_.saveCode(machine_, toPath(dialog.selectedFiles().constFirst()));
    }
    view_->refresh();
}

void MainWindow::showListing() {
    if (listingWindow_ == nullptr) {
        listingWindow_ = new ListingWindow(this);
        connect(listingWindow_, &ListingWindow::printRequested, this,
                [this](const std::vector<std::string>& rows, const std::string& title) {
                    printing_.printRows(rows, title, files_.currentFile(), toPath(initialFolder()));
                });
    }
    listingWindow_->showListing(editorLines(), files_.currentFile(), machine_.fields().arithmeticRules);
    listingWindow_->show();
    listingWindow_->raise();
    listingWindow_->activateWindow();
}

void MainWindow::refreshListing() {
    if (listingWindow_ != nullptr && listingWindow_->isVisible()) {
        listingWindow_->showListing(editorLines(), files_.currentFile(), machine_.fields().arithmeticRules);
    }
}

void MainWindow::goToLine(int line) {
    editor().goToLine(line);
    view_->refresh();
}

void MainWindow::openExample(int index) {
    const std::vector<help::ExampleProgram> examples = help::examplePrograms();
    if (index < 0 || index >= static_cast<int>(examples.size())) return;
    if (!mayDiscardChanges()) return;
    if (!editor().loadLines(examples[static_cast<size_t>(index)].lines)) return;
    // Untitled, so that Save asks where the student's own copy goes.
    files_.newText();
    editor().clearFault();
    view_->refresh();
}

void MainWindow::about() {
    AboutDialog dialog(this);
    dialog.exec();
}

// --- commands other windows carry out ---------------------------------------------

void MainWindow::find() {
    editor().releaseCtrl();
    FindDialog dialog(editor(), platform_, this);
    connect(&dialog, &FindDialog::helpRequested, this, &MainWindow::showHelp);
    dialog.run();
    view_->refresh();
}

void MainWindow::replace() {
    editor().releaseCtrl();
    ReplaceDialog dialog(editor(), platform_, this);
    connect(&dialog, &ReplaceDialog::helpRequested, this, &MainWindow::showHelp);
    dialog.run();
    view_->refresh();
}

void MainWindow::showCalculator() {
    CalculatorDialog dialog(calculator_, this);
    connect(&dialog, &CalculatorDialog::helpRequested, this, &MainWindow::showHelp);
    dialog.run();
}

void MainWindow::print() {
    printing_.print(editor().buffer(), files_.currentFile(), toPath(initialFolder()));
}

void MainWindow::importFile() {
    if (!mayDiscardChanges()) return;
    QFileDialog dialog(this, QStringLiteral("Import"), initialFolder());
    keepOnOwnersScreen(&dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(QStringList{QStringLiteral("Programs (*.asm *.a85 *.s *.txt)"), QStringLiteral("All Files (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    importPath(dialog.selectedFiles().constFirst());
}

bool MainWindow::importPath(const QString& path) {
    auto* changes = new ImportWindow(platform_, this);
    changes->setAttribute(Qt::WA_DeleteOnClose);
    connect(changes, &ImportWindow::lineChosen, this, &MainWindow::goToLine);
    if (!changes->importFile(path)) {
        delete changes;
        return false;
    }
    if (!editor().loadLines(changes->lines())) {
        delete changes;
        platform_.showMessage(MessageKind::Error, kTooLongToImportMessage);
        return false;
    }
    files_.newText();
    editor().clearFault();
    // Not on disk yet: closing or New must offer to save it.
    editor().markModified();
    view_->refresh();
    changes->show();
    return true;
}

void MainWindow::openDebugWindow() {
    emit debugWindowRequested();
    DebugWindow window(machine_, platform_, this);
    connect(&window, &DebugWindow::helpRequested, this, [this] { showHelp(help::kDebugWindowContext); });
    // The breakpoints belong to the text: the window works on them and gives them back.
    for (int line : editor().breakpoints()) window.setBreakpoint(line, true);
    window.setZoom(files_.settings().debugZoom);
    connect(&window, &DebugWindow::zoomChanged, this, [this](int points) { files_.setDebugZoom(points); });
    window.exec();
    for (int line = 0; line < machine_.fields().programLineCount; ++line) {
        editor().setBreakpoint(line, window.session().hasBreakpoint(line));
    }
    platform_.setOwner(this);
    view_->refresh();
}

HelpWindow* MainWindow::helpWindow() {
    if (helpWindow_ == nullptr) {
        helpWindow_ = new HelpWindow(this);
        helpWindow_->browser()->setIntelRules(machine_.fields().arithmeticRules == ArithmeticRules::Intel8080);
        zoomHelp();
    }
    return helpWindow_;
}

void MainWindow::showHelpOnWord(const QString& word) {
    HelpWindow* window = helpWindow();
    for (int tab = 0; tab < window->tabs()->count(); ++tab) {
        if (window->tabs()->widget(tab)->isAncestorOf(window->searchBox())) window->tabs()->setCurrentIndex(tab);
    }
    window->searchBox()->setText(word);
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::showHelp(int context) {
    HelpWindow* window = helpWindow();
    window->showContext(context);
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::showHelpPopup(int context) {
    if (helpPopup_ == nullptr) {
        helpPopup_ = new HelpPopup(this);
        helpPopup_->browser()->setIntelRules(machine_.fields().arithmeticRules == ArithmeticRules::Intel8080);
        connect(helpPopup_, &HelpPopup::openInWindow, this, [this](const QString& target) {
            HelpWindow* window = helpWindow();
            window->showPage(target);
            window->show();
            window->raise();
        });
    }
    helpPopup_->showContext(context, QCursor::pos());
}

}  // namespace verdin::gui
