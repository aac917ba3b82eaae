// The Platform of the desktop workbench: the core's message boxes become Qt
// message boxes owned by the window that is in front, and a running program keeps
// the windows alive by letting Qt handle its events whenever the core pumps.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/platform.h"
#include "shell/save_prompt.h"

namespace verdin::gui {

class QtPlatform : public Platform {
public:
    // The window that owns the message boxes: the main window, or the debug window
    // while it is open, so that a box never hides behind the window it is about.
    void setOwner(QWidget* owner) { owner_ = owner; }
    QWidget* owner() const { return owner_; }

    // Error boxes whose message has a help page get a Help button; pressing it closes
    // the box and calls `open` with the page ("errors#invalid-operand"), which the
    // main window shows in its help window.
    void setHelpHandler(std::function<void(const std::string& page)> open) { openHelp_ = std::move(open); }

    void showMessage(MessageKind kind, const std::string& text) override;
    // The hint becomes the box's informative text, under the message.
    void showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) override;
    // The save prompt: a "Warning" box with the exclamation icon and Yes / No / Cancel;
    // closing the box counts as Cancel.
    SaveAnswer askToSave();
    void pumpEvents() override;

private:
    QPointer<QWidget> owner_;
    std::function<void(const std::string&)> openHelp_;
};

}  // namespace verdin::gui
