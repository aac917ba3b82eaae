#include "gui/calculator_dialog.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "gui/window_placement.h"

namespace verdin::gui {

namespace {

QString labelOf(const CalcControl& control) {
    switch (control.key) {
        case CalcKey::Digit:
        case CalcKey::Operator: return QString(QLatin1Char(control.symbol));
        case CalcKey::Equals: return QStringLiteral("=");
        case CalcKey::Clear: return QStringLiteral("CE");
        case CalcKey::Sign: return QStringLiteral("S");
        case CalcKey::Base: return QStringLiteral("M");
        case CalcKey::Negate: return QStringLiteral("+/-");
        case CalcKey::Help: return QStringLiteral("?");
    }
    return {};
}

// What a screen reader says for a key: the keys whose label is a letter or a sign
// say what they do.
QString spokenName(const CalcControl& control, const QString& label) {
    switch (control.key) {
        case CalcKey::Equals: return QStringLiteral("Equals");
        case CalcKey::Clear: return QStringLiteral("Clear entry");
        case CalcKey::Sign: return QStringLiteral("Sign marker");
        case CalcKey::Base: return QStringLiteral("Hexadecimal or decimal");
        case CalcKey::Negate: return QStringLiteral("Change sign");
        case CalcKey::Help: return QStringLiteral("Help");
        case CalcKey::Operator:
            switch (control.symbol) {
                case '+': return QStringLiteral("Plus");
                case '-': return QStringLiteral("Minus");
                case '*': return QStringLiteral("Times");
                case '/': return QStringLiteral("Divided by");
                default: break;
            }
            break;
        case CalcKey::Digit: break;
    }
    return label;
}

// Where each key sits: row, column (and a column span for the wide ones).
struct Place {
    const char* label;
    int row;
    int column;
    int span;
};
constexpr Place kPlaces[] = {
    {"M", 1, 0, 1}, {"S", 1, 1, 1}, {"?", 1, 2, 1}, {"+/-", 1, 3, 1}, {"CE", 1, 4, 2},
    {"A", 2, 0, 1}, {"B", 2, 1, 1}, {"7", 2, 2, 1}, {"8", 2, 3, 1},   {"9", 2, 4, 1},  {"/", 2, 5, 1},
    {"C", 3, 0, 1}, {"D", 3, 1, 1}, {"4", 3, 2, 1}, {"5", 3, 3, 1},   {"6", 3, 4, 1},  {"*", 3, 5, 1},
    {"E", 4, 0, 1}, {"F", 4, 1, 1}, {"1", 4, 2, 1}, {"2", 4, 3, 1},   {"3", 4, 4, 1},  {"-", 4, 5, 1},
    {"0", 5, 2, 2}, {"=", 5, 4, 1}, {"+", 5, 5, 1},
};

}  // namespace

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
    grid->addWidget(display_, 0, 0, 1, 6);
    for (const CalcControl& control : kCalcControls) {
        const QString label = labelOf(control);
        auto* button = new QPushButton(label, this);
        button->setObjectName(QStringLiteral("key%1").arg(control.id));
        // The dialog keeps the keyboard: Enter closes it rather than pressing the key
        // that was clicked last.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setMinimumSize(keySize);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        connect(button, &QPushButton::clicked, this, [this, &control] { press(control); });
        button->setAccessibleName(spokenName(control, label));
        keys_[control.id] = button;
        for (const Place& place : kPlaces) {
            if (label == QLatin1String(place.label)) grid->addWidget(button, place.row, place.column, 1, place.span);
        }
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
    for (const CalcControl& control : kCalcControls) {
        QPushButton* button = keys_.at(control.id);
        if (control.key == CalcKey::Digit && control.symbol >= 'A') {
            button->setEnabled(calculator_.lettersEnabled());
        } else if (control.key == CalcKey::Negate) {
            button->setEnabled(calculator_.negateEnabled());
        }
    }
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
