// "Clock": the clock, in megahertz, at which the debug window turns the states of the
// processor whose timing is in force into time. OK is offered only for a clock the
// core accepts (debugger/state_time.h).
#pragma once

#include <QDialog>
#include <optional>

#include "isa/instruction_states.h"

class QLineEdit;
class QPushButton;

namespace verdin::gui {

class ClockDialog : public QDialog {
    Q_OBJECT
public:
    ClockDialog(Timing timing, int kHz, QWidget* owner);
    QLineEdit* field() const { return field_; }
    // The clock typed, in kHz; nothing while the text is no clock.
    std::optional<int> clockKHz() const;

    // Shows the dialog modally: the new clock after OK, nothing after Cancel.
    static std::optional<int> ask(Timing timing, int kHz, QWidget* owner);

private:
    QLineEdit* field_;
    QPushButton* ok_;
};

}  // namespace verdin::gui
