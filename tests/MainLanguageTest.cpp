// Tests of the window's languages: switching keeps selections, and the choice lives in Bandix.ini.
#include "Main.h"

#include "AutoSizeLabel.h"
#include "OwnerDrawComboBox.h"
#include "RadioGroup.h"
#include "TestSupport.h"

#include <QRadioButton>
#include <QTest>

class MainLanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void switchingKeepsSelectionsAndRenamesItems();
    void sixBandResultTakesTheNewCoefficientLabel();
    void eachChoiceIsWrittenAtOnce();
    void startsInTheStoredLanguage_data();
    void startsInTheStoredLanguage();
    void unreadableSettingsStartInEnglish_data();
    void unreadableSettingsStartInEnglish();
    void readOnlyFolderReportsEveryChange();
    void danishCodeThatCannotBeWrittenBackStillOpensDanish();
    void folderQtCannotNameRefusesEveryWrite();

private:
    static void clickLanguage(TForm1 &form, int item)
    {
        QRadioButton *button = form.LanguageGrp->button(item);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    static QString errorText(const ProgramFolder &folder)
    {
        return "Unable to write to " + QDir::toNativeSeparators(folder.iniPath()) + ".";
    }
};

void MainLanguageTest::switchingKeepsSelectionsAndRenamesItems()
{
    ProgramFolder folder;
    TForm1 form(folder.executable());
    form.Band2->setCurrentIndex(6);
    form.Band4->setCurrentIndex(11);
    clickLanguage(form, 1);

    QCOMPARE(form.LanguageGrp->itemIndex(), 1);
    QCOMPARE(form.Band2->currentIndex(), 6);
    QCOMPARE(form.Band2->currentText(), QStringLiteral("Blå"));
    QCOMPARE(form.Band4->itemText(10), QStringLiteral("Guld"));
    QCOMPARE(form.Band4->itemText(11), QStringLiteral("Sølv"));
    QCOMPARE(form.Band4->currentIndex(), 11);
    QCOMPARE(form.Band5->itemText(0), QStringLiteral("Brun"));
    QCOMPARE(form.Band6->itemText(8), QStringLiteral("Grå"));
    QCOMPARE(form.LanguageGrp->title(), QStringLiteral(" Sprog "));
    QCOMPARE(form.NumberBands->title(), QStringLiteral(" Antal ringe "));
    QCOMPARE(form.LanguageGrp->itemText(0), QStringLiteral("Engelsk"));
    QCOMPARE(form.LanguageGrp->itemText(1), QStringLiteral("Dansk"));
    QCOMPARE(form.Label1->text(), QStringLiteral("Første ring"));
    QCOMPARE(form.Label5->text(), QStringLiteral("Temperaturkoefficient"));

    clickLanguage(form, 0);
    QCOMPARE(form.Band4->itemText(10), QStringLiteral("Gold"));
    QCOMPARE(form.Band4->itemText(11), QStringLiteral("Silver"));
    QCOMPARE(form.Band2->currentText(), QStringLiteral("Blue"));
    QCOMPARE(form.LanguageGrp->title(), QStringLiteral(" Language "));
}

void MainLanguageTest::sixBandResultTakesTheNewCoefficientLabel()
{
    ProgramFolder folder;
    TForm1 form(folder.executable());
    form.NumberBands->setItemIndex(3);
    form.Band1->setCurrentIndex(4);
    form.Band2->setCurrentIndex(7);
    form.Band4->setCurrentIndex(2);
    form.Band5->setCurrentIndex(6);
    form.Band6->setCurrentIndex(3);
    form.RefreshResult();
    const QString value = QStringLiteral("47 Kilo Ohm\tTolerance +- 5%\t");
    QCOMPARE(form.ResultLabel->text(), value + "Temperature Coefficient 15 ppm/K");
    clickLanguage(form, 1);
    QCOMPARE(form.ResultLabel->text(), value + "Temperaturkoefficient 15 ppm/K");
}

void MainLanguageTest::eachChoiceIsWrittenAtOnce()
{
    ProgramFolder folder;
    TForm1 form(folder.executable());
    clickLanguage(form, 1);
    QCOMPARE(folder.readIni(), NewIniText("[Language]\nUsed=2\n"));
    clickLanguage(form, 0);
    QCOMPARE(folder.readIni(), NewIniText("[Language]\nUsed=1\n"));
}

void MainLanguageTest::startsInTheStoredLanguage_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("danish");
    QTest::addColumn<QByteArray>("afterStart");

    const QByteArray danishWritten = "[Language]\nUsed=2\n";
    QTest::newRow("English code") << QByteArray("[Language]\nUsed=1\n") << false
                                  << QByteArray("[Language]\nUsed=1\n");
    QTest::newRow("Danish code") << danishWritten << true << danishWritten;
    QTest::newRow("seven is Danish, written back as 2")
        << QByteArray("[Language]\nUsed=7\n") << true << danishWritten;
    QTest::newRow("zero is Danish") << QByteArray("[Language]\nUsed=0\n") << true << danishWritten;
    QTest::newRow("hexadecimal byte is Danish")
        << QByteArray("[Language]\nUsed=$FF\n") << true << danishWritten;
    QTest::newRow("300 is out of range: English, untouched")
        << QByteArray("[Language]\nUsed=300\n") << false << QByteArray("[Language]\nUsed=300\n");
    QTest::newRow("negative is English, untouched")
        << QByteArray("[Language]\nUsed=-1\n") << false << QByteArray("[Language]\nUsed=-1\n");
    QTest::newRow("text is English, untouched") << QByteArray("[Language]\nUsed=Dansk\n") << false
                                                << QByteArray("[Language]\nUsed=Dansk\n");
    QTest::newRow("other sections survive the write-back")
        << QByteArray("; mine\r\n[Window]\r\nLeft=3\r\n[Language]\r\nUsed=9\r\n") << true
        << QByteArray("; mine\r\n[Window]\r\nLeft=3\r\n[Language]\r\nUsed=2\r\n");
}

void MainLanguageTest::startsInTheStoredLanguage()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, danish);
    QFETCH(QByteArray, afterStart);
    ProgramFolder folder;
    folder.writeIni(stored);
    TForm1 form(folder.executable());
    QCOMPARE(form.LanguageGrp->itemIndex(), danish ? 1 : 0);
    QCOMPARE(form.Label1->text(), danish ? QStringLiteral("Første ring") : "First Band");
    QCOMPARE(form.Band1->itemText(0), danish ? QStringLiteral("Sort") : "Black");
    QCOMPARE(folder.readIni(), afterStart);
}

void MainLanguageTest::unreadableSettingsStartInEnglish_data()
{
    QTest::addColumn<OddFile>("kind");
    QTest::newRow("folder") << OddFile::Directory;
#ifndef Q_OS_WIN
    QTest::newRow("FIFO: start-up does not wait for a writer") << OddFile::Fifo;
#endif
}

void MainLanguageTest::unreadableSettingsStartInEnglish()
{
    QFETCH(OddFile, kind);
    ProgramFolder folder;
    MakeOddFile(kind, folder.iniPath());
    const FifoReaderWatch watch(folder.iniPath());
    TForm1 form(folder.executable());
    QVERIFY(!watch.opened());
    QCOMPARE(form.LanguageGrp->itemIndex(), 0);
    QCOMPARE(form.Label1->text(), QStringLiteral("First Band"));

    ErrorBoxCatcher boxes;
    clickLanguage(form, 1);
    QCOMPARE(boxes.texts, QStringList{errorText(folder)});
    QCOMPARE(form.Label1->text(), QStringLiteral("Første ring"));
}

void MainLanguageTest::readOnlyFolderReportsEveryChange()
{
    ProgramFolder folder;
    folder.writeIni("[Language]\nUsed=1\n");
    TForm1 form(folder.executable());
    ReadOnlyFolder readOnly(folder);
    ErrorBoxCatcher boxes;

    clickLanguage(form, 1);
    QCOMPARE(boxes.texts, QStringList{errorText(folder)});
    // Titled by the executable's name, here the test's: "MainLanguageTest" → "Mainlanguagetest".
    QCOMPARE(boxes.titles, QStringList{"Mainlanguagetest"});
    QCOMPARE(boxes.icons.value(0), QMessageBox::Critical);
    QCOMPARE(form.Label2->text(), QStringLiteral("Anden ring"));
    QCOMPARE(form.LanguageGrp->itemIndex(), 1);

    clickLanguage(form, 0);
    QCOMPARE(boxes.texts.size(), 2);
    QCOMPARE(form.Label2->text(), QStringLiteral("Second Band"));
    QCOMPARE(folder.readIni(), QByteArray("[Language]\nUsed=1\n"));
}

void MainLanguageTest::danishCodeThatCannotBeWrittenBackStillOpensDanish()
{
    ProgramFolder folder;
    folder.writeIni("[Language]\nUsed=5\n");
    ReadOnlyFolder readOnly(folder);
    ErrorBoxCatcher boxes;
    TForm1 form(folder.executable());
    QCOMPARE(boxes.texts, QStringList{errorText(folder)});
    QVERIFY(!form.isVisible());
    QCOMPARE(form.Label1->text(), QStringLiteral("Første ring"));
    QCOMPARE(form.Band4->itemText(11), QStringLiteral("Sølv"));
    QCOMPARE(form.LanguageGrp->itemIndex(), 1);
    QCOMPARE(folder.readIni(), QByteArray("[Language]\nUsed=5\n"));
}

void MainLanguageTest::folderQtCannotNameRefusesEveryWrite()
{
#ifdef Q_OS_WIN
    QSKIP("Windows names folders in UTF-16, which Qt names whole");
#else
    // "lat" and the Latin-1 byte of "ø", which is no UTF-8.
    const QTemporaryDir parent;
    const std::filesystem::path folder = parent.path().toStdString() + "/lat\xF8";
    std::filesystem::create_directory(folder);
    ErrorBoxCatcher boxes;
    TForm1 form(folder / "Bandix");
    clickLanguage(form, 1);
    // Nothing was written beside it, and QTemporaryDir cannot name it to remove it.
    QVERIFY(std::filesystem::remove(folder));
    QCOMPARE(boxes.texts, QStringList{"Unable to write to " + parent.path() +
                                      "/lat\uFFFD/Bandix.ini: the name of its folder cannot be "
                                      "represented."});
#endif
}

QTEST_MAIN(MainLanguageTest)
#include "MainLanguageTest.moc"
