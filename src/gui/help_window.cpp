#include "gui/help_window.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QShortcut>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/window_placement.h"
#include "help/help_pages.h"
#include "help/markdown.h"
#include "shell/editor_syntax.h"

namespace verdin::gui {

namespace {

constexpr int kTargetRole = Qt::UserRole;

// Tables and code read better with a little air; QTextBrowser knows this much CSS.
const char* const kStyle =
    "<style>"
    "h1 { font-size: x-large; } h2 { font-size: large; margin-top: 14px; } h3 { font-size: medium; }"
    "pre { background-color: #f2f2ee; font-family: monospace; }"
    "code { font-family: monospace; color: #1a4d80; }"
    "th { background-color: #e4e8ee; text-align: left; }"
    "</style>";

QString targetOf(const QUrl& url) {
    QString id = url.path();
    while (id.startsWith('/')) id.remove(0, 1);
    return url.hasFragment() ? id + '#' + url.fragment() : id;
}

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QUrl HelpBrowser::urlOf(const QString& target) {
    const qsizetype hash = target.indexOf('#');
    QUrl url(QStringLiteral("help:/") + (hash < 0 ? target : target.left(hash)));
    if (hash >= 0) url.setFragment(target.mid(hash + 1));
    return url;
}

QString HelpBrowser::pageId() const { return targetOf(source()).section('#', 0, 0); }

void HelpBrowser::setIntelRules(bool intel) {
    if (intel == intelRules_) return;
    intelRules_ = intel;
    if (!source().isEmpty()) reload();
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::HtmlResource || name.scheme() != QStringLiteral("help")) {
        return QTextBrowser::loadResource(type, name);
    }
    const help::Page* page = help::findPage(targetOf(name).toStdString());
    if (page == nullptr) {
        return QStringLiteral("<h1>No such page</h1><p>The help has no page \"%1\". <a href=\"contents\">Contents</a></p>")
            .arg(targetOf(name).toHtmlEscaped());
    }
    return QString::fromStdString("<html><head><title>" + page->title + "</title>" + kStyle + "</head><body>" +
                                  help::toHtml(help::markRulesInForce(page->markdown, intelRules_)) +
                                  "</body></html>");
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(new HelpBrowser),
      tabs_(new QTabWidget),
      contents_(new QTreeWidget),
      index_(new QListWidget),
      searchBox_(new QLineEdit),
      results_(new QListWidget),
      back_(new QToolButton),
      forward_(new QToolButton) {
    setWindowTitle(tr("Verdin Help"));
    setObjectName(QStringLiteral("helpWindow"));
    resize(920, 640);

    contents_->setHeaderHidden(true);
    tabs_->addTab(contents_, tr("Contents"));
    tabs_->addTab(index_, tr("Index"));
    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(4, 4, 4, 4);
    searchBox_->setPlaceholderText(tr("Words to find"));
    searchBox_->setClearButtonEnabled(true);
    searchLayout->addWidget(searchBox_);
    searchLayout->addWidget(results_);
    tabs_->addTab(searchPage, tr("Search"));

    back_->setText(tr("Back"));
    back_->setEnabled(false);
    forward_->setText(tr("Forward"));
    forward_->setEnabled(false);
    auto* home = new QToolButton;
    home->setText(tr("Contents"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(home);
    bar->addStretch();
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(bar);
    rightLayout->addWidget(browser_);

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({290, 630});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(splitter);

    contents_->setAccessibleName(tr("Contents"));
    index_->setAccessibleName(tr("Index of mnemonics"));
    searchBox_->setAccessibleName(tr("Words to find"));
    results_->setAccessibleName(tr("Pages found"));
    browser_->setAccessibleName(tr("Help page"));
    tabs_->setAccessibleName(tr("Contents, index and search"));
    back_->setAccessibleName(tr("Back"));
    forward_->setAccessibleName(tr("Forward"));
    home->setAccessibleName(tr("Contents page"));

    fillContents();
    fillIndex();

    // Help is looked at and put away: Esc, as in every other help viewer.
    closeOnEscape(this);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (tabs_->widget(index) == searchBox_->parentWidget()) searchBox_->setFocus();
    });
    keepOnOwnersScreen(this);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] { showPage(QStringLiteral("contents")); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(tr("Verdin Help - %1").arg(browser_->documentTitle()));
    });
    auto open = [this](const QVariant& target) {
        if (target.isValid()) showPage(target.toString());
    };
    connect(contents_, &QTreeWidget::itemClicked, this, [open](QTreeWidgetItem* item) { open(item->data(0, kTargetRole)); });
    connect(contents_, &QTreeWidget::itemActivated, this, [open](QTreeWidgetItem* item) { open(item->data(0, kTargetRole)); });
    for (QListWidget* list : {index_, results_}) {
        connect(list, &QListWidget::itemClicked, this, [open](QListWidgetItem* item) { open(item->data(kTargetRole)); });
        connect(list, &QListWidget::itemActivated, this, [open](QListWidgetItem* item) { open(item->data(kTargetRole)); });
    }
    connect(searchBox_, &QLineEdit::textChanged, this, &HelpWindow::runSearch);
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        if (results_->count() > 0) showPage(results_->item(0)->data(kTargetRole).toString());
    });

    browser_->setSource(HelpBrowser::urlOf(QStringLiteral("contents")));
}

// The contents tree is read from the contents page itself: its headings become the
// branches and its links the leaves, so the two can never disagree.
void HelpWindow::fillContents() {
    const help::Page* page = help::findPage("contents");
    if (page == nullptr) return;
    auto* top = new QTreeWidgetItem(contents_, {QString::fromStdString(page->title)});
    top->setData(0, kTargetRole, QStringLiteral("contents"));
    QTreeWidgetItem* branch = top;
    for (const help::Block& block : help::parseMarkdown(page->markdown)) {
        if (block.kind == help::Block::Heading) {
            branch = new QTreeWidgetItem(contents_, {QString::fromStdString(help::stripInline(block.lines[0]))});
            continue;
        }
        if (block.kind == help::Block::Title) continue;
        for (const std::string& line : block.lines) {
            for (const help::Link& link : help::linksOf(line)) {
                const help::Page* target = help::findPage(link.target);
                QString title = target != nullptr ? QString::fromStdString(target->title) : QString::fromStdString(link.text);
                auto* leaf = new QTreeWidgetItem(branch, {title});
                leaf->setData(0, kTargetRole, QString::fromStdString(link.target));
            }
        }
    }
    contents_->expandAll();
}

void HelpWindow::fillIndex() {
    for (std::string_view mnemonic : editorMnemonics()) {
        std::string id(mnemonic);
        std::transform(id.begin(), id.end(), id.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const help::Page* page = help::findPage(id);
        if (page == nullptr) continue;
        auto* item = new QListWidgetItem(QString::fromStdString(page->title));
        item->setData(kTargetRole, QString::fromStdString(id));
        index_->addItem(item);
    }
    index_->sortItems();
}

void HelpWindow::runSearch(const QString& query) {
    results_->clear();
    for (const help::SearchHit& hit : help::search(query.toStdString())) {
        auto* item = new QListWidgetItem(QString::fromStdString(hit.title));
        item->setData(kTargetRole, QString::fromStdString(hit.pageId));
        results_->addItem(item);
    }
}

void HelpWindow::showPage(const QString& target) {
    browser_->setSource(HelpBrowser::urlOf(target));
    show();
    raise();
    activateWindow();
}

bool HelpWindow::showContext(int contextNumber) {
    const std::string target = help::pageForContext(contextNumber);
    if (target.empty()) return false;
    showPage(QString::fromStdString(target));
    return true;
}

}  // namespace verdin::gui
