// Checks that AutoSizeLabel sizes itself to its text and puts TAB stops where it measures them.
#include "AutoSizeLabel.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cmath>

namespace {

bool columnHasInk(const QImage &image, int x)
{
    for (int y = 0; y < image.height(); ++y) {
        if (qGray(image.pixel(x, y)) < 128) {
            return true;
        }
    }
    return false;
}

// The first column of the rightmost run of inked columns: where the last glyph starts.
int lastGlyphStart(const QImage &image)
{
    int x = image.width() - 1;
    while (x >= 0 && !columnHasInk(image, x)) {
        --x;
    }
    while (x > 0 && columnHasInk(image, x - 1)) {
        --x;
    }
    return x;
}

} // namespace

class AutoSizeLabelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sizeFollowsText_data();
    void sizeFollowsText();
    void tabStopsAtEightAverageWidths_data();
    void tabStopsAtEightAverageWidths();
    void tabNeverLetsPiecesTouch_data();
    void tabNeverLetsPiecesTouch();
    void selectableIsNeverFocused();
    void selectedTextCopies();
};

void AutoSizeLabelTest::initTestCase()
{
    QApplication::setStyle("Fusion");
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
}

void AutoSizeLabelTest::sizeFollowsText_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("grows") << "Ohm"
                           << "4,7 Kilo Ohm";
    QTest::newRow("shrinks") << "Temperature Coefficient 50 ppm/K"
                             << "5%";
    QTest::newRow("from empty") << ""
                                << "Kilo";
    QTest::newRow("to empty") << "Kilo"
                              << "";
}

void AutoSizeLabelTest::sizeFollowsText()
{
    QFETCH(QString, first);
    QFETCH(QString, second);

    QWidget window;
    auto *label = new AutoSizeLabel(&window);
    label->move(12, 34);
    label->setCaption(first);
    label->setCaption(second);

    const QFontMetricsF metrics(label->font());
    QCOMPARE(label->pos(), QPoint(12, 34));
    QCOMPARE(label->caption(), second);
    QVERIFY(std::abs(label->width() - metrics.horizontalAdvance(second)) <= 1);
    QVERIFY(std::abs(label->height() - metrics.height()) <= 1);
    QCOMPARE(label->sizeHint(), label->size());
}

void AutoSizeLabelTest::tabStopsAtEightAverageWidths_data()
{
    QTest::addColumn<bool>("selectable");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pointSize");

    QTest::newRow("plain, first stop") << false << "a\tb" << 9;
    QTest::newRow("selectable, first stop") << true << "a\tb" << 9;
    QTest::newRow("plain, two tabs") << false << "a\tb\tc" << 9;
    QTest::newRow("selectable, two tabs") << true << "a\tb\tc" << 9;
    QTest::newRow("plain, text past a stop") << false << "WWWWWWWWWW\tb" << 9;
    QTest::newRow("selectable, text past a stop") << true << "WWWWWWWWWW\tb" << 9;
    QTest::newRow("plain, larger font") << false << "a\tb" << 14;
    QTest::newRow("selectable, larger font") << true << "a\tb" << 14;
    // "^" stands for as many narrow letters as end the text less than a space before a stop.
    QTest::newRow("plain, text just short of a stop") << false << "^\tb" << 9;
    QTest::newRow("selectable, text just short of a stop") << true << "^\tb" << 9;
}

void AutoSizeLabelTest::tabStopsAtEightAverageWidths()
{
    QFETCH(bool, selectable);
    QFETCH(QString, text);
    QFETCH(int, pointSize);

    QWidget window;
    auto *label = new AutoSizeLabel(&window);
    QFont font = label->font();
    font.setPointSize(pointSize);
    const QFontMetricsF metrics(font);
    const qreal tab = metrics.averageCharWidth() * 8;
    const qreal space = metrics.horizontalAdvance(' ');
    if (text.startsWith('^')) {
        QString narrow;
        while (metrics.horizontalAdvance(narrow + 'l') < tab)
            narrow += 'l';
        QVERIFY(tab - metrics.horizontalAdvance(narrow) < space);
        text.replace('^', narrow);
    }
    label->setSelectable(selectable);
    label->setCaption(text);
    // The font changes after the text so the stops must follow a font change on their own.
    label->setFont(font);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(label->tabStopDistance(), tab);
    // Each TAB moves to the first stop strictly right of the text before it, or to the one after
    // where that is less than a space away.
    const QStringList segments = text.split('\t');
    qreal stop = 0;
    for (qsizetype i = 0; i + 1 < segments.size(); ++i) {
        const qreal end = stop + metrics.horizontalAdvance(segments.at(i));
        stop = (std::floor(end / tab) + 1) * tab;
        if (stop - end < space)
            stop += tab;
    }
    const QChar last = text.back();
    QVERIFY2(std::abs(label->width() - (stop + metrics.horizontalAdvance(last))) <= 1.5,
             qPrintable(QString("width %1, tab %2").arg(label->width()).arg(tab)));

    if (selectable) {
        // A press builds the selection machinery, which then paints the text.
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(1, label->height() / 2));
        QVERIFY(label->findChild<QTextDocument *>());
    }
    const int glyph = lastGlyphStart(label->grab().toImage());
    const qreal bearing = metrics.leftBearing(last);
    QVERIFY2(std::abs(glyph - (stop + bearing)) <= 1.5,
             qPrintable(QString("glyph at %1, tab %2").arg(glyph).arg(tab)));
}

void AutoSizeLabelTest::tabNeverLetsPiecesTouch_data()
{
    QTest::addColumn<QList<qreal>>("pieces");
    QTest::addColumn<QList<qreal>>("stops");

    QTest::newRow("empty piece: the first stop") << QList<qreal>{0} << QList<qreal>{50};
    QTest::newRow("wide gap: the next stop") << QList<qreal>{20, 10} << QList<qreal>{50, 100};
    QTest::newRow("gap of exactly the minimum: kept") << QList<qreal>{46} << QList<qreal>{50};
    QTest::newRow("gap under the minimum: the stop after")
        << QList<qreal>{47, 49} << QList<qreal>{100, 200};
    QTest::newRow("text on a stop: the one after") << QList<qreal>{50} << QList<qreal>{100};
    QTest::newRow("text over several stops") << QList<qreal>{130} << QList<qreal>{150};
}

void AutoSizeLabelTest::tabNeverLetsPiecesTouch()
{
    QFETCH(QList<qreal>, pieces);
    QFETCH(QList<qreal>, stops);
    QCOMPARE(AutoSizeLabel::TabPositions(pieces, 50, 4), stops);
}

void AutoSizeLabelTest::selectableIsNeverFocused()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *before = new QPushButton("Before", &window);
    auto *label = new AutoSizeLabel(&window);
    auto *after = new QPushButton("After", &window);
    layout->addWidget(before);
    layout->addWidget(label);
    layout->addWidget(after);
    label->setSelectable(true);
    label->setCaption("4,7 Kilo Ohm\tTolerance +- 5%");
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    before->setFocus(Qt::TabFocusReason);

    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, label->height() / 2));
    QCOMPARE(QApplication::focusWidget(), before);
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), after);
}

void AutoSizeLabelTest::selectedTextCopies()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *button = new QPushButton("Focus", &window);
    auto *label = new AutoSizeLabel(&window);
    layout->addWidget(button);
    layout->addWidget(label);
    label->setSelectable(true);
    label->setCaption("4,7 Kilo Ohm");
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    QApplication::clipboard()->clear();

    // Nothing for selecting is built before the user presses on the text.
    QCOMPARE(label->findChild<QTextDocument *>(), nullptr);
    const int middle = label->height() / 2;
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(1, middle));
    QTest::mouseMove(label, QPoint(label->width() - 1, middle));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() - 1, middle));
    QCOMPARE(label->selectedText(), QString("4,7 Kilo Ohm"));

    QTest::keyClick(button, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("4,7 Kilo Ohm"));
}

QTEST_MAIN(AutoSizeLabelTest)
#include "AutoSizeLabelTest.moc"
