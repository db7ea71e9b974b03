// A drop-down list whose rows, closed and open, are painted by its owner, one request per item.
#include "OwnerDrawComboBox.h"

#include "ComboBoxAccessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// Styles that open the list over the current item as a menu (Fusion among them) ignore the
// number of visible rows; the list here always drops down and honours it.
class DropDownListStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// One style serves every box; it lives as long as the application, which outlives the widgets.
QStyle *dropDownListStyle()
{
    static QPointer<DropDownListStyle> style;
    if (style.isNull()) {
        style = new DropDownListStyle(QApplication::style()->name());
        style->setParent(qApp);
    }
    return style.data();
}

// The platform's focus frame: a dotted edge whose dots invert what lies beneath, as Windows draws
// it over an owner-drawn item. Qt's Windows style draws those dots; the widget's own style may
// mark the focus otherwise (Fusion shades the whole item), which would change the owner's colours.
// Null only where Qt was built without that style, which the constructor reports.
const QStyle *dottedFocusStyle()
{
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = QStyleFactory::create(QStringLiteral("Windows"));
        if (!style.isNull())
            style->setParent(qApp);
    }
    return style.data();
}

void drawFocusFrame(QPainter *painter, const QRect &rect, const QStyleOption &from,
                    const QWidget *widget)
{
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(from);
    focus.rect = rect;
    focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    // The dots are the inverse of black, white, and exclusive-or turns white into inversion.
    focus.backgroundColor = Qt::black;
    painter->save();
    painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    dottedFocusStyle()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    painter->restore();
}

class ItemDelegate : public QStyledItemDelegate
{
public:
    explicit ItemDelegate(OwnerDrawComboBox *combo) : QStyledItemDelegate(combo), m_combo(combo) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        m_combo->paintItem(painter, index.row(), option.rect, option.state);
        if (option.state & QStyle::State_HasFocus) {
            drawFocusFrame(painter, option.rect, option, option.widget);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_combo->itemHeight()};
    }

private:
    OwnerDrawComboBox *m_combo;
};

} // namespace

OwnerDrawComboBox::OwnerDrawComboBox(QWidget *parent) : QComboBox(parent)
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(ComboBoxAccessible::Factory);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    if (dottedFocusStyle() == nullptr)
        throw std::runtime_error("OwnerDrawComboBox needs Qt's Windows style for its focus frame");
    // Qt sends activated() only for the user's picks: list clicks, arrow keys and the wheel.
    connect(this, &QComboBox::activated, this, &OwnerDrawComboBox::change);
}

void OwnerDrawComboBox::setItemHeight(int height)
{
    if (height < 1) {
        throw std::invalid_argument("OwnerDrawComboBox item height must be positive, not " +
                                    std::to_string(height));
    }
    m_itemHeight = height;
    if (m_dropDownBuilt) {
        view()->doItemsLayout();
    }
    updateGeometry();
    update();
}

void OwnerDrawComboBox::paintItem(QPainter *painter, int index, const QRect &rect,
                                  QStyle::State state)
{
    // Restores the painter and forgets it even if a handler throws.
    struct CanvasScope
    {
        OwnerDrawComboBox *box;
        QPainter *painter;
        CanvasScope(OwnerDrawComboBox *b, QPainter *p, const QRect &clip) : box(b), painter(p)
        {
            painter->save();
            painter->setClipRect(clip, Qt::IntersectClip);
            box->m_canvas = painter;
        }
        ~CanvasScope()
        {
            box->m_canvas = nullptr;
            painter->restore();
        }
        CanvasScope(const CanvasScope &) = delete;
        CanvasScope &operator=(const CanvasScope &) = delete;
    };
    const CanvasScope scope(this, painter, rect);
    emit drawItem(this, index, rect, state);
}

QAbstractItemView *OwnerDrawComboBox::dropDownView()
{
    // Setting the style builds the view, so the style waits for it too; the closed box draws the
    // same with either.
    if (!m_dropDownBuilt) {
        m_dropDownBuilt = true;
        setStyle(dropDownListStyle());
        setItemDelegate(new ItemDelegate(this));
    }
    return view();
}

void OwnerDrawComboBox::showPopup()
{
    dropDownView();
    QComboBox::showPopup();
    // The platform may close the list without hidePopup() (another window activated, a click
    // into a different application), so its hiding is watched as well.
    QWidget *popup = QApplication::activePopupWidget();
    if (popup == nullptr || popup->parentWidget() != this)
        return;
    popup->removeEventFilter(this);
    popup->installEventFilter(this);
    setDroppedDown(true);
}

void OwnerDrawComboBox::hidePopup()
{
    QComboBox::hidePopup();
    setDroppedDown(false);
}

bool OwnerDrawComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched->parent() == this)
        setDroppedDown(false);
    return QComboBox::eventFilter(watched, event);
}

void OwnerDrawComboBox::setDroppedDown(bool droppedDown)
{
    if (droppedDown == m_droppedDown)
        return;
    m_droppedDown = droppedDown;
    // Screen readers say "expanded" or "collapsed" on this event.
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent stateChange(this, changed);
    QAccessible::updateAccessibility(&stateChange);
    emit droppedDownChanged(droppedDown);
}

QSize OwnerDrawComboBox::sizeHint() const
{
    QSize hint = QComboBox::sizeHint();
    hint.setHeight(std::max(22, m_itemHeight + 6));
    return hint;
}

QSize OwnerDrawComboBox::minimumSizeHint() const
{
    QSize hint = QComboBox::minimumSizeHint();
    hint.setHeight(std::max(22, m_itemHeight + 6));
    return hint;
}

void OwnerDrawComboBox::paintEvent(QPaintEvent * /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The frame and arrow come from the style; the item is the owner's alone, and the focus shows
    // only as the dotted frame over it.
    option.state &= ~QStyle::State_HasFocus;
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);

    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    QStyle::State state = isEnabled() ? QStyle::State_Enabled : QStyle::State_None;
    if (hasFocus()) {
        state |= QStyle::State_Selected | QStyle::State_HasFocus;
    }
    if (currentIndex() >= 0) {
        paintItem(&painter, currentIndex(), field, state);
    }
    if (hasFocus()) {
        drawFocusFrame(&painter, field, option, this);
    }
}
