// The "Verdin Help" window: the built-in help pages in a QTextBrowser, with the
// contents, an index of the mnemonics and a search box beside them.
//
// Usage (the main window owns one and keeps it for the session):
//   auto* help = new HelpWindow(mainWindow);
//   help->showContext(kMainWindowContext);   // F1; the debug window passes 131202, ...
//   help->showPage("errors#invalid-operand");
#pragma once

#include <QTextBrowser>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QToolButton;
class QTreeWidget;

namespace verdin::gui {

// A QTextBrowser whose documents are the help pages: "help:/mov#syntax" loads the
// page "mov", and relative links ("flags", "errors#out-of-memory") resolve to pages.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;
    // "mov" or "errors#out-of-memory" as a URL of this browser.
    static QUrl urlOf(const QString& target);
    // The page id shown, without the anchor.
    QString pageId() const;
    // Marks the flag summary of the rule set in force (Options > Intel 8080
    // arithmetic) on the pages that have one; the page shown is drawn again.
    void setIntelRules(bool intel);
    bool intelRules() const { return intelRules_; }

private:
    bool intelRules_ = false;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows, raises and activates the window on the page of a context number (the
    // windows' 131200, 131202, 131207, or a mnemonic's 105 + 5 x index). False, and
    // nothing shown, for a number no page belongs to.
    bool showContext(int contextNumber);

public slots:
    // Shows the window on "page" or "page#anchor".
    void showPage(const QString& target);

public:
    HelpBrowser* browser() const { return browser_; }
    QTreeWidget* contentsTree() const { return contents_; }
    QListWidget* indexList() const { return index_; }
    QLineEdit* searchBox() const { return searchBox_; }
    QListWidget* searchResults() const { return results_; }
    QTabWidget* tabs() const { return tabs_; }
    QToolButton* backButton() const { return back_; }

private:
    void fillContents();
    void fillIndex();
    void runSearch(const QString& query);

    HelpBrowser* browser_;
    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QListWidget* index_;
    QLineEdit* searchBox_;
    QListWidget* results_;
    QToolButton* back_;
    QToolButton* forward_;
};

}  // namespace verdin::gui
