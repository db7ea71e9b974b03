// A captioned frame of radio buttons in columns, with the selection as an item index.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit RadioGroup(QWidget *parent = nullptr);

    // Replaces the items, keeping none selected; items fill the columns row by row.
    void setItems(const QStringList &items);
    void setItemText(int index, const QString &text);
    QString itemText(int index) const;
    int count() const;

    void setColumns(int columns);
    int columns() const { return m_columns; }

    // -1 when no item is selected.
    int itemIndex() const;
    // Emits clicked() when this changes the selection, whether called by code or by the user.
    void setItemIndex(int index);

    QRadioButton *button(int index) const;

signals:
    // The selection changed to another item; never sent when the selected item is clicked again.
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateTabStop();
    void layOutButtons();

    QButtonGroup *m_buttons;
    QGridLayout *m_layout;
    int m_columns = 1;
    int m_index = -1;
};
