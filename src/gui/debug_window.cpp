#include "gui/debug_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "debugger/state_time.h"
#include "debugger/program_lines.h"
#include "gui/debug_list_delegate.h"
#include "gui/program_list.h"
#include "gui/program_text.h"
#include "gui/qt_platform.h"
#include "gui/value_edit_dialog.h"
#include "gui/window_placement.h"
#include "machine/machine.h"

namespace verdin::gui {

namespace {

// After the stack entry that holds SP.
const QString kSpMark = QStringLiteral("  \u25C4 SP");


QListWidget* makeList(const char* name, bool selectable) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setItemDelegate(new DebugListDelegate(list));
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (!selectable) {
        list->setSelectionMode(QAbstractItemView::NoSelection);
        list->setFocusPolicy(Qt::NoFocus);
    }
    return list;
}

QGroupBox* framed(const char* title, QWidget* content) {
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addWidget(content);
    return group;
}

QWidget* besideBar(QWidget* list, QScrollBar* bar) {
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(list, 1);
    layout->addWidget(bar);
    return box;
}

// Keeps the items of a list and changes only their texts, so a selection stays; the
// delegate draws each row's changed spans in red.
void setRows(QListWidget* list, const std::vector<DebugRow>& rows) {
    const int n = static_cast<int>(rows.size());
    while (list->count() > n) delete list->takeItem(list->count() - 1);
    for (int i = 0; i < n; ++i) {
        const DebugRow& row = rows[static_cast<std::size_t>(i)];
        const QString text = programText(row.text);
        if (i < list->count()) {
            if (list->item(i)->text() != text) list->item(i)->setText(text);
        } else {
            list->addItem(text);
        }
        list->item(i)->setData(kChangedSpansRole, QVariant::fromValue(QList<int>(row.changed.begin(), row.changed.end())));
    }
}

void setEntries(QListWidget* list, const std::vector<std::string>& texts) {
    std::vector<DebugRow> rows;
    for (const std::string& text : texts) rows.push_back({text, {}});
    setRows(list, rows);
}

std::optional<ListScroll> scrollOf(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: return ListScroll::LineDown;
        case QAbstractSlider::SliderSingleStepSub: return ListScroll::LineUp;
        case QAbstractSlider::SliderPageStepAdd: return ListScroll::PageDown;
        case QAbstractSlider::SliderPageStepSub: return ListScroll::PageUp;
        case QAbstractSlider::SliderToMinimum: return ListScroll::Top;
        case QAbstractSlider::SliderToMaximum: return ListScroll::Bottom;
        case QAbstractSlider::SliderMove: return ListScroll::ThumbTrack;
        default: return std::nullopt;
    }
}

}  // namespace

DebugWindow::DebugWindow(Machine& machine, QtPlatform& platform, QWidget* parent)
    : QDialog(parent), machine_(machine), platform_(platform), previousOwner_(platform.owner()), session_(machine) {
    setWindowTitle("Debug window");
    setObjectName("debugWindow");
    setModal(true);
    baseFont_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setFont(baseFont_);
    platform_.setOwner(this);
    platform_.setTextScreenClosed([this] { machine_.closeTextScreen(); });
    platform_.setTextScreenPlacer([this](QWidget* screen) { placeTextScreen(screen); });
    platform_.setBeforeMessage([this](const std::string& text, const std::string& hint) { beforeMessage(text, hint); });
    buildWindow();
    fillProgram();
    refreshLists();
    fillPorts(inPorts_, true);
    showNextLine(0);
    connect(program_, &QListWidget::currentRowChanged, this, &DebugWindow::chooseLine);
    status_->setText("Step runs line 1 first; Run starts the program there. (lines counted from 1)");
    showStates();
    setRunning(false);
    fitLists();
    // Opened at the size its rows need, so the dump and the stack show their six rows
    // whatever size hints the platform's styles give; a larger window shows more.
    resize(minimumSizeHint());
    keepOnOwnersScreen(this);
}

DebugWindow::~DebugWindow() {
    // The text screen belongs to this window; the next output opens a new one.
    machine_.closeTextScreen();
    platform_.setTextScreenClosed({});
    platform_.setTextScreenPlacer({});
    platform_.setBeforeMessage({});
    platform_.setOwner(previousOwner_);
}

void DebugWindow::buildWindow() {
    const QFontMetrics metrics(font());
    const int column = metrics.horizontalAdvance('M');

    program_ = new ProgramList;
    program_->setObjectName("program");
    program_->setItemDelegate(new DebugListDelegate(program_));
    program_->setUniformItemSizes(true);
    connect(program_, &ProgramList::breakpointClicked, this, &DebugWindow::toggleBreakpoint);

    registers_ = makeList("registers", false);
    flags_ = makeList("flags", false);
    dump_ = makeList("dump", false);
    stack_ = makeList("stack", false);
    inPorts_ = makeList("inputPorts", true);
    outPorts_ = makeList("outputPorts", false);
    for (QListWidget* list : {dump_, stack_}) {
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->viewport()->installEventFilter(this);
    }
    connect(inPorts_, &QListWidget::itemDoubleClicked, this, &DebugWindow::editInputPort);
    connect(registers_, &QListWidget::itemDoubleClicked, this, &DebugWindow::editRegister);

    dumpBar_ = new QScrollBar(Qt::Vertical);
    dumpBar_->setObjectName("dumpScroll");
    dumpBar_->setRange(0, kDumpScrollMax);
    stackBar_ = new QScrollBar(Qt::Vertical);
    stackBar_->setObjectName("stackScroll");
    stackBar_->setRange(0, kStackScrollMax);
    for (QScrollBar* b : {dumpBar_, stackBar_}) {
        b->setSingleStep(1);
        b->setPageStep(kDebugRows);
    }
    dumpBar_->setValue(views_.dump.barPosition);
    stackBar_->setValue(views_.stack.barPosition);
    connect(dumpBar_, &QScrollBar::actionTriggered, this, [this](int action) { scrollView(false, action); });
    connect(stackBar_, &QScrollBar::actionTriggered, this, [this](int action) { scrollView(true, action); });

    address_ = new QLineEdit;
    address_->setObjectName("dumpAddress");
    address_->setMaxLength(4);
    address_->setPlaceholderText("hex");
    address_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]{0,4}"), address_));
    address_->setMaximumWidth(8 * column);
    address_->setToolTip("Type an address in hexadecimal and press Enter to show it in the dump");
    address_->installEventFilter(this);
    // Under the dump rather than inside its frame, so that the dump and the stack
    // beside it show the same number of rows.
    auto* addressRow = new QHBoxLayout;
    auto* addressLabel = new QLabel("Go to address:");
    addressLabel->setBuddy(address_);
    addressRow->addWidget(addressLabel);
    addressRow->addWidget(address_);
    addressRow->addStretch(1);

    step_ = new QPushButton("Step");
    step_->setObjectName("step");
    step_->setDefault(true);
    step_->setToolTip("Run the selected line (F11)");
    stepOver_ = new QPushButton("Step over");
    stepOver_->setObjectName("stepOver");
    stepOver_->setToolTip("Run the selected line; a call runs its whole subroutine (F10)");
    stepOut_ = new QPushButton("Step out");
    stepOut_->setObjectName("stepOut");
    stepOut_->setToolTip("Run until the current subroutine returns (Shift+F11)");
    stepBack_ = new QPushButton("Step back");
    stepBack_->setObjectName("stepBack");
    stepBack_->setToolTip("Take back the last Step or line of a Run (Ctrl+Z)");
    stepBack_->setEnabled(false);
    run_ = new QPushButton("Run");
    run_->setObjectName("run");
    run_->setToolTip("Run the program; after a breakpoint, go on from it (F5)");
    stop_ = new QPushButton("Stop");
    stop_->setObjectName("stop");
    stop_->setToolTip("Stop the run before its next line (Shift+F5)");
    help_ = new QPushButton("Help");
    help_->setObjectName("help");
    for (QPushButton* b : {stepOver_, stepOut_, stepBack_, run_, stop_, help_}) b->setAutoDefault(false);
    connect(step_, &QPushButton::clicked, this, &DebugWindow::step);
    connect(stepOver_, &QPushButton::clicked, this, &DebugWindow::stepOver);
    connect(stepOut_, &QPushButton::clicked, this, &DebugWindow::stepOut);
    connect(stepBack_, &QPushButton::clicked, this, &DebugWindow::stepBack);
    connect(run_, &QPushButton::clicked, this, &DebugWindow::run);
    connect(stop_, &QPushButton::clicked, this, &DebugWindow::stop);
    connect(help_, &QPushButton::clicked, this, &DebugWindow::helpRequested);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(step_);
    buttons->addWidget(stepOver_);
    buttons->addWidget(stepOut_);
    buttons->addWidget(stepBack_);
    buttons->addWidget(run_);
    buttons->addSpacing(metrics.height() * 2);
    buttons->addWidget(stop_);
    buttons->addStretch(1);
    buttons->addWidget(help_);

    const struct {
        QKeySequence keys;
        void (DebugWindow::*slot)();
    } shortcuts[] = {{Qt::Key_F11, &DebugWindow::step},
                     {Qt::Key_F10, &DebugWindow::stepOver},
                     {QKeySequence(Qt::SHIFT | Qt::Key_F11), &DebugWindow::stepOut},
                     {QKeySequence(Qt::CTRL | Qt::Key_Z), &DebugWindow::stepBack},
                     {Qt::Key_F5, &DebugWindow::run},
                     {QKeySequence(Qt::SHIFT | Qt::Key_F5), &DebugWindow::stop},
                     {Qt::Key_F9, &DebugWindow::toggleSelectedBreakpoint},
                     {Qt::Key_F1, &DebugWindow::helpRequested}};
    for (const auto& s : shortcuts) {
        auto* shortcut = new QShortcut(s.keys, this);
        // Stop works from the text screen too, which a running program may have
        // brought to the front.
        if (s.slot == &DebugWindow::stop) shortcut->setContext(Qt::ApplicationShortcut);
        connect(shortcut, &QShortcut::activated, this, s.slot);
    }

    status_ = new QLabel;
    status_->setObjectName("status");
    status_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // A result that differs from a textbook's must never be a surprise: the rule set in
    // force stands beside the reason the last command ended.
    rules_ = new QLabel(QStringLiteral("%1 arithmetic").arg(QString::fromUtf8(arithmeticRulesName(machine_.fields().arithmeticRules))));
    rules_->setObjectName("rules");
    rules_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    addZoomKeys();

    auto* grid = new QGridLayout(this);
    programBox_ = framed("Program", program_);
    registersBox_ = framed("Registers", registers_);
    grid->addWidget(programBox_, 0, 0, 2, 1);
    grid->addWidget(registersBox_, 0, 1);
    grid->addWidget(framed("Flags", flags_), 1, 1);
    grid->addWidget(framed("Memory dump", besideBar(dump_, dumpBar_)), 2, 0);
    grid->addLayout(addressRow, 3, 0);
    grid->addWidget(framed("Stack", besideBar(stack_, stackBar_)), 2, 1);
    grid->addWidget(framed("Input Ports", inPorts_), 0, 2);
    grid->addWidget(framed("Output Ports", outPorts_), 1, 2, 2, 1);
    grid->addLayout(buttons, 0, 3, 3, 1);
    grid->addWidget(status_, 4, 0, 1, 2);
    grid->addWidget(rules_, 4, 2, 1, 2);
    states_ = new QLabel;
    states_->setObjectName("states");
    states_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    grid->addWidget(states_, 5, 0, 1, 4);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(2, 1);
    nameForAccessibility();
}

QString DebugWindow::statusText() const { return status_->text(); }

QString DebugWindow::rulesText() const { return rules_->text(); }

void DebugWindow::showStates() {
    states_->setText(QString::fromStdString(
        statesText(session_.lastStates(), session_.totalStates(), machine_.fields().clockKHz)));
}

void DebugWindow::fillProgram() {
    // The lines handed to the machine and the empty line after them, which ends the
    // program: a Step there closes the run's text screen.
    setEntries(program_, programEntries(machine_, machine_.fields().programLineCount));
    const std::vector<ProgramLineInfo> info = programLineInfo(machine_, program_->count());
    for (int i = 0; i < program_->count() && i < static_cast<int>(info.size()); ++i) {
        const ProgramLineInfo& line = info[static_cast<std::size_t>(i)];
        const QString address = line.address.empty() ? QString(4, ' ') : QString::fromStdString(line.address);
        const QString comment = programText(line.comment);
        QListWidgetItem* item = program_->item(i);
        item->setData(kPrefixRole, QString::fromStdString(line.number) + "  " + address);
        item->setData(kSuffixRole, comment);
        // A screen reader says what the eye sees beside the line.
        QString spoken = QStringLiteral("Line %1").arg(i + 1);
        if (!line.address.empty()) spoken += ", address " + address;
        spoken += ": " + item->text().simplified();
        if (!comment.isEmpty()) spoken += " " + comment;
        item->setData(Qt::AccessibleTextRole, spoken);
    }
}

void DebugWindow::refreshLists() {
    fillRegisters();
    fillFlags();
    fillStack();
    fillDump();
    fillPorts(outPorts_, false);
}

void DebugWindow::fillRegisters() { setRows(registers_, registerRows(machine_, session_.changes())); }

void DebugWindow::fillFlags() { setRows(flags_, flagRows(machine_, session_.changes())); }

void DebugWindow::fillStack() {
    const int rows = visibleRows(stack_);
    setRows(stack_, stackRows(machine_, session_.changes(), views_.stack.top, rows));
    const int firstLine = stackFirstLine(views_.stack.top, rows);
    const int sp = spEntryIndex(firstLine, stack_->count(), machine_.fields().sp);
    if (sp >= 0) stack_->item(sp)->setText(stack_->item(sp)->text() + kSpMark);
}

void DebugWindow::fillDump() {
    const int rows = visibleRows(dump_);
    setRows(dump_, dumpRows(machine_, session_.changes(), views_.dump.top, rows));
}

void DebugWindow::fillPorts(QListWidget* list, bool input) {
    setRows(list, input ? inputPortRows(machine_) : outputPortRows(machine_, session_.changes()));
}

int DebugWindow::visibleRows(QListWidget* list) const {
    const int row = list->count() > 0 ? list->sizeHintForRow(0) : 0;
    if (row <= 0 || !list->isVisible()) return kDebugRows;
    return std::max(kDebugRows, list->viewport()->height() / row);
}

int DebugWindow::selectedLine() const {
    const QList<QListWidgetItem*> selected = program_->selectedItems();
    return selected.isEmpty() ? -1 : program_->row(selected.first());
}

// ---- Commands ----------------------------------------------------------------------------

void DebugWindow::step() {
    if (views_.runInProgress || commandRunning_) return;
    commandRunning_ = true;
    history_.step(DebugViews::stepLine(selectedLine(), program_->count()));
    commandRunning_ = false;
    afterCommand();
}

void DebugWindow::stepOver() { runToReturn(&StepHistory::stepOver); }

void DebugWindow::stepOut() { runToReturn(&StepHistory::stepOut); }

// Step over and Step out are runs: only Stop is enabled until the subroutine returns.
void DebugWindow::runToReturn(void (StepHistory::*command)(int)) {
    if (views_.runInProgress || commandRunning_) return;
    commandRunning_ = true;
    setRunning(true);
    (history_.*command)(DebugViews::stepLine(selectedLine(), program_->count()));
    setRunning(false);
    commandRunning_ = false;
    afterCommand();
}

void DebugWindow::stepBack() {
    if (views_.runInProgress || commandRunning_ || !history_.canStepBack()) return;
    commandRunning_ = true;
    const bool taken = history_.stepBack();
    commandRunning_ = false;
    afterCommand();
    if (!taken) status_->setText(programText(history_.refusal()));
}

void DebugWindow::run() {
    if (views_.runInProgress || commandRunning_) return;
    commandRunning_ = true;
    setRunning(true);
    history_.run();
    setRunning(false);
    commandRunning_ = false;
    afterCommand();
}

void DebugWindow::stop() {
    if (!views_.runInProgress) return;
    session_.stop();
    status_->setText("Stopping...");
}

void DebugWindow::setRunning(bool running) {
    views_.runInProgress = running;
    step_->setEnabled(views_.stepEnabled());
    stepOver_->setEnabled(views_.stepEnabled());
    stepOut_->setEnabled(views_.stepEnabled());
    stepBack_->setEnabled(!running && history_.canStepBack());
    run_->setEnabled(views_.runEnabled());
    stop_->setEnabled(views_.stopEnabled());
    setStale(running);
    if (running) {
        status_->setText("Running... Stop (Shift+F5) ends the run before its next line.");
        stop_->setFocus();
    }
}

void DebugWindow::afterCommand() {
    followSp();
    refreshLists();
    // A Run gives every input port the value the program last saw.
    fillPorts(inPorts_, true);
    program_->setFaultLine(session_.faultLine());
    showNextLine(session_.selectedLine());
    QString status = programText(session_.statusText());
    if (!spInMemory(machine_.fields().sp)) status += " " + QString::fromStdString(spOutsideMemoryText(machine_.fields().sp));
    status_->setText(status);
    showStates();
    stepBack_->setEnabled(!views_.runInProgress && history_.canStepBack());
    if (step_->isEnabled()) step_->setFocus();
}

void DebugWindow::showNextLine(int next) {
    showingNextLine_ = true;
    if (next >= 0 && next < program_->count()) {
        // Centred when it has to move, so the lines around it can be read too (before
        // the selection moves, which would scroll it just into view).
        const QRect shown = program_->visualItemRect(program_->item(next));
        if (!program_->viewport()->rect().contains(shown)) {
            program_->scrollToItem(program_->item(next), QAbstractItemView::PositionAtCenter);
        }
        program_->setCurrentRow(next);
    } else {
        program_->clearSelection();
        program_->setCurrentItem(nullptr);
    }
    program_->setNextLine(next);
    showingNextLine_ = false;
}

void DebugWindow::chooseLine(int row) {
    if (showingNextLine_ || commandRunning_ || row < 0) return;
    session_.choose(row);
    program_->setNextLine(row);
    status_->setText(programText(session_.statusText()));
}

void DebugWindow::followSp() {
    const std::optional<int> top = stackTopFollowingSp(machine_.fields().sp, views_.stack.top, visibleRows(stack_));
    if (!top) return;
    views_.stack.top = *top;
    views_.stack.barPosition = *top;
    stackBar_->setValue(*top);
}

void DebugWindow::beforeMessage(const std::string& text, const std::string& hint) {
    // The box is about the state the command left: the window behind it shows that
    // state, not the one from before the command.
    if (!commandRunning_) return;
    session_.compareChanges();
    setStale(false);
    followSp();
    refreshLists();
    fillPorts(inPorts_, true);
    showNextLine(machine_.fields().currentLine + 1);
    status_->setText(programText(hint.empty() ? text : hint));
    showStates();
}

void DebugWindow::toggleBreakpoint(int line) { setBreakpoint(line, !session_.hasBreakpoint(line)); }

void DebugWindow::setBreakpoint(int line, bool on) {
    if (line < 0 || line >= program_->count()) return;
    session_.setBreakpoint(line, on);
    QSet<int> lines;
    for (int l : session_.breakpoints()) lines.insert(l);
    program_->setBreakpoints(lines);
}

void DebugWindow::toggleSelectedBreakpoint() { toggleBreakpoint(selectedLine()); }

// ---- Lists ------------------------------------------------------------------------------

void DebugWindow::scrollView(bool stack, int action) {
    const std::optional<ListScroll> scroll = scrollOf(action);
    if (!scroll) return;
    ScrollView& view = stack ? views_.stack : views_.dump;
    QScrollBar* bar = stack ? stackBar_ : dumpBar_;
    const bool moved = view.scroll(*scroll, bar->sliderPosition());
    // The bar follows the view's own rule, not Qt's step from where the bar stood.
    bar->setSliderPosition(view.barPosition);
    if (!moved) return;
    if (stack) fillStack();
    else fillDump();
}

void DebugWindow::jumpToAddress() {
    bool ok = false;
    const int address = address_->text().toInt(&ok, 16);
    if (!ok) return;
    views_.dump.top = dumpRowOf(address);
    views_.dump.barPosition = views_.dump.top;
    dumpBar_->setValue(views_.dump.top);
    fillDump();
}

void DebugWindow::editInputPort(QListWidgetItem* item) {
    const int port = inPorts_->row(item);
    InputRequest request = inputPortRequest(machine_, port);
    // A refused value is offered again, selected, until it reads or Cancel keeps the
    // old one.
    while (const std::optional<std::string> typed = ValueEditDialog::ask(request, this)) {
        if (applyInputPort(machine_, port, *typed)) break;
        request.value = *typed;
    }
    item->setText(QString::fromStdString(inputPortEntry(machine_, port)));
    inPorts_->setCurrentItem(item);
}

void DebugWindow::editRegister(QListWidgetItem* item) {
    const int index = registers_->row(item);
    std::optional<InputRequest> request = registerPairRequest(machine_, index);
    if (!request) return;
    while (const std::optional<std::string> typed = ValueEditDialog::ask(*request, this)) {
        if (applyRegisterPair(machine_, index, *typed)) break;
        request->value = *typed;
    }
    fillRegisters();
}

// ---- Window ------------------------------------------------------------------------------

void DebugWindow::reject() {
    // A Run pumps this window's events; closing it underneath would end the run's
    // owner while the run still uses it.
    if (!views_.mayClose()) return;
    QDialog::reject();
}

void DebugWindow::closeEvent(QCloseEvent* event) {
    if (!views_.mayClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool DebugWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == address_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            jumpToAddress();
            return true;
        }
    }
    const bool dumpView = watched == dump_->viewport();
    if (dumpView || watched == stack_->viewport()) {
        if (event->type() == QEvent::Resize) {
            if (dumpView) fillDump();
            else fillStack();
        } else if (event->type() == QEvent::Wheel) {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            const int action = delta > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd;
            if (delta != 0) {
                for (int i = 0; i < 3; ++i) scrollView(!dumpView, action);
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace verdin::gui
