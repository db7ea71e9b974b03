// What a screen reader sees of a drop-down list: named by its caption, valued by its selection.
#pragma once

#include <QAccessibleWidget>

class QComboBox;

// Qt's own combo box interface names a closed list after its current item on Unix and leaves
// the caption to a label relation, which not every screen reader follows; this one carries the
// caption (the widget's accessible name) as the name and the selected item as the value.
class ComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit ComboBoxAccessible(QComboBox *comboBox);

    QString text(QAccessible::Text kind) const override;

    // The open list's view, whose rows are the items.
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // Answers QAccessible's query for the given class name (installed with installFactory).
    static QAccessibleInterface *Factory(const QString &className, QObject *object);

private:
    QComboBox *comboBox() const;
};
