// A drop-down list whose rows, closed and open, are painted by its owner, one request per item.
#pragma once

#include <QComboBox>
#include <QStyle>

class QAbstractItemView;
class QPainter;

class OwnerDrawComboBox : public QComboBox
{
    Q_OBJECT

public:
    static constexpr int DefaultItemHeight = 16;

    explicit OwnerDrawComboBox(QWidget *parent = nullptr);

    // Height of every row of the open list and of the closed box's item area.
    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height);

    // The rows the open list shows before it scrolls.
    void setDropDownCount(int rows) { setMaxVisibleItems(rows); }
    int dropDownCount() const { return maxVisibleItems(); }

    // The painter of the item being drawn; valid only inside a drawItem() handler.
    QPainter *canvas() const { return m_canvas; }

    // Paints one item with the canvas the owner is given; called for the open list's rows and
    // for the closed box's selected item, before the focus frame.
    void paintItem(QPainter *painter, int index, const QRect &rect, QStyle::State state);

    // The open list's view with the owner's painting, built on first use: most lists are never
    // opened, and the view costs more to build than the closed box.
    QAbstractItemView *dropDownView();
    bool hasDropDownView() const { return m_dropDownBuilt; }

    // Whether the drop-down list is open. Kept here rather than read off the list, which need not
    // exist before the first opening.
    bool isDroppedDown() const { return m_droppedDown; }

    void showPopup() override;
    void hidePopup() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The owner paints item index into rect with canvas(). Connect directly (never queued).
    void drawItem(OwnerDrawComboBox *control, int index, const QRect &rect, QStyle::State state);
    // The user picked an item, by mouse, keyboard or wheel; never sent for changes made by code.
    void change();
    // The drop-down list opened or closed, by the user, by code or by the platform.
    void droppedDownChanged(bool droppedDown);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setDroppedDown(bool droppedDown);

    int m_itemHeight = DefaultItemHeight;
    QPainter *m_canvas = nullptr;
    bool m_droppedDown = false;
    bool m_dropDownBuilt = false;
};
