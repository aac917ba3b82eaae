#include "gui/import_window.h"

#include <QBrush>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "gui/window_placement.h"

#include "files/source_file.h"
#include "gui/program_text.h"
#include "shell/tidy.h"

namespace verdin::gui {

ImportWindow::ImportWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), summary_(new QLabel(this)), list_(new QListWidget(this)) {
    setWindowTitle(tr("Import"));
    list_->setObjectName(QStringLiteral("changes"));
    list_->setAccessibleName(tr("Changes made and things to do by hand"));
    list_->setToolTip(tr("Click a line to show it in the editor"));
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setWordWrap(true);
    summary_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(620, 360);
    auto choose = [this](QListWidgetItem* item) {
        const QVariant line = item->data(kLineRole);
        if (line.isValid()) emit lineChosen(line.toInt());
    };
    connect(list_, &QListWidget::itemClicked, this, choose);
    connect(list_, &QListWidget::itemActivated, this, choose);
    keepOnOwnersScreen(this);
    closeOnEscape(this);
}

bool ImportWindow::importFile(const QString& path, bool bareNumbersAreHex) {
    lines_.clear();
    list_->clear();
    const std::string file = path.toStdString();
    LoadResult loaded = loadProgramText(file);
    if (!loaded.ok) {
        platform_.showMessageWithHelp({MessageKind::Error, loaded.error, {}, helpPageOf(loaded.errorCode)});
        return false;
    }
    if (!loaded.note.empty()) platform_.showMessage(MessageKind::Information, loaded.note);
    TidyResult result = tidyProgram(loaded.text.lines, bareNumbersAreHex);
    // The converted text goes into the editor whole or not at all, like any file.
    const Diagnostic refusal = editorRefusalOf(SourceText{result.lines, loaded.text.ending}, file);
    if (refusal.code != Ok) {
        platform_.showMessageWithHelp(messageOf(refusal, {}));
        return false;
    }
    std::vector<Message> faults = remainingFaults(result.lines);

    setWindowTitle(tr("Import - %1").arg(QFileInfo(path).fileName()));
    auto addNote = [this](const std::string& text, int line) {
        auto* item = new QListWidgetItem(programText(text), list_);
        if (line > 0) item->setData(kLineRole, line - 1);
        return item;
    };
    for (const TidyNote& note : result.changes) addNote(formatChange(note), note.line);
    // What is left for the student stands out from what was done.
    const QBrush toDo(QColor(0xB0, 0x30, 0x00));
    auto addToDo = [&](const std::string& text, int line) { addNote(text, line)->setForeground(toDo); };
    for (const TidyNote& note : result.byHand) addToDo(formatByHand(note), note.line);
    // The assembler names the faulty line in its message: "... at string 12."
    static const QRegularExpression faultLine(QStringLiteral("at string (\\d+)"));
    for (const Message& fault : faults) {
        const QRegularExpressionMatch match = faultLine.match(QString::fromStdString(fault.text));
        const int line = match.hasMatch() ? match.captured(1).toInt() : 0;
        addToDo("still to fix: " + formatMessageLine(fault), line);
        if (!fault.hint.empty()) addToDo("still to fix: " + formatHintLine(fault), line);
    }
    const auto toDoCount = static_cast<int>(result.byHand.size() + faults.size());
    summary_->setText(tr("%1 change(s) made, %2 thing(s) to do by hand. The converted program is a new "
                         "untitled text; the file %3 is unchanged.")
                          .arg(static_cast<int>(result.changes.size()))
                          .arg(toDoCount)
                          .arg(QFileInfo(path).fileName()));
    lines_ = std::move(result.lines);
    return true;
}

}  // namespace verdin::gui
