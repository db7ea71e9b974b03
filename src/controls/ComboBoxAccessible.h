// What a screen reader sees of a drop-down list: named by its caption, valued by its selection.
#pragma once

#include <QAccessibleWidget>

class OwnerDrawComboBox;
class QComboBox;

// Qt's own combo box interface names a closed list after its current item on Unix and leaves
// the caption to a label relation, which not every screen reader follows; this one carries the
// caption (the widget's accessible name) as the name, and the selected item as the value and as
// read-only text, which is how the item reaches a screen reader over AT-SPI.
class ComboBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ComboBoxAccessible(QComboBox *comboBox);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;

    // The selected item's name as a read-only text without caret or selection.
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

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
    OwnerDrawComboBox *ownerDrawComboBox() const;
};
