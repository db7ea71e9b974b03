// Tests of the window without a mouse and through a screen reader's eyes, in both languages.
#include "Main.h"

#include "AutoSizeLabel.h"
#include "OwnerDrawComboBox.h"
#include "RadioGroup.h"
#include "TestSupport.h"

#include <QAccessible>
#include <QClipboard>
#include <QRadioButton>
#include <QTest>

class MainAccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::setActive(true); }
    void bandListsAreNamedByTheirCaptions_data();
    void bandListsAreNamedByTheirCaptions();
    void resultAndItemsAreExposed();
    void keyboardAloneReachesEveryFunction();
    void resultCanBeSelectedAndCopiedWithoutBeingATabStop();

private:
    static QString accessibleText(QObject *object, QAccessible::Text kind)
    {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
        return face ? face->text(kind) : QStringLiteral("<no interface>");
    }
};

void MainAccessibilityTest::bandListsAreNamedByTheirCaptions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("bandCountGroup");
    QTest::addColumn<QString>("languageGroup");

    QTest::newRow("English") << 0
                             << QStringList{"First Band", "Second Band", "Third Band",
                                            "Multiplier", "Tolerance",   "Temperature Coefficient"}
                             << " Number of Bands "
                             << " Language ";
    QTest::newRow("Danish") << 1
                            << QStringList{"Første ring",   "Anden ring", "Tredie ring",
                                           "Multiplikator", "Tolerance",  "Temperaturkoefficient"}
                            << " Antal ringe "
                            << " Sprog ";
}

void MainAccessibilityTest::bandListsAreNamedByTheirCaptions()
{
    QFETCH(int, language);
    QFETCH(QStringList, names);
    QFETCH(QString, bandCountGroup);
    QFETCH(QString, languageGroup);
    ProgramFolder folder;
    TForm1 form(folder.executable());
    form.LanguageGrp->setItemIndex(language);
    form.NumberBands->setItemIndex(3);

    const QList<OwnerDrawComboBox *> bands = {form.Band1, form.Band2, form.Band3,
                                              form.Band4, form.Band5, form.Band6};
    for (int i = 0; i < bands.size(); ++i)
        QCOMPARE(accessibleText(bands[i], QAccessible::Name), names[i]);
    QCOMPARE(accessibleText(form.NumberBands, QAccessible::Name), bandCountGroup);
    QCOMPARE(accessibleText(form.LanguageGrp, QAccessible::Name), languageGroup);
    QCOMPARE(accessibleText(form.LanguageGrp->button(language), QAccessible::Name),
             form.LanguageGrp->itemText(language));
}

void MainAccessibilityTest::resultAndItemsAreExposed()
{
    ProgramFolder folder;
    TForm1 form(folder.executable());
    form.Band1->setCurrentIndex(4);
    form.Band2->setCurrentIndex(7);
    form.Band4->setCurrentIndex(2);
    form.RefreshResult();
    QCOMPARE(accessibleText(form.ResultLabel, QAccessible::Name), QStringLiteral("47 Kilo Ohm"));
    QCOMPARE(accessibleText(form.Band1, QAccessible::Value), QStringLiteral("Yellow"));
    QAccessibleTextInterface *selected =
        QAccessible::queryAccessibleInterface(form.Band2)->textInterface();
    QVERIFY(selected);
    QCOMPARE(selected->text(0, selected->characterCount()), QStringLiteral("Violet"));

    // The open list's rows read as the colour names.
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(form.Band4);
    QStringList rows;
    for (int i = 0; i < list->childCount(); ++i)
        if (QAccessibleInterface *child = list->child(i); child && child->childCount() > 0)
            for (int row = 0; row < child->childCount(); ++row)
                rows << child->child(row)->text(QAccessible::Name);
    QVERIFY2(rows.contains("Gold") && rows.contains("Silver"), qPrintable(rows.join(',')));
}

void MainAccessibilityTest::keyboardAloneReachesEveryFunction()
{
    ProgramFolder folder;
    TForm1 form(folder.executable());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    form.NumberBands->button(1)->setFocus();

    // Right arrow in the band-count group: five bands, the tolerance list appears.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(form.NumberBands->itemIndex(), 2);
    QVERIFY(!form.Band5->isHidden());

    // Tab to the first digit and step it: the result follows at once.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.Band1);
    QTest::keyClick(form.Band1, Qt::Key_Down);
    QCOMPARE(form.ResultLabel->text(), QStringLiteral("100 Ohm\tTolerance +- 1%"));

    // On to the tolerance list, then to the language group, and pick Danish with an arrow.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.Band5);
    QTest::keyClick(form.Band5, Qt::Key_End);
    QCOMPARE(form.ResultLabel->text(), QStringLiteral("100 Ohm\tTolerance +- 10%"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.LanguageGrp->button(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(form.LanguageGrp->itemIndex(), 1);
    QCOMPARE(form.Label1->text(), QStringLiteral("Første ring"));
    QCOMPARE(folder.readIni(), NewIniText("[Language]\nUsed=2\n"));

    // Shift+Tab walks back, skipping the hidden coefficient list.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), form.Band5);
}

void MainAccessibilityTest::resultCanBeSelectedAndCopiedWithoutBeingATabStop()
{
    ProgramFolder folder;
    TForm1 form(folder.executable());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Band1->setCurrentIndex(1);
    form.RefreshResult();
    QCOMPARE(form.ResultLabel->focusPolicy() & Qt::TabFocus, 0);

    const int y = form.ResultLabel->height() / 2;
    QTest::mousePress(form.ResultLabel, Qt::LeftButton, {}, QPoint(1, y));
    // Selecting is set up on the first press and leaves the line out of the focus chain.
    QVERIFY(form.ResultLabel->textInteractionFlags() & Qt::TextSelectableByMouse);
    QCOMPARE(form.ResultLabel->focusPolicy() & Qt::TabFocus, 0);
    QTest::mouseMove(form.ResultLabel, QPoint(form.ResultLabel->width() - 1, y));
    QTest::mouseRelease(form.ResultLabel, Qt::LeftButton, {},
                        QPoint(form.ResultLabel->width() - 1, y));
    QCOMPARE(form.ResultLabel->selectedText(), QStringLiteral("100 Ohm"));
    QTest::keyClick(&form, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("100 Ohm"));
}

QTEST_MAIN(MainAccessibilityTest)
#include "MainAccessibilityTest.moc"
