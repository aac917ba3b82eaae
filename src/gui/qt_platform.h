// The Platform of the desktop workbench: the core's message boxes become Qt
// message boxes owned by the window that is in front, and a running program keeps
// the windows alive by letting Qt handle its events whenever the core pumps.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/platform.h"

namespace verdin::gui {

class QtPlatform : public Platform {
public:
    // The window that owns the message boxes: the main window, or the debug window
    // while it is open, so that a box never hides behind the window it is about.
    void setOwner(QWidget* owner) { owner_ = owner; }
    QWidget* owner() const { return owner_; }

    void showMessage(MessageKind kind, const std::string& text) override;
    // The hint becomes the box's informative text, under the message.
    void showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) override;
    void pumpEvents() override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace verdin::gui
