// A captioned frame of radio buttons in columns, with the selection as an item index.
#include "RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QRadioButton>

#include <stdexcept>
#include <string>

RadioGroup::RadioGroup(QWidget *parent)
    : QGroupBox(parent), m_buttons(new QButtonGroup(this)), m_layout(new QGridLayout(this))
{
    // The window gives a group little more height than one row of buttons under the caption.
    m_layout->setContentsMargins(4, 1, 4, 1);
    m_layout->setHorizontalSpacing(4);
    m_layout->setVerticalSpacing(0);

    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && id != m_index) {
            m_index = id;
            updateTabStop();
            emit clicked();
        }
    });
}

void RadioGroup::setItems(const QStringList &items)
{
    // The old buttons may be the sender of the signal being handled, so they go later.
    for (QAbstractButton *old : m_buttons->buttons()) {
        m_buttons->removeButton(old);
        m_layout->removeWidget(old);
        old->hide();
        old->deleteLater();
    }
    m_index = -1;
    // New children join the end of the window's focus chain, but Tab must reach them where the
    // group stands; setTabOrder() only links widgets that take focus, hence the brief policy.
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusPolicy(Qt::TabFocus);
    QWidget *previous = this;
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items.at(i), this);
        radio->installEventFilter(this);
        m_buttons->addButton(radio, i);
        setTabOrder(previous, radio);
        previous = radio;
    }
    setFocusPolicy(policy);
    layOutButtons();
    updateTabStop();
}

void RadioGroup::setItemText(int index, const QString &text)
{
    button(index)->setText(text);
}

QString RadioGroup::itemText(int index) const
{
    return button(index)->text();
}

int RadioGroup::count() const
{
    return static_cast<int>(m_buttons->buttons().size());
}

void RadioGroup::setColumns(int columns)
{
    if (columns < 1) {
        throw std::invalid_argument("RadioGroup needs at least one column, not " +
                                    std::to_string(columns));
    }
    m_columns = columns;
    layOutButtons();
}

int RadioGroup::itemIndex() const
{
    return m_index;
}

void RadioGroup::setItemIndex(int index)
{
    if (index < -1 || index >= count()) {
        throw std::out_of_range("RadioGroup item index " + std::to_string(index) +
                                " is outside -1.." + std::to_string(count() - 1));
    }
    if (index == m_index) {
        return;
    }
    if (index >= 0) {
        button(index)->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last checked button.
    m_buttons->setExclusive(false);
    button(m_index)->setChecked(false);
    m_buttons->setExclusive(true);
    m_index = -1;
    updateTabStop();
    emit clicked();
}

QRadioButton *RadioGroup::button(int index) const
{
    auto *radio = qobject_cast<QRadioButton *>(m_buttons->button(index));
    if (radio == nullptr) {
        throw std::out_of_range("RadioGroup has no item " + std::to_string(index) + " of " +
                                std::to_string(count()));
    }
    return radio;
}

bool RadioGroup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress) {
        return QGroupBox::eventFilter(watched, event);
    }
    const auto *key = static_cast<QKeyEvent *>(event);
    const int from = m_buttons->id(qobject_cast<QAbstractButton *>(watched));
    if (from < 0 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return QGroupBox::eventFilter(watched, event);
    }
    int step = 0;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = 1;
        break;
    default:
        return QGroupBox::eventFilter(watched, event);
    }
    // Consumed even at either end, so the button's own geometric search never leaves the group.
    const int to = from + step;
    if (to >= 0 && to < count()) {
        button(to)->setFocus(Qt::TabFocusReason);
        setItemIndex(to);
    }
    return true;
}

void RadioGroup::updateTabStop()
{
    // Only one button is a tab stop, so Tab enters the group at its selection and leaves after it.
    const int stop = m_index >= 0 ? m_index : 0;
    for (QAbstractButton *radio : m_buttons->buttons()) {
        radio->setFocusPolicy(m_buttons->id(radio) == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void RadioGroup::layOutButtons()
{
    for (int column = 0; column < m_layout->columnCount(); ++column) {
        m_layout->setColumnStretch(column, 0);
    }
    for (int row = 0; row < m_layout->rowCount(); ++row) {
        m_layout->setRowStretch(row, 0);
    }
    const int items = count();
    for (int i = 0; i < items; ++i) {
        QRadioButton *radio = button(i);
        m_layout->removeWidget(radio);
        m_layout->addWidget(radio, i / m_columns, i % m_columns);
    }
    // Columns and rows share the frame evenly, whatever the lengths of the texts.
    for (int column = 0; column < m_columns; ++column) {
        m_layout->setColumnStretch(column, 1);
    }
    for (int row = 0; row < (items + m_columns - 1) / m_columns; ++row) {
        m_layout->setRowStretch(row, 1);
    }
}
