// Latency of the window's user actions, from the key press to the changed texts (and to the
// repaint), on the offscreen platform.
#include "Main.h"

#include "AutoSizeLabel.h"
#include "OwnerDrawComboBox.h"
#include "RadioGroup.h"
#include "Themes.h"

#include <QApplication>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Counts the paint events a widget receives, to prove the "painted" rows paint.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int Paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return QObject::eventFilter(watched, event);
    }
};

// The window as the user has it: shown, with its settings file in a folder of its own.
struct ShownWindow
{
    ShownWindow() : Form(Folder.filePath(QStringLiteral("Bandix")).toStdU16String())
    {
        Form.show();
        if (!QTest::qWaitForWindowExposed(&Form))
            qFatal("the window was never exposed");
        QCoreApplication::processEvents();
    }

    QString IniPath() const { return Folder.filePath(QString::fromLatin1(IniFileName)); }

    QTemporaryDir Folder;
    TForm1 Form;
};

// A "painted" row also lets the window repaint what the action changed, as the user sees it.
void AddRows()
{
    QTest::addColumn<bool>("painted");
    QTest::newRow("texts") << false;
    QTest::newRow("painted") << true;
}

void Settle(bool painted)
{
    if (painted)
        QCoreApplication::processEvents();
}

} // namespace

class EventLatencyBench : public QObject
{
    Q_OBJECT

private slots:
    void bandChange_data() { AddRows(); }
    void bandChange();
    void bandCountChange_data() { AddRows(); }
    void bandCountChange();
    void languageSwitch_data() { AddRows(); }
    void languageSwitch();
};

void EventLatencyBench::bandChange()
{
    QFETCH(bool, painted);
    ShownWindow window;
    TForm1 &form = window.Form;
    PaintCounter counter(form.ResultLabel);
    form.Band1->setFocus();
    // From Brown on, so that both keys leave a result: a black first band clears it.
    QTest::keyClick(form.Band1, Qt::Key_Down);
    QCOMPARE(form.Band1->currentIndex(), 1);
    QString previous = form.ResultLabel->text();
    QVERIFY(!previous.isEmpty());

    bool down = true;
    int actions = 0;
    int unchanged = 0;
    QBENCHMARK
    {
        QTest::keyClick(form.Band1, down ? Qt::Key_Down : Qt::Key_Up);
        Settle(painted);
        down = !down;
        ++actions;
        const QString now = form.ResultLabel->text();
        unchanged += now == previous;
        previous = now;
    }
    QCOMPARE(unchanged, 0);
    if (painted)
        QVERIFY(counter.Paints >= actions);
}

void EventLatencyBench::bandCountChange()
{
    QFETCH(bool, painted);
    ShownWindow window;
    TForm1 &form = window.Form;
    PaintCounter counter(form.ResultLabel);
    form.Band1->setFocus();
    QTest::keyClick(form.Band1, Qt::Key_Down);
    // Five bands, then five and six alternately with the arrow keys on the group's buttons.
    form.NumberBands->button(1)->setFocus();
    QTest::keyClick(form.NumberBands->button(1), Qt::Key_Right);
    QCOMPARE(form.NumberBands->itemIndex(), 2);
    QVERIFY(form.Band6->isHidden());
    QString previous = form.ResultLabel->text();

    bool toSix = true;
    int actions = 0;
    int wrong = 0;
    QBENCHMARK
    {
        QTest::keyClick(form.NumberBands->button(toSix ? 2 : 3),
                        toSix ? Qt::Key_Right : Qt::Key_Left);
        Settle(painted);
        const QString now = form.ResultLabel->text();
        wrong += now == previous || form.Band6->isHidden() == toSix;
        previous = now;
        toSix = !toSix;
        ++actions;
    }
    QCOMPARE(wrong, 0);
    if (painted)
        QVERIFY(counter.Paints >= actions);
}

void EventLatencyBench::languageSwitch()
{
    QFETCH(bool, painted);
    ShownWindow window;
    TForm1 &form = window.Form;
    PaintCounter counter(form.Label1);
    QCOMPARE(form.LanguageGrp->itemIndex(), 0);
    form.LanguageGrp->button(0)->setFocus();
    QString previous = form.Label1->text();

    bool toDanish = true;
    int actions = 0;
    int wrong = 0;
    QBENCHMARK
    {
        QTest::keyClick(form.LanguageGrp->button(toDanish ? 0 : 1),
                        toDanish ? Qt::Key_Right : Qt::Key_Left);
        Settle(painted);
        const QString now = form.Label1->text();
        wrong += now == previous || form.LanguageGrp->itemIndex() != (toDanish ? 1 : 0);
        previous = now;
        toDanish = !toDanish;
        ++actions;
    }
    QCOMPARE(wrong, 0);
    if (painted)
        QVERIFY(counter.Paints >= actions);

    // Every switch writes the settings file; the last one written must match the window.
    QFile ini(window.IniPath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray used = form.LanguageGrp->itemIndex() == 0 ? "Used=1" : "Used=2";
    QVERIFY2(ini.readAll().contains(used), used.constData());
}

int main(int argc, char *argv[])
{
    // The figures are for the offscreen platform whatever the environment says, so that they
    // compare across machines with and without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The program's own look, as Bandix.cpp sets it: the style decides what a repaint costs.
    Themes::SetApplicationTheme(application, QString::fromLatin1(Themes::ApplicationTheme));
    EventLatencyBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "EventLatencyBench.moc"
