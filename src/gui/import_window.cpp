#include "gui/import_window.h"

#include <QBrush>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/window_placement.h"

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
    std::optional<ImportReport> imported = importProgramFile(path.toStdString(), bareNumbersAreHex, platform_);
    if (!imported) return false;
    ImportReport& report = *imported;

    setWindowTitle(tr("Import - %1").arg(QFileInfo(path).fileName()));
    // What is left for the student stands out from what was done.
    const QBrush toDo(QColor(0xB0, 0x30, 0x00));
    for (const ImportNote& note : report.notes) {
        auto* item = new QListWidgetItem(programText(note.text), list_);
        if (note.line >= 0) item->setData(kLineRole, note.line);
        if (note.toDo) item->setForeground(toDo);
    }
    // The file name is the system's (UTF-8), not program text.
    summary_->setText(QString::fromStdString(importSummary(report, QFileInfo(path).fileName().toStdString())));
    lines_ = std::move(report.lines);
    return true;
}

}  // namespace verdin::gui
