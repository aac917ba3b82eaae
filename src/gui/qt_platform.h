// The Platform of the desktop workbench: the core's message boxes become Qt
// message boxes owned by the window that is in front, a running program keeps the
// windows alive by letting Qt handle its events whenever the core pumps, and the
// services' text screen and "Input value" box are real windows.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/platform.h"
#include "shell/save_prompt.h"

namespace verdin::gui {

class TextScreenWindow;

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The window that owns the message boxes, the text screen and the "Input value"
    // box: the main window, or the debug window while it is open, so that a box never
    // hides behind the window it is about.
    void setOwner(QWidget* owner) { owner_ = owner; }
    QWidget* owner() const { return owner_; }

    // Error boxes whose message has a help page get a Help button; pressing it closes
    // the box and calls `open` with the page ("errors#invalid-operand"), which the
    // main window shows in its help window.
    void setHelpHandler(std::function<void(const std::string& page)> open) { openHelp_ = std::move(open); }

    // The hint becomes the box's informative text, under the message.
    void showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) override;
    // The box with a Help button when the message has a help page.
    void showMessageWithHelp(const Message& message) override;
    // The save prompt: a "Warning" box with the exclamation icon and Yes / No / Cancel,
    // `hint` (which file it is about) under the question; closing the box counts as
    // Cancel.
    SaveAnswer askToSave(const std::string& hint = {});
    void pumpEvents() override;
    void textScreenChanged(const std::vector<std::string>& lines, bool open) override;
    std::optional<std::string> inputValue(const ValueRequest& request) override;

    // Called when the student closes the text screen (Esc or its close box), so the
    // machine can forget it: the next output opens a new, empty one.
    void setTextScreenClosed(std::function<void()> closed) { textScreenClosed_ = std::move(closed); }
    // The open text screen, or null.
    TextScreenWindow* textScreen() const;
    // Options > Zoom: the text screen's size in points (0: normal), now and later.
    void setTextScreenPointSize(int points);
    // Called with a new text screen before it first shows, to put it in its place;
    // without one it opens where the window system puts it.
    void setTextScreenPlacer(std::function<void(QWidget*)> place) { placeTextScreen_ = std::move(place); }
    // Called with the text and hint of every message box just before it shows, so
    // that the window behind the box can show the state the box is about.
    void setBeforeMessage(std::function<void(const std::string& text, const std::string& hint)> before) {
        beforeMessage_ = std::move(before);
    }

private:
    QPointer<QWidget> owner_;
    std::function<void(const std::string&)> openHelp_;
    QPointer<TextScreenWindow> textScreen_;
    std::function<void()> textScreenClosed_;
    int textScreenPoints_ = 0;
    std::function<void(QWidget*)> placeTextScreen_;
    std::function<void(const std::string&, const std::string&)> beforeMessage_;
};

}  // namespace verdin::gui
