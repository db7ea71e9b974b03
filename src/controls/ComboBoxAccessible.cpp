// Accessible interface of the owner-drawn drop-down list.
#include "ComboBoxAccessible.h"

#include "OwnerDrawComboBox.h"

#include <QAbstractItemView>

ComboBoxAccessible::ComboBoxAccessible(OwnerDrawComboBox *comboBox)
    : QAccessibleWidget(comboBox, QAccessible::ComboBox)
{
}

OwnerDrawComboBox *ComboBoxAccessible::comboBox() const
{
    return static_cast<OwnerDrawComboBox *>(widget());
}

void *ComboBoxAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString ComboBoxAccessible::text(int startOffset, int endOffset) const
{
    return comboBox()->currentText().mid(startOffset, endOffset - startOffset);
}

int ComboBoxAccessible::characterCount() const
{
    return static_cast<int>(comboBox()->currentText().size());
}

void ComboBoxAccessible::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

QRect ComboBoxAccessible::characterRect(int) const
{
    return {};
}

int ComboBoxAccessible::offsetAtPoint(const QPoint &) const
{
    return -1;
}

QString ComboBoxAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = offset;
    *endOffset = offset;
    return {};
}

QString ComboBoxAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return comboBox()->currentText();
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
        return comboBox()->currentText();
    return QAccessibleWidget::text(kind);
}

QAccessible::State ComboBoxAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = comboBox()->isDroppedDown();
    state.collapsed = !state.expanded;
    return state;
}

// The list counts as the one child before it is built; only a reader asking for it builds it.
int ComboBoxAccessible::childCount() const
{
    return 1;
}

QAccessibleInterface *ComboBoxAccessible::child(int index) const
{
    if (index != 0)
        return nullptr;
    return QAccessible::queryAccessibleInterface(comboBox()->dropDownView());
}

int ComboBoxAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const OwnerDrawComboBox *box = comboBox();
    return child && box->hasDropDownView() && child->object() == box->view() ? 0 : -1;
}

QStringList ComboBoxAccessible::actionNames() const
{
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
}

void ComboBoxAccessible::doAction(const QString &actionName)
{
    if (actionName == showMenuAction() || actionName == pressAction()) {
        if (comboBox()->isDroppedDown())
            comboBox()->hidePopup();
        else
            comboBox()->showPopup();
    } else
        QAccessibleWidget::doAction(actionName);
}

QAccessibleInterface *ComboBoxAccessible::Factory(const QString &className, QObject *object)
{
    if (className == QLatin1String(OwnerDrawComboBox::staticMetaObject.className()) &&
        object->isWidgetType())
        return new ComboBoxAccessible(static_cast<OwnerDrawComboBox *>(object));
    return nullptr;
}
