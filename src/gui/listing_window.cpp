#include "gui/listing_window.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "files/file_names.h"
#include "gui/window_placement.h"
#include "shell/listing.h"

namespace verdin::gui {

ListingWindow::ListingWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      summary_(new QLabel(this)),
      view_(new QPlainTextEdit(this)),
      copy_(new QPushButton(tr("Copy all"), this)),
      print_(new QPushButton(tr("Print..."), this)) {
    setWindowTitle(tr("Listing"));
    setObjectName(QStringLiteral("listingWindow"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);
    view_->setObjectName(QStringLiteral("listing"));
    view_->setReadOnly(true);
    // Read-only, yet the keyboard can still walk and select the rows to copy them.
    view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setAccessibleName(tr("Listing"));
    view_->setAccessibleDescription(tr("Address, bytes and source of every line, then the labels"));
    copy_->setObjectName(QStringLiteral("copyListing"));
    print_->setObjectName(QStringLiteral("printListing"));
    auto* close = new QPushButton(tr("Close"), this);
    connect(copy_, &QPushButton::clicked, this, [this] {
        if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(view_->toPlainText());
    });
    connect(print_, &QPushButton::clicked, this, [this] { emit printRequested(rows_, title_); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy_);
    buttons->addWidget(print_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    // The widest row: address, four bytes and an 80-column line.
    const QFontMetrics metrics(view_->font());
    resize(metrics.horizontalAdvance(QString(100, QLatin1Char('M'))) + 40, metrics.lineSpacing() * 30 + 80);
    keepOnOwnersScreen(this);
    closeOnEscape(this);
}

void ListingWindow::showListing(const std::vector<std::string>& lines, const std::string& fileName,
                                ArithmeticRules rules) {
    const ProgramListing listing = makeListing(lines, rules);
    const QString name = fileName.empty() ? tr("Untitled") : QString::fromStdString(fileNamePart(fileName));
    setWindowTitle(tr("Listing - %1").arg(name));
    title_ = "Listing of " + name.toStdString();
    fault_ = !listing.compiled;
    rows_ = listing.rows;
    QString text;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (i > 0) text += QLatin1Char('\n');
        text += QString::fromLatin1(rows_[i].data(), static_cast<qsizetype>(rows_[i].size()));
    }
    view_->setPlainText(text);
    summary_->setText(fault_ ? tr("The program does not compile: mend line %1 and compile again.").arg(listing.faultLine)
                             : tr("Address, bytes and line of every source line, then the labels."));
    print_->setEnabled(!fault_);
}

}  // namespace verdin::gui
