#include "gui/import_window.h"

#include <QBrush>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPushButton>
#include <QVBoxLayout>

#include "files/source_file.h"
#include "gui/program_text.h"
#include "shell/tidy.h"

namespace verdin::gui {

ImportWindow::ImportWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), summary_(new QLabel(this)), list_(new QListWidget(this)) {
    setWindowTitle(tr("Import"));
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
}

bool ImportWindow::importFile(const QString& path, bool bareNumbersAreHex) {
    lines_.clear();
    list_->clear();
    const std::string file = path.toStdString();
    LoadResult loaded = loadProgramText(file);
    if (!loaded.ok) {
        platform_.showMessage(MessageKind::Error, loaded.error);
        return false;
    }
    if (!loaded.note.empty()) platform_.showMessage(MessageKind::Information, loaded.note);
    TidyResult result = tidyProgram(loaded.text.lines, bareNumbersAreHex);
    // The converted text goes into the editor whole or not at all, like any file.
    std::string refusal = editorRefusal(SourceText{result.lines, loaded.text.ending}, file);
    if (!refusal.empty()) {
        platform_.showMessage(MessageKind::Error, refusal);
        return false;
    }
    std::vector<Message> faults = remainingFaults(result.lines);

    setWindowTitle(tr("Import - %1").arg(QFileInfo(path).fileName()));
    for (const TidyNote& note : result.changes) list_->addItem(programText(formatChange(note)));
    // What is left for the student stands out from what was done.
    const QBrush toDo(QColor(0xB0, 0x30, 0x00));
    auto addToDo = [&](const std::string& text) {
        auto* item = new QListWidgetItem(programText(text), list_);
        item->setForeground(toDo);
    };
    for (const TidyNote& note : result.byHand) addToDo(formatByHand(note));
    for (const Message& fault : faults) {
        addToDo("still to fix: " + formatMessageLine(fault));
        if (!fault.hint.empty()) addToDo("still to fix: " + formatHintLine(fault));
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
