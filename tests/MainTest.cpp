// Tests of the main window: start state, band-count modes, user changes, painting, picture, focus.
#include "Main.h"

#include "AutoSizeLabel.h"
#include "Language.h"
#include "OwnerDrawComboBox.h"
#include "RadioGroup.h"
#include "TestSupport.h"
#include "Themes.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>

enum Colour { Black, Brown, Red, Orange, Yellow, Green, Blue, Violet, Grey, White, Gold, Silver };

class MainTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsInEnglishFourBandModeWithEmptyResult();
    void modes_data();
    void modes();
    void modeSwitchesKeepSelections();
    void keyboardChangeUpdatesResult();
    void mousePickUpdatesResult();
    void closedListPaintsItemColours_data();
    void closedListPaintsItemColours();
    void focusedListsKeepTheirColours_data();
    void focusedListsKeepTheirColours();
    void pictureDecodesAtNaturalSize();
    void doubleSizePicturesAreTheSameDrawing_data();
    void doubleSizePicturesAreTheSameDrawing();
    void tabVisitsShownControlsInOrder();
    void windowHasCaptionSizeAndCloseButtonOnly();
    void pasteSetsTheListsOrSaysWhy_data();
    void pasteSetsTheListsOrSaysWhy();

private:
    static OwnerDrawComboBox *band(TForm1 &form, int number);
    static void select(TForm1 &form, std::initializer_list<int> items);
    ProgramFolder m_folder;
};

// The program's own style and palette, so the window is drawn as its users see it.
void MainTest::initTestCase()
{
    Themes::SetApplicationTheme(*qApp, Themes::ApplicationTheme);
}

OwnerDrawComboBox *MainTest::band(TForm1 &form, int number)
{
    OwnerDrawComboBox *bands[] = {form.Band1, form.Band2, form.Band3,
                                  form.Band4, form.Band5, form.Band6};
    return bands[number - 1];
}

void MainTest::select(TForm1 &form, std::initializer_list<int> items)
{
    int number = 1;
    for (int item : items)
        band(form, number++)->setCurrentIndex(item);
    form.RefreshResult();
}

void MainTest::startsInEnglishFourBandModeWithEmptyResult()
{
    TForm1 form(m_folder.executable());
    QCOMPARE(form.Label1->text(), QStringLiteral("First Band"));
    QCOMPARE(form.Label2->text(), QStringLiteral("Second Band"));
    QCOMPARE(form.Label6->text(), QStringLiteral("Third Band"));
    QCOMPARE(form.Label3->text(), QStringLiteral("Multiplier"));
    QCOMPARE(form.Label4->text(), QStringLiteral("Tolerance"));
    QCOMPARE(form.Label5->text(), QStringLiteral("Temperature Coefficient"));
    QCOMPARE(form.NumberBands->itemIndex(), 1);
    QCOMPARE(form.LanguageGrp->itemIndex(), 0);
    QVERIFY(!form.Band3->isHidden());
    QVERIFY(form.Band5->isHidden());
    QVERIFY(form.Band6->isHidden());
    for (QLabel *label :
         {form.Label1, form.Label2, form.Label3, form.Label4, form.Label5, form.Label6})
        QVERIFY(!label->isHidden());
    for (OwnerDrawComboBox *band :
         {form.Band1, form.Band2, form.Band3, form.Band4, form.Band5, form.Band6})
        QCOMPARE(band->currentIndex(), 0);
    QCOMPARE(form.Band5->currentText(), QStringLiteral("Brown"));
    QCOMPARE(form.ResultLabel->text(), QString());
    QCOMPARE(form.ProgDir, QDir::toNativeSeparators(m_folder.path()));
    QVERIFY2(!m_folder.hasIni(), "no settings file until a language is picked");
}

void MainTest::modes_data()
{
    QTest::addColumn<QList<int>>("bands");
    QTest::addColumn<QList<int>>("modes");
    QTest::addColumn<QStringList>("results");

    QTest::newRow("third digit comes and goes")
        << QList<int>{Brown, Black, Black, Red} << QList<int>{1, 0, 1}
        << QStringList{"10 Kilo Ohm", "1 Kilo Ohm", "10 Kilo Ohm"};
    QTest::newRow("tolerance part removed then both parts added")
        << QList<int>{Brown, Black, Black, Red, 6, Red} << QList<int>{2, 1, 3}
        << QStringList{"10 Kilo Ohm\tTolerance +- 5%", "10 Kilo Ohm",
                       "10 Kilo Ohm\tTolerance +- 5%\tTemperature Coefficient 50 ppm/K"};
    QTest::newRow("hidden third digit no longer counts")
        << QList<int>{Black, Black, Red} << QList<int>{1, 0, 1}
        << QStringList{"2 Ohm", "", "2 Ohm"};
}

void MainTest::modes()
{
    QFETCH(QList<int>, bands);
    QFETCH(QList<int>, modes);
    QFETCH(QStringList, results);
    TForm1 form(m_folder.executable());
    for (int i = 0; i < bands.size(); ++i)
        band(form, i + 1)->setCurrentIndex(bands[i]);
    form.RefreshResult();
    for (int step = 0; step < modes.size(); ++step) {
        form.NumberBands->setItemIndex(modes[step]);
        const int mode = modes[step] + 3;
        QCOMPARE(form.Band3->isHidden(), mode < 4);
        QCOMPARE(form.Band5->isHidden(), mode < 5);
        QCOMPARE(form.Band6->isHidden(), mode < 6);
        QCOMPARE(form.ResultLabel->text(), results[step]);
    }
}

void MainTest::modeSwitchesKeepSelections()
{
    TForm1 form(m_folder.executable());
    select(form, {Brown, Black, Green, Red, 3, 4});
    form.NumberBands->setItemIndex(0);
    form.NumberBands->setItemIndex(3);
    QCOMPARE(form.Band3->currentIndex(), int(Green));
    QCOMPARE(form.ResultLabel->text(),
             QStringLiteral("10,5 Kilo Ohm\tTolerance +- 0.25%\tTemperature Coefficient 25 ppm/K"));
}

void MainTest::keyboardChangeUpdatesResult()
{
    TForm1 form(m_folder.executable());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Band1->setFocus();
    QTest::keyClick(form.Band1, Qt::Key_Down);
    QCOMPARE(form.Band1->currentIndex(), int(Brown));
    QCOMPARE(form.ResultLabel->text(), QStringLiteral("100 Ohm"));
    form.Band4->setFocus();
    QTest::keyClick(form.Band4, Qt::Key_End);
    QCOMPARE(form.ResultLabel->text(), QStringLiteral("1 Ohm"));
    QTest::keyClick(form.Band1, Qt::Key_Up);
    QCOMPARE(form.ResultLabel->text(), QString());
}

void MainTest::mousePickUpdatesResult()
{
    TForm1 form(m_folder.executable());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Band2->showPopup();
    QAbstractItemView *view = form.Band2->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect row = view->visualRect(view->model()->index(Yellow, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
    QTRY_COMPARE(form.Band2->currentIndex(), int(Yellow));
    QCOMPARE(form.ResultLabel->text(), QStringLiteral("40 Ohm"));
}

void MainTest::closedListPaintsItemColours_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("item");
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QColor>("text");

    QTest::newRow("orange digit in black")
        << 1 << int(Orange) << QColor(255, 165, 0) << QColor(Qt::black);
    QTest::newRow("blue digit in white")
        << 2 << int(Blue) << QColor(0, 0, 255) << QColor(Qt::white);
    QTest::newRow("gold multiplier in white")
        << 4 << int(Gold) << QColor(255, 215, 0) << QColor(Qt::white);
    QTest::newRow("gold tolerance in black") << 5 << 6 << QColor(255, 215, 0) << QColor(Qt::black);
    QTest::newRow("grey coefficient in white")
        << 6 << 8 << QColor(128, 128, 128) << QColor(Qt::white);
}

// Antialiased text has few pixels of exactly its colour.
static bool Near(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <
           90;
}

void MainTest::closedListPaintsItemColours()
{
    QFETCH(int, number);
    QFETCH(int, item);
    QFETCH(QColor, fill);
    QFETCH(QColor, text);
    TForm1 form(m_folder.executable());
    form.NumberBands->setItemIndex(3);
    OwnerDrawComboBox *list = band(form, number);
    list->setCurrentIndex(item);

    const QImage image = list->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    int fillPixels = 0;
    int textPixels = 0;
    for (int y = field.top(); y <= field.bottom(); ++y)
        for (int x = field.left(); x <= field.right(); ++x) {
            const QColor pixel = image.pixelColor(QPoint(x, y) * scale);
            fillPixels += pixel == fill;
            textPixels += Near(pixel, text);
        }
    const int area = field.width() * field.height();
    QVERIFY2(fillPixels > area / 2, "the item's colour fills its row");
    QVERIFY2(textPixels > 10, "the item's name is written in its text colour");
    // Only the background (left and right of the text) and the text itself: nothing of the
    // platform's own item painting shows through at the row's far end.
    QCOMPARE(image.pixelColor(QPoint(field.right() - 1, field.center().y()) * scale), fill);
}

void MainTest::focusedListsKeepTheirColours_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("item");
    QTest::addColumn<QColor>("swatch");

    QTest::newRow("red digit") << 1 << int(Red) << QColor(255, 0, 0);
    QTest::newRow("violet digit") << 2 << int(Violet) << QColor(238, 130, 238);
    QTest::newRow("white digit") << 3 << int(White) << QColor(255, 255, 255);
    QTest::newRow("black multiplier") << 4 << int(Black) << QColor(0, 0, 0);
    QTest::newRow("silver multiplier") << 4 << int(Silver) << QColor(192, 192, 192);
    QTest::newRow("brown tolerance") << 5 << 0 << QColor(165, 42, 42);
    QTest::newRow("gold tolerance") << 5 << 6 << QColor(255, 215, 0);
    QTest::newRow("grey coefficient") << 6 << 8 << QColor(128, 128, 128);
}

// Whether focused shows plain's pixels over area, but for the dotted frame on the edge of ring,
// whose pixels may only be inverted.
static bool OnlyDottedFrameAdded(const QImage &plain, const QImage &focused, const QRect &area,
                                 const QRect &ring)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const bool onRing = ring.contains(x, y) && !ring.adjusted(1, 1, -1, -1).contains(x, y);
            const QRgb change = plain.pixel(x, y) ^ focused.pixel(x, y);
            if (change != 0 && !(onRing && change == 0xFFFFFF))
                return false;
        }
    return true;
}

void MainTest::focusedListsKeepTheirColours()
{
    QFETCH(int, number);
    QFETCH(int, item);
    QFETCH(QColor, swatch);
    TForm1 form(m_folder.executable());
    form.NumberBands->setItemIndex(3);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    OwnerDrawComboBox *list = band(form, number);
    list->setCurrentIndex(item);
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    const QImage closed = list->grab().toImage();
    QCOMPARE(closed.pixelColor(field.right() - 2, field.center().y()), swatch);
    list->setFocus(Qt::TabFocusReason);
    QVERIFY2(OnlyDottedFrameAdded(closed, list->grab().toImage(), list->rect(), field),
             "the focused box differs from the unfocused one by more than the dotted frame");

    list->showPopup();
    QAbstractItemView *view = list->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect row = view->visualRect(view->model()->index(item, 0));
    const QImage current = view->viewport()->grab().toImage();
    QTest::keyClick(view, item == 0 ? Qt::Key_Down : Qt::Key_Up);
    const QImage other = view->viewport()->grab().toImage();
    QCOMPARE(other.pixelColor(row.right() - 2, row.center().y()), swatch);
    QVERIFY2(OnlyDottedFrameAdded(other, current, row, row),
             "the list's current row differs from the other rows by more than the dotted frame");
    list->hidePopup();
}

void MainTest::pictureDecodesAtNaturalSize()
{
    TForm1 form(m_folder.executable());
    QCOMPARE(form.Image1->pixmap().size(), QSize(96, 329));
    QCOMPARE(form.Image1->geometry(), QRect(312, 57, 105, 333));
}

void MainTest::doubleSizePicturesAreTheSameDrawing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("doubleSize");
    QTest::newRow("resistor picture") << ":/resistor.jpg"
                                      << ":/resistor@2x.jpg";
    QTest::newRow("window icon") << ":/Bandix-48.png"
                                 << ":/Bandix-48@2x.png";
}

void MainTest::doubleSizePicturesAreTheSameDrawing()
{
    QFETCH(QString, file);
    QFETCH(QString, doubleSize);
    const QImage single = QImage(file).convertToFormat(QImage::Format_ARGB32);
    const QImage twice = QImage(doubleSize).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(twice.size(), single.size() * 2);

    // Brought down to the small size, the large one differs only by its finer edges.
    const QImage reduced =
        twice.scaled(single.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 difference = 0;
    for (int y = 0; y < single.height(); ++y)
        for (int x = 0; x < single.width(); ++x) {
            const QRgb a = single.pixel(x, y);
            const QRgb b = reduced.pixel(x, y);
            difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
        }
    const double perChannel = double(difference) / (4.0 * single.width() * single.height());
    QVERIFY2(perChannel < 4, qPrintable(QString::number(perChannel)));
}

void MainTest::tabVisitsShownControlsInOrder()
{
    TForm1 form(m_folder.executable());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    form.NumberBands->button(1)->setFocus();
    const QList<QWidget *> expected = {form.Band1,
                                       form.Band2,
                                       form.Band3,
                                       form.Band4,
                                       form.LanguageGrp->button(0),
                                       form.NumberBands->button(1)};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    form.NumberBands->setItemIndex(3);
    form.NumberBands->button(3)->setFocus();
    const QList<QWidget *> allShown = {form.Band1,
                                       form.Band2,
                                       form.Band3,
                                       form.Band4,
                                       form.Band5,
                                       form.Band6,
                                       form.LanguageGrp->button(0)};
    for (QWidget *next : allShown) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void MainTest::windowHasCaptionSizeAndCloseButtonOnly()
{
    TForm1 form(m_folder.executable());
    QCOMPARE(form.windowTitle(), QStringLiteral("Calculate Color on Resistor"));
    QCOMPARE(form.size(), QSize(442, 441));
    QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.Band4->dropDownCount(), 12);
    QCOMPARE(form.Band5->dropDownCount(), 10);
    QCOMPARE(form.Band4->count(), 12);
    QCOMPARE(form.Band5->count(), 8);
    QCOMPARE(form.Band6->count(), 9);
}

void MainTest::pasteSetsTheListsOrSaysWhy_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("language");
    QTest::addColumn<QVariant>("clipboard");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("box");

    QTest::newRow("Ctrl+V, with a tolerance")
        << "Ctrl+V" << 0 << QVariant("4k7 5%") << "4,7 Kilo Ohm\tTolerance +- 5%" << 2
        << "E3 value (±40 %)"
        << "";
    QTest::newRow("Shift+Insert") << "Shift+Insert" << 0 << QVariant("1,05 Kilo Ohm")
                                  << "1,05 Kilo Ohm" << 1 << "E48 value (±2 %)"
                                  << "";
    QTest::newRow("menu, Danish") << "menu" << 1 << QVariant("1,01 Kilo Ohm") << "1,01 Kilo Ohm"
                                  << 1 << "E192-værdi (±0,5 %)"
                                  << "";
    QTest::newRow("in no series") << "menu" << 0 << QVariant("999 Ohm") << "999 Ohm" << 1
                                  << "In no E-series: a resistor read from the wrong end often "
                                     "gives such a value"
                                  << "";
    QTest::newRow("refused, nothing changes")
        << "Ctrl+V" << 0 << QVariant("4,712 Kilo Ohm") << "100 Ohm" << 1 << "E3 value (±40 %)"
        << "“4,712 Kilo Ohm” needs 4 significant digits; a colour code holds at most 3.";
    QTest::newRow("a picture, refused in Danish")
        << "Ctrl+V" << 1 << QVariant(QImage(4, 4, QImage::Format_RGB32)) << "100 Ohm" << 1
        << "E3-værdi (±40 %)"
        << "Udklipsholderen indeholder ingen tekst at læse en værdi af.";
}

// Through the real keys and the real menu, on the result line; the lists change as a user's
// picks would, or not at all, and the settings file is never written.
void MainTest::pasteSetsTheListsOrSaysWhy()
{
    QFETCH(QString, how);
    QFETCH(int, language);
    QFETCH(QVariant, clipboard);
    QFETCH(QString, result);
    QFETCH(int, mode);
    QFETCH(QString, toolTip);
    QFETCH(QString, box);
    ProgramFolder folder;
    TForm1 form(folder.executable());
    form.LanguageGrp->setItemIndex(language);
    select(form, {Brown});
    const QByteArray ini = folder.readIni();
    const auto items = [&form] {
        QList<int> indexes;
        for (int number = 1; number <= 6; ++number)
            indexes << band(form, number)->currentIndex();
        return indexes;
    };
    const QList<int> before = items();
    auto *data = new QMimeData;
    if (clipboard.typeId() == QMetaType::QString)
        data->setText(clipboard.toString());
    else
        data->setImageData(clipboard);
    QGuiApplication::clipboard()->setMimeData(data);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    ErrorBoxCatcher boxes;
    QStringList entries;
    QTimer menuWatch;
    QObject::connect(&menuWatch, &QTimer::timeout, [&entries] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *entry : menu->actions())
            entries << entry->text().section(u'\t', 0, 0);
        menu->setActiveAction(menu->actions().value(1));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    menuWatch.start(5);
    if (how == "menu") {
        // Through the window, as the platform delivers it: the window turns the click into the
        // context menu request.
        QTest::mouseClick(form.windowHandle(), Qt::RightButton, {},
                          form.ResultLabel->geometry().center());
        QTRY_COMPARE(entries, (language == 0 ? QStringList{"Copy", "Paste value"}
                                             : QStringList{"Kopiér", "Indsæt værdi"}));
    } else {
        QTest::keySequence(&form, QKeySequence(how));
    }

    QTRY_COMPARE(boxes.texts, box.isEmpty() ? QStringList() : QStringList{box});
    QCOMPARE(form.ResultLabel->text(), result);
    QCOMPARE(form.NumberBands->itemIndex(), mode);
    QCOMPARE(form.ResultLabel->toolTip(), toolTip);
    QCOMPARE(form.ResultLabel->accessibleDescription(), toolTip);
    if (!box.isEmpty())
        QCOMPARE(items(), before);
    QCOMPARE(folder.readIni(), ini);
}

QTEST_MAIN(MainTest)
#include "MainTest.moc"
