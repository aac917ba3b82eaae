// The whole desktop workbench for a test: a main window over its own machine, file
// session and private configuration folder, shown and active so that shortcuts work.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <memory>

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
        window->editorView()->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    ~Workbench() {
        // Nothing may ask about unsaved text while the test tears down.
        window->editor().markSaved();
    }

    EditorView* view() const { return window->editorView(); }
    const EditorController& editor() const { return window->editorView()->controller(); }
    const EditorState& state() const { return editor().state(); }
    std::string text() const { return editor().text(); }
    QString title() const { return window->windowTitle(); }

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

    // Opens a menu of the menu bar with the mouse and clicks one of its items.
    void chooseMenuItem(const QString& menuTitle, const QString& itemText) {
        activate();
        QMenuBar* bar = window->menuBar();
        for (QAction* top : bar->actions()) {
            if (top->text() != menuTitle || top->menu() == nullptr) continue;
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
            QMenu* menu = top->menu();
            QTRY_VERIFY(menu->isVisible());
            for (QAction* item : menu->actions()) {
                if (item->text() == itemText) {
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
                    return;
                }
            }
        }
        QFAIL(qPrintable("no menu item " + menuTitle + " > " + itemText));
    }
};

// Calls `act` once on the first shown top-level widget of type T, from inside its
// event loop. Found by type rather than as "a modal other than the one before": a
// dialog built where a closed one was may well have that one's address.
template <typename T>
void whenShown(std::function<void(T*)> act, int timeoutMs = 10000) {
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* found = qobject_cast<T*>(widget);
            if (found != nullptr && found->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(found);
                return;
            }
        }
        if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

// Answers the next file dialog with `path` (empty: Cancel).
inline void whenFileDialogAppears(const QString& path, QString* caption = nullptr) {
    whenShown<QFileDialog>([path, caption](QFileDialog* dialog) {
        if (caption != nullptr) *caption = dialog->windowTitle();
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            // Typed into the name field, as a person would: selectFile depends on the
            // folder model, which a helper thread fills later.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name != nullptr) name->setText(path);
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as OK does
        }
    });
}

// Presses `button` on the next message box and keeps what it said.
inline void whenMessageBoxAppears(QString* seen, QMessageBox::StandardButton button = QMessageBox::Ok) {
    whenShown<QMessageBox>([seen, button](QMessageBox* modal) {
        if (seen != nullptr) *seen = messageBoxLine(modal);
        press(modal, button);
    });
}

}  // namespace verdin::gui::test
