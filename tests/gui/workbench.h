// The whole workbench for the desktop tests: a main window over its own machine, file
// session and private configuration folder, shown and active so that shortcuts work.
#pragma once

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QtTest>
#include <memory>
#include <string>

#include "gui/main_window.h"
#include "gui_test_support.h"
#include "shell/file_session.h"
#include "shell/settings.h"

namespace verdin::gui::test {

struct Workbench {
    ScratchConfig config;  // first: the session reads XDG_CONFIG_HOME when it is built
    QtPlatform platform;
    Machine machine{platform};
    FileSession files{platform, settingsFilePathFromEnvironment()};
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(machine, platform, files);

    Workbench() {
        window->show();
        QApplication::setActiveWindow(window.get());
        view()->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    // Nothing may ask about unsaved text while the test tears down.
    ~Workbench() { window->editor().markSaved(); }

    EditorView* view() const { return window->editorView(); }
    EditorController& editor() const { return window->editor(); }
    const EditorState& state() const { return view()->controller().state(); }
    std::string text() const { return view()->controller().text(); }
    QString title() const { return window->windowTitle(); }
    QString status(int part) const { return window->statusPart(part)->text(); }
    // The status bar's passing note ("Line full: ...").
    QString note() const { return window->statusBar()->currentMessage(); }
    QString selected() const {
        const EditorState& s = editor().state();
        return QString::fromStdString(editor().text().substr(s.selectionLow(), s.selectionHigh() - s.selectionLow()));
    }
    void load(const std::string& text) {
        editor().loadText(text);
        view()->refresh();
    }

    // A window manager gives the activation back when a message box closes; the
    // offscreen platform leaves no window active, and shortcuts need one.
    void activate() {
        if (QApplication::activeWindow() != window.get()) QApplication::setActiveWindow(window.get());
    }
    void type(const QString& keys) {
        activate();
        QTest::keyClicks(view(), keys);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        activate();
        QTest::keyClick(view(), key, modifiers);
    }
    QMenu* menu(const QString& title) const {
        for (QAction* a : window->menuBar()->actions())
            if (a->text() == title) return a->menu();
        return nullptr;
    }

    // Opens a menu of the menu bar with the mouse and clicks one of its items.
    void chooseMenuItem(const QString& menuTitle, const QString& itemText) {
        activate();
        QMenuBar* bar = window->menuBar();
        QMenu* opened = menu(menuTitle);
        QVERIFY2(opened != nullptr, qPrintable(menuTitle));
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(opened->menuAction()).center());
        QTRY_VERIFY(opened->isVisible());
        for (QAction* item : opened->actions()) {
            if (item->text() == itemText) {
                QTest::mouseClick(opened, Qt::LeftButton, {}, opened->actionGeometry(item).center());
                return;
            }
        }
        QFAIL(qPrintable("no menu item " + menuTitle + " > " + itemText));
    }
};

}  // namespace verdin::gui::test
