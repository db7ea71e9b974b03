// Every result line the core can produce, measured in the font the window resolves: each fits the
// window at 100 % and each TAB leaves at least a space between the pieces it separates, also on a
// desktop without the font families the window asks for.
#include "Main.h"

#include "AutoSizeLabel.h"
#include "Language.h"
#include "ResistorValue.h"
#include "TestSupport.h"
#include "WindowFont.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTest>

#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Each distinct piece of text between TABs, measured once.
class PieceWidths
{
public:
    explicit PieceWidths(const AutoSizeLabel &label) : m_metrics(label.font(), &label) {}

    int idOf(std::string_view piece)
    {
        const auto [found, added] =
            m_ids.try_emplace(std::string(piece), static_cast<int>(m_widths.size()));
        if (added)
            m_widths.push_back(m_metrics.horizontalAdvance(QString::fromUtf8(piece)));
        return found->second;
    }
    qreal width(int id) const { return m_widths[static_cast<std::size_t>(id)]; }
    qreal space() const { return m_metrics.horizontalAdvance(u' '); }

private:
    QFontMetricsF m_metrics;
    std::unordered_map<std::string, int> m_ids;
    std::vector<qreal> m_widths;
};

struct Extreme
{
    qreal Value;
    QString Line;
};

} // namespace

class MainResultLineTest : public QObject
{
    Q_OBJECT

private slots:
    void everyLineFitsAndEveryTabLeavesAGap();
};

void MainResultLineTest::everyLineFitsAndEveryTabLeavesAGap()
{
    ProgramFolder folder;
    TForm1 form(folder.executable());
    AutoSizeLabel &label = *form.ResultLabel;
    PieceWidths pieces(label);
    const qreal distance = label.tabStopDistance();
    // The build's second run, on fonts without Liberation, sets the variable: there only the
    // carried copy can resolve to Liberation Sans, which the window's font registers. Asking
    // UsesCarriedFont() first would register it here.
    if (qEnvironmentVariableIsSet("BANDIX_EXPECT_CARRIED_FONT")) {
        QCOMPARE(QFontInfo(label.font()).family(), QStringLiteral("Liberation Sans"));
        QVERIFY(WindowFont::UsesCarriedFont());
    } else {
        QVERIFY(!WindowFont::UsesCarriedFont());
    }

    // A line is known by the ids of its up to three pieces, which keeps the set small.
    std::unordered_set<std::uint64_t> seen;
    seen.reserve(std::size_t{2} << 20);
    Extreme widest{0, {}};
    Extreme narrowestGap{std::numeric_limits<qreal>::max(), {}};
    // The line whose next stop lies nearest its text: there the TAB has to skip to the stop after.
    Extreme nearestStop{std::numeric_limits<qreal>::max(), {}};
    const auto measure = [&](const std::string &line) {
        std::uint64_t key = 0;
        QList<qreal> widths;
        std::size_t start = 0;
        for (std::size_t tab = line.find('\t');; tab = line.find('\t', start)) {
            const int id = pieces.idOf(std::string_view(line).substr(start, tab - start));
            key = (key << 21) | static_cast<std::uint64_t>(id + 1);
            widths.append(pieces.width(id));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        if (!seen.insert(key).second)
            return;
        const qreal last = widths.takeLast();
        const QList<qreal> stops = AutoSizeLabel::TabPositions(widths, distance, pieces.space());
        qreal x = 0;
        for (qsizetype i = 0; i < stops.size(); ++i) {
            const qreal end = x + widths[i];
            if (stops[i] - end < narrowestGap.Value)
                narrowestGap = {stops[i] - end, QString::fromStdString(line)};
            const qreal nextStop = (std::floor(end / distance) + 1) * distance;
            if (nextStop - end < nearestStop.Value)
                nearestStop = {nextStop - end, QString::fromStdString(line)};
            x = stops[i];
        }
        if (x + last > widest.Value)
            widest = {x + last, QString::fromStdString(line)};
    };

    for (const auto change : {&Language::Change2uk, &Language::Change2dk}) {
        change();
        for (int mode = 0; mode < 4; ++mode) {
            const bandix::ShownBands shown = *bandix::ShownBandsForCount(mode);
            bandix::BandSelection bands;
            bands.Band3Shown = shown.Band3;
            bands.Band5Shown = shown.Band5;
            bands.Band6Shown = shown.Band6;
            auto &[b1, b2, b3, b4, b5, b6] = bands.ItemIndex;
            for (b1 = 0; b1 < bandix::DigitItemCount; ++b1)
                for (b2 = 0; b2 < bandix::DigitItemCount; ++b2)
                    for (b3 = 0; b3 < (shown.Band3 ? bandix::DigitItemCount : 1); ++b3)
                        for (b4 = 0; b4 < bandix::MultiplierItemCount; ++b4)
                            for (b5 = 0; b5 < (shown.Band5 ? bandix::ToleranceItemCount : 1); ++b5)
                                for (b6 = 0; b6 < (shown.Band6 ? bandix::CoefficientItemCount : 1);
                                     ++b6)
                                    if (const auto result =
                                            bandix::RefreshResult(bands, Language::clB6))
                                        measure(result->Text);
        }
    }
    Language::Change2uk();

    qInfo("%zu distinct lines in %s %g px (%g pt), TAB stops every %g px, space %g px", seen.size(),
          qPrintable(QFontInfo(label.font()).family()), QFontInfo(label.font()).pixelSize() * 1.0,
          label.font().pointSizeF(), distance, pieces.space());
    qInfo("widest %g px: %s", widest.Value,
          qPrintable(QString(widest.Line).replace('\t', "<TAB>")));
    qInfo("narrowest TAB gap %g px: %s", narrowestGap.Value,
          qPrintable(QString(narrowestGap.Line).replace('\t', "<TAB>")));
    qInfo("nearest next stop %g px: %s", nearestStop.Value,
          qPrintable(QString(nearestStop.Line).replace('\t', "<TAB>")));
    QCOMPARE(seen.size(), std::size_t{1'667'547});
    QVERIFY2(narrowestGap.Value >= pieces.space(), qPrintable(narrowestGap.Line));

    label.setCaption(widest.Line);
    QVERIFY2(label.geometry().right() < form.width(),
             qPrintable(QStringLiteral("label ends at %1 in a %2 px window")
                            .arg(label.geometry().right() + 1)
                            .arg(form.width())));

    // The label puts its stops where they were measured; a stop it missed would be a whole stop
    // distance off, far more than the rounding of the label's own layout.
    for (const Extreme &extreme : {widest, narrowestGap, nearestStop}) {
        label.setCaption(extreme.Line);
        const QList<qreal> stops = label.tabPositions(extreme.Line);
        const qreal width =
            stops.back() + pieces.width(pieces.idOf(extreme.Line.section('\t', -1).toStdString()));
        QVERIFY2(std::abs(label.sizeHint().width() - width) < pieces.space(),
                 qPrintable(QStringLiteral("%1 px, measured %2: %3")
                                .arg(label.sizeHint().width())
                                .arg(width)
                                .arg(extreme.Line)));
    }
}

QTEST_MAIN(MainResultLineTest)
#include "MainResultLineTest.moc"
