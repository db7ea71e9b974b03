// Checks that OwnerDrawComboBox hands every item to its owner and tells user picks from code.
#include "OwnerDrawComboBox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QWheelEvent>

namespace {

const QColor Paint(255, 0, 255);

struct DrawRequest
{
    int index;
    QRect rect;
    QStyle::State state;
    bool hadCanvas;
};

// A shown box of 145 x 22 with numbered items whose owner fills every item with one colour.
// The window's first focus goes to a line edit, so the box is drawn without focus unless given it.
struct Owner
{
    QWidget window;
    QLineEdit *firstFocus = new QLineEdit(&window);
    OwnerDrawComboBox *box = new OwnerDrawComboBox(&window);
    QList<DrawRequest> requests;

    explicit Owner(int items = 3)
    {
        for (int i = 0; i < items; ++i) {
            box->addItem(QString("Item %1").arg(i));
        }
        firstFocus->setGeometry(10, 100, 100, 22);
        box->setGeometry(10, 10, 145, 22);
        QObject::connect(
            box, &OwnerDrawComboBox::drawItem, box,
            [this](OwnerDrawComboBox *control, int index, const QRect &rect, QStyle::State state) {
                requests.append({index, rect, state, control->canvas() != nullptr});
                control->canvas()->fillRect(rect, Paint);
            });
        window.resize(300, 300);
        window.show();
    }

    QRect editField() const
    {
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = false;
        option.frame = box->hasFrame();
        return box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                            QStyle::SC_ComboBoxEditField, box);
    }
};

int countPainted(const QImage &image, const QRect &area)
{
    int painted = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            painted += image.pixelColor(x, y) == Paint ? 1 : 0;
        }
    }
    return painted;
}

enum class Action { KeyPress, Wheel, PickInList, SetCurrentIndex, SetItemText };

// Ways a drop-down list opens and closes.
enum class Way { AltDown, F4, Escape, Return, AccessibleAction, PlatformClose };
enum class Opening { Key, ScreenReader };

} // namespace

class OwnerDrawComboBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void closedBoxAsksOwnerForCurrentItem();
    void ownerPaintFillsEditField();
    void focusFrameDrawnOverItem();
    void nothingDrawnWithoutCurrentItem();
    void changeOnlyForUserPicks_data();
    void changeOnlyForUserPicks();
    void listRowsHaveItemHeight_data();
    void listRowsHaveItemHeight();
    void listShowsDropDownCountRows_data();
    void listShowsDropDownCountRows();
    void openStateFollowsEveryOpeningAndClosing_data();
    void openStateFollowsEveryOpeningAndClosing();
    void listBuiltOnFirstOpening_data();
    void listBuiltOnFirstOpening();
};

void OwnerDrawComboBoxTest::initTestCase()
{
    QApplication::setStyle("Fusion");
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
}

void OwnerDrawComboBoxTest::closedBoxAsksOwnerForCurrentItem()
{
    Owner owner;
    owner.box->setCurrentIndex(1);
    QVERIFY(QTest::qWaitForWindowActive(&owner.window));
    owner.requests.clear();

    owner.box->grab();

    QCOMPARE(owner.requests.size(), 1);
    const DrawRequest &request = owner.requests.first();
    QCOMPARE(request.index, 1);
    QCOMPARE(request.rect, owner.editField());
    QVERIFY(request.state & QStyle::State_Enabled);
    QVERIFY(!(request.state & QStyle::State_HasFocus));
    QVERIFY(request.hadCanvas);
    QCOMPARE(owner.box->canvas(), nullptr);
}

void OwnerDrawComboBoxTest::ownerPaintFillsEditField()
{
    Owner owner;
    owner.box->setCurrentIndex(0);
    QVERIFY(QTest::qWaitForWindowActive(&owner.window));
    QVERIFY(!owner.box->hasFocus());

    const QImage image = owner.box->grab().toImage();
    const QRect field = owner.editField();

    QCOMPARE(countPainted(image, field), field.width() * field.height());
    // The owner's canvas is clipped to the item, so the frame and arrow stay the style's.
    QCOMPARE(countPainted(image, owner.box->rect()), field.width() * field.height());
}

void OwnerDrawComboBoxTest::focusFrameDrawnOverItem()
{
    Owner owner;
    owner.box->setCurrentIndex(0);
    QVERIFY(QTest::qWaitForWindowActive(&owner.window));
    owner.box->setFocus(Qt::TabFocusReason);
    QVERIFY(owner.box->hasFocus());
    owner.requests.clear();

    const QImage image = owner.box->grab().toImage();
    const QRect field = owner.editField();

    QVERIFY(!owner.requests.isEmpty());
    QVERIFY(owner.requests.last().state & QStyle::State_HasFocus);
    QVERIFY(owner.requests.last().state & QStyle::State_Selected);
    QVERIFY(countPainted(image, field) < field.width() * field.height());
}

void OwnerDrawComboBoxTest::nothingDrawnWithoutCurrentItem()
{
    Owner owner(0);
    QVERIFY(QTest::qWaitForWindowExposed(&owner.window));
    owner.requests.clear();

    const QImage image = owner.box->grab().toImage();

    QVERIFY(owner.requests.isEmpty());
    QCOMPARE(countPainted(image, owner.box->rect()), 0);
}

void OwnerDrawComboBoxTest::changeOnlyForUserPicks_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<Action>("action");
    QTest::addColumn<int>("argument");
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<int>("expectedChanges");

    QTest::newRow("down key on closed box") << 1 << Action::KeyPress << int(Qt::Key_Down) << 2 << 1;
    QTest::newRow("up key on closed box") << 1 << Action::KeyPress << int(Qt::Key_Up) << 0 << 1;
    QTest::newRow("end key on closed box") << 1 << Action::KeyPress << int(Qt::Key_End) << 4 << 1;
    QTest::newRow("down key on last item") << 4 << Action::KeyPress << int(Qt::Key_Down) << 4 << 0;
    QTest::newRow("wheel down") << 1 << Action::Wheel << -120 << 2 << 1;
    QTest::newRow("mouse pick in list") << 1 << Action::PickInList << 3 << 3 << 1;
    QTest::newRow("current index from code") << 1 << Action::SetCurrentIndex << 3 << 3 << 0;
    QTest::newRow("item text from code") << 1 << Action::SetItemText << 1 << 1 << 0;
}

void OwnerDrawComboBoxTest::changeOnlyForUserPicks()
{
    QFETCH(int, start);
    QFETCH(Action, action);
    QFETCH(int, argument);
    QFETCH(int, expectedIndex);
    QFETCH(int, expectedChanges);

    Owner owner(5);
    owner.box->setCurrentIndex(start);
    QVERIFY(QTest::qWaitForWindowActive(&owner.window));
    owner.box->setFocus(Qt::TabFocusReason);
    QSignalSpy change(owner.box, &OwnerDrawComboBox::change);

    switch (action) {
    case Action::KeyPress:
        QTest::keyClick(owner.box, Qt::Key(argument));
        break;
    case Action::Wheel: {
        const QPointF centre = QRectF(owner.box->rect()).center();
        QWheelEvent wheel(centre, owner.box->mapToGlobal(centre), QPoint(), QPoint(0, argument),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(owner.box, &wheel);
        break;
    }
    case Action::PickInList: {
        owner.box->showPopup();
        QAbstractItemView *list = owner.box->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        const QPoint row = list->visualRect(list->model()->index(argument, 0)).center();
        // The list ignores a release that closely follows its opening, as if from the opening
        // click.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
        break;
    }
    case Action::SetCurrentIndex:
        owner.box->setCurrentIndex(argument);
        break;
    case Action::SetItemText:
        owner.box->setItemText(argument, "Renamed");
        break;
    }

    QCOMPARE(owner.box->currentIndex(), expectedIndex);
    QCOMPARE(change.count(), expectedChanges);
}

void OwnerDrawComboBoxTest::listRowsHaveItemHeight_data()
{
    QTest::addColumn<int>("itemHeight");

    QTest::newRow("default height") << int(OwnerDrawComboBox::DefaultItemHeight);
    QTest::newRow("taller rows") << 24;
}

void OwnerDrawComboBoxTest::listRowsHaveItemHeight()
{
    QFETCH(int, itemHeight);

    Owner owner(6);
    owner.box->setItemHeight(itemHeight);
    QVERIFY(QTest::qWaitForWindowExposed(&owner.window));
    owner.box->showPopup();
    QAbstractItemView *list = owner.box->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    owner.requests.clear();

    list->viewport()->grab();

    QCOMPARE(owner.requests.size(), 6);
    for (const DrawRequest &request : std::as_const(owner.requests)) {
        QCOMPARE(request.rect.height(), itemHeight);
        QCOMPARE(request.rect, list->visualRect(list->model()->index(request.index, 0)));
    }
    owner.box->hidePopup();
}

void OwnerDrawComboBoxTest::listShowsDropDownCountRows_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("dropDownCount");
    QTest::addColumn<int>("rowsShown");
    QTest::addColumn<bool>("scrolls");

    QTest::newRow("all twelve fit") << 12 << 12 << 12 << false;
    QTest::newRow("ten of twelve") << 12 << 10 << 10 << true;
    QTest::newRow("fewer items than rows") << 5 << 12 << 5 << false;
}

void OwnerDrawComboBoxTest::listShowsDropDownCountRows()
{
    QFETCH(int, items);
    QFETCH(int, dropDownCount);
    QFETCH(int, rowsShown);
    QFETCH(bool, scrolls);

    Owner owner(items);
    owner.box->setDropDownCount(dropDownCount);
    QVERIFY(QTest::qWaitForWindowExposed(&owner.window));
    owner.box->showPopup();
    QAbstractItemView *list = owner.box->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));

    QCOMPARE(list->viewport()->height() / owner.box->itemHeight(), rowsShown);
    QCOMPARE(list->verticalScrollBar()->maximum() > 0, scrolls);
    owner.box->hidePopup();
}

void OwnerDrawComboBoxTest::openStateFollowsEveryOpeningAndClosing_data()
{
    QTest::addColumn<Way>("opening");
    QTest::addColumn<Way>("closing");
    QTest::addColumn<int>("expectedIndex");

    QTest::newRow("Alt+Down, Escape") << Way::AltDown << Way::Escape << 1;
    QTest::newRow("F4, pick the next item with Return") << Way::F4 << Way::Return << 2;
    QTest::newRow("screen reader's action opens and closes")
        << Way::AccessibleAction << Way::AccessibleAction << 1;
    QTest::newRow("closed by the platform, not by the box")
        << Way::AltDown << Way::PlatformClose << 1;
}

void OwnerDrawComboBoxTest::openStateFollowsEveryOpeningAndClosing()
{
    QFETCH(Way, opening);
    QFETCH(Way, closing);
    QFETCH(int, expectedIndex);

    Owner owner(5);
    owner.box->setCurrentIndex(1);
    QVERIFY(QTest::qWaitForWindowActive(&owner.window));
    owner.box->setFocus(Qt::TabFocusReason);
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(owner.box);
    const auto stateIs = [face](bool expanded) {
        const QAccessible::State state = face->state();
        return state.expandable && state.expanded == expanded && state.collapsed != expanded;
    };
    QVERIFY(stateIs(false));
    QSignalSpy droppedDown(owner.box, &OwnerDrawComboBox::droppedDownChanged);
    const auto act = [&](Way way) {
        switch (way) {
        case Way::AltDown:
            QTest::keyClick(owner.box, Qt::Key_Down, Qt::AltModifier);
            break;
        case Way::F4:
            QTest::keyClick(owner.box, Qt::Key_F4);
            break;
        case Way::Escape:
            QTest::keyClick(owner.box->view(), Qt::Key_Escape);
            break;
        case Way::Return:
            QTest::keyClick(owner.box->view(), Qt::Key_Down);
            QTest::keyClick(owner.box->view(), Qt::Key_Return);
            break;
        case Way::AccessibleAction:
            face->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
            break;
        case Way::PlatformClose:
            QApplication::activePopupWidget()->close();
            break;
        }
    };

    act(opening);
    QVERIFY(owner.box->isDroppedDown());
    QVERIFY(stateIs(true));
    act(closing);
    QVERIFY(!owner.box->isDroppedDown());
    QVERIFY(stateIs(false));
    QCOMPARE(owner.box->currentIndex(), expectedIndex);
    QCOMPARE(droppedDown.count(), 2);
    QCOMPARE(droppedDown.at(0).at(0).toBool(), true);
    QCOMPARE(droppedDown.at(1).at(0).toBool(), false);
}

void OwnerDrawComboBoxTest::listBuiltOnFirstOpening_data()
{
    QTest::addColumn<Opening>("opening");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("Alt+Down") << Opening::Key << int(Qt::Key_Down) << int(Qt::AltModifier);
    QTest::newRow("F4") << Opening::Key << int(Qt::Key_F4) << int(Qt::NoModifier);
    QTest::newRow("Space") << Opening::Key << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("screen reader's show-menu action") << Opening::ScreenReader << 0 << 0;
}

void OwnerDrawComboBoxTest::listBuiltOnFirstOpening()
{
    QFETCH(Opening, opening);
    QFETCH(int, key);
    QFETCH(int, modifiers);

    QAccessible::setActive(true);
    Owner owner(12);
    owner.box->setDropDownCount(12);
    QVERIFY(QTest::qWaitForWindowActive(&owner.window));
    owner.box->setFocus(Qt::TabFocusReason);
    owner.box->grab();
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(owner.box);
    QCOMPARE(box->childCount(), 1);
    QCOMPARE(box->text(QAccessible::Value), QString("Item 0"));
    QVERIFY(owner.box->findChildren<QAbstractItemView *>().isEmpty());

    if (opening == Opening::Key) {
        QTest::keyClick(owner.box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    } else {
        box->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    }
    QAbstractItemView *list = owner.box->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    owner.requests.clear();
    list->viewport()->grab();

    QCOMPARE(list->viewport()->height() / owner.box->itemHeight(), 12);
    QCOMPARE(owner.requests.size(), 12);
    QAccessibleInterface *rows = box->child(0);
    QCOMPARE(rows->object(), list);
    QCOMPARE(box->indexOfChild(rows), 0);
    QCOMPARE(rows->childCount(), 12);
    QCOMPARE(rows->child(11)->text(QAccessible::Name), QString("Item 11"));
    owner.box->hidePopup();
}

QTEST_MAIN(OwnerDrawComboBoxTest)
#include "OwnerDrawComboBoxTest.moc"
