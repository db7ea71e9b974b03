// Checks RadioGroup's selection signal, keyboard behaviour, caption changes and fit in the window.
#include "RadioGroup.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

enum class Action { ClickItem, PressKey, SetIndex };

const QStringList Bands{"3 ", "4 ", "5 ", "6 "};

// A shown, active window holding a group of the four band counts in one row.
struct Window
{
    QWidget widget;
    QLineEdit *before = new QLineEdit(&widget);
    RadioGroup *group = new RadioGroup(&widget);
    QLineEdit *after = new QLineEdit(&widget);

    Window()
    {
        auto *layout = new QVBoxLayout(&widget);
        layout->addWidget(before);
        layout->addWidget(group);
        layout->addWidget(after);
        group->setTitle(" Number of Bands ");
        group->setColumns(4);
        group->setItems(Bands);
        widget.show();
    }
};

} // namespace

class RadioGroupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void selectionChange_data();
    void selectionChange();
    void tabReachesOnlyTheSelection_data();
    void tabReachesOnlyTheSelection();
    void textsReplaceableKeepingSelection();
    void newItemsStartUnselected();
    void itemsFillRowByRow_data();
    void itemsFillRowByRow();
    void buttonsFitTheWindowsGeometry_data();
    void buttonsFitTheWindowsGeometry();
};

void RadioGroupTest::initTestCase()
{
    QApplication::setStyle("Fusion");
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
}

void RadioGroupTest::selectionChange_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<Action>("action");
    QTest::addColumn<int>("argument");
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<int>("expectedSignals");

    QTest::newRow("click on another item") << 1 << Action::ClickItem << 3 << 3 << 1;
    QTest::newRow("click on the selected item") << 1 << Action::ClickItem << 1 << 1 << 0;
    QTest::newRow("click when none selected") << -1 << Action::ClickItem << 0 << 0 << 1;
    QTest::newRow("right moves to next") << 1 << Action::PressKey << int(Qt::Key_Right) << 2 << 1;
    QTest::newRow("down moves to next") << 1 << Action::PressKey << int(Qt::Key_Down) << 2 << 1;
    QTest::newRow("left moves to previous") << 2 << Action::PressKey << int(Qt::Key_Left) << 1 << 1;
    QTest::newRow("up moves to previous") << 2 << Action::PressKey << int(Qt::Key_Up) << 1 << 1;
    QTest::newRow("left stops at first") << 0 << Action::PressKey << int(Qt::Key_Left) << 0 << 0;
    QTest::newRow("down stops at last") << 3 << Action::PressKey << int(Qt::Key_Down) << 3 << 0;
    QTest::newRow("code selects another") << 0 << Action::SetIndex << 2 << 2 << 1;
    QTest::newRow("code selects the same") << 2 << Action::SetIndex << 2 << 2 << 0;
    QTest::newRow("code clears the selection") << 2 << Action::SetIndex << -1 << -1 << 1;
}

void RadioGroupTest::selectionChange()
{
    QFETCH(int, start);
    QFETCH(Action, action);
    QFETCH(int, argument);
    QFETCH(int, expectedIndex);
    QFETCH(int, expectedSignals);

    Window window;
    QVERIFY(QTest::qWaitForWindowActive(&window.widget));
    RadioGroup &group = *window.group;
    group.setItemIndex(start);
    QSignalSpy clicked(&group, &RadioGroup::clicked);

    switch (action) {
    case Action::ClickItem:
        QTest::mouseClick(group.button(argument), Qt::LeftButton);
        break;
    case Action::PressKey:
        group.button(start)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(group.button(start), Qt::Key(argument));
        QCOMPARE(QApplication::focusWidget(), group.button(expectedIndex));
        break;
    case Action::SetIndex:
        group.setItemIndex(argument);
        break;
    }

    QCOMPARE(group.itemIndex(), expectedIndex);
    QCOMPARE(clicked.count(), expectedSignals);
    for (int i = 0; i < group.count(); ++i) {
        QCOMPARE(group.button(i)->isChecked(), i == expectedIndex);
    }
}

void RadioGroupTest::tabReachesOnlyTheSelection_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("tabStop");

    QTest::newRow("none selected enters at first") << -1 << 0;
    QTest::newRow("first selected") << 0 << 0;
    QTest::newRow("inner item selected") << 2 << 2;
    QTest::newRow("last selected") << 3 << 3;
}

void RadioGroupTest::tabReachesOnlyTheSelection()
{
    QFETCH(int, selected);
    QFETCH(int, tabStop);

    Window window;
    QVERIFY(QTest::qWaitForWindowActive(&window.widget));
    // Selecting another item first proves the tab stop follows the selection.
    window.group->setItemIndex(selected == 0 ? 1 : 0);
    window.group->setItemIndex(selected);
    window.before->setFocus(Qt::TabFocusReason);

    QTest::keyClick(window.before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.group->button(tabStop));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.after);
    QTest::keyClick(window.after, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), window.group->button(tabStop));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), window.before);
}

void RadioGroupTest::textsReplaceableKeepingSelection()
{
    RadioGroup group;
    group.setItems({"English", "Danish"});
    group.setItemIndex(1);
    QSignalSpy clicked(&group, &RadioGroup::clicked);

    group.setTitle(" Sprog ");
    group.setItemText(0, "Engelsk");
    group.setItemText(1, "Dansk");

    QCOMPARE(group.title(), QString(" Sprog "));
    QCOMPARE(group.itemText(0), QString("Engelsk"));
    QCOMPARE(group.button(1)->text(), QString("Dansk"));
    QCOMPARE(group.itemIndex(), 1);
    QVERIFY(group.button(1)->isChecked());
    QCOMPARE(clicked.count(), 0);
}

void RadioGroupTest::newItemsStartUnselected()
{
    RadioGroup group;
    group.setItems(Bands);
    group.setItemIndex(2);
    QSignalSpy clicked(&group, &RadioGroup::clicked);

    group.setItems({"English", "Danish"});

    QCOMPARE(group.count(), 2);
    QCOMPARE(group.itemIndex(), -1);
    QCOMPARE(clicked.count(), 0);
    group.setItemIndex(1);
    QCOMPARE(group.itemIndex(), 1);
    QCOMPARE(clicked.count(), 1);
}

void RadioGroupTest::itemsFillRowByRow_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("columns");

    QTest::newRow("four in four columns") << 4 << 4;
    QTest::newRow("five in two columns") << 5 << 2;
    QTest::newRow("three in one column") << 3 << 1;
}

void RadioGroupTest::itemsFillRowByRow()
{
    QFETCH(int, items);
    QFETCH(int, columns);

    RadioGroup group;
    QStringList texts;
    for (int i = 0; i < items; ++i) {
        texts << QString::number(i);
    }
    // Columns set after the items must rearrange the existing buttons.
    group.setItems(texts);
    group.setColumns(columns);
    group.resize(400, 40 + 25 * items);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));

    for (int i = 0; i < items; ++i) {
        const QRect first = group.button(0)->geometry();
        const QRect cell = group.button(i)->geometry();
        const int row = i / columns;
        const int column = i % columns;
        QCOMPARE(cell.top() == first.top(), row == 0);
        QCOMPARE(cell.left() == first.left(), column == 0);
        if (column > 0) {
            QVERIFY(cell.left() > group.button(i - 1)->geometry().right());
            QCOMPARE(cell.top(), group.button(i - 1)->geometry().top());
        }
    }
}

void RadioGroupTest::buttonsFitTheWindowsGeometry_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QSize>("size");

    QTest::newRow("band count") << " Number of Bands " << Bands << QSize(217, 52);
    QTest::newRow("language") << " Language " << QStringList{"English", "Danish"} << QSize(161, 52);
}

void RadioGroupTest::buttonsFitTheWindowsGeometry()
{
    QFETCH(QString, caption);
    QFETCH(QStringList, items);
    QFETCH(QSize, size);

    QWidget window;
    auto *group = new RadioGroup(&window);
    group->setTitle(caption);
    group->setColumns(static_cast<int>(items.size()));
    group->setItems(items);
    group->setGeometry(QRect(QPoint(8, 8), size));
    window.resize(400, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(group->size(), size);
    const QRect inside = group->contentsRect();
    for (int i = 0; i < group->count(); ++i) {
        const QRadioButton *radio = group->button(i);
        QVERIFY2(inside.contains(radio->geometry()), qPrintable(radio->text()));
        QVERIFY2(radio->width() >= radio->sizeHint().width(), qPrintable(radio->text()));
        QVERIFY2(radio->height() >= radio->sizeHint().height(), qPrintable(radio->text()));
    }
}

QTEST_MAIN(RadioGroupTest)
#include "RadioGroupTest.moc"
