#include "gui/calculator_dialog.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "gui/window_placement.h"

namespace verdin::gui {

CalculatorDialog::CalculatorDialog(Calculator& calculator, QWidget* parent)
    : QDialog(parent), calculator_(calculator), display_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Calculator"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    display_->setObjectName(QStringLiteral("display"));
    display_->setAccessibleName(QStringLiteral("Display"));
    display_->setFont(fixed);
    display_->setFocusPolicy(Qt::NoFocus);
    display_->setSelectionMode(QAbstractItemView::NoSelection);
    display_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    display_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(fixed);
    display_->setFixedHeight(metrics.height() + 2 * display_->frameWidth() + 6);
    display_->setMinimumWidth(metrics.horizontalAdvance(QString(Calculator::kDisplayWidth + 4, QLatin1Char('0'))));

    // Keys just wide enough for "+/-", so the pad stays as compact as a pocket
    // calculator's and the display spans it.
    const QSize keySize(QFontMetrics(font()).horizontalAdvance(QStringLiteral("+/-")) + 20,
                        QFontMetrics(font()).height() + 14);
    auto* grid = new QGridLayout(this);
    grid->setSpacing(4);
    grid->addWidget(display_, 0, 0, 1, kCalcPadColumns);
    for (const CalcControl& control : kCalcControls) {
        const QString label = QString::fromStdString(calcKeyLabel(control));
        auto* button = new QPushButton(label, this);
        button->setObjectName(QStringLiteral("key%1").arg(control.id));
        // The dialog keeps the keyboard: Enter closes it rather than pressing the key
        // that was clicked last.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setMinimumSize(keySize);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        connect(button, &QPushButton::clicked, this, [this, &control] { press(control); });
        button->setAccessibleName(QString::fromStdString(calcKeySpokenName(control)));
        keys_[control.id] = button;
        const CalcKeyPlace place = calcKeyPlace(control);
        grid->addWidget(button, place.row, place.column, 1, place.span);
    }
    refresh();
    setFixedSize(sizeHint());
    keepOnOwnersScreen(this);
}

int CalculatorDialog::run() {
    calculator_.open();
    refresh();
    return exec();
}

QString CalculatorDialog::displayLine() const {
    return display_->count() > 0 ? display_->item(0)->text() : QString();
}

QPushButton* CalculatorDialog::key(const QString& label) const {
    for (const auto& [id, button] : keys_)
        if (button->text() == label) return button;
    return nullptr;
}

void CalculatorDialog::press(const CalcControl& control) {
    if (control.key == CalcKey::Help) {
        emit helpRequested(kCalcHelpContext);
        return;
    }
    calculator_.press(control);
    refresh();
}

void CalculatorDialog::refresh() {
    display_->clear();
    display_->addItem(QString::fromLatin1(calculator_.display().c_str()));
    for (const CalcControl& control : kCalcControls) keys_.at(control.id)->setEnabled(calculator_.keyEnabled(control));
}

void CalculatorDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: accept(); return;
        case Qt::Key_Escape: reject(); return;
        default: break;
    }
    const QString typed = event->text().toUpper();
    if (typed.size() == 1) {
        if (QPushButton* button = key(typed); button != nullptr && button->isEnabled()) {
            button->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

}  // namespace verdin::gui
