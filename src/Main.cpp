// The main window: places the controls, applies the texts and turns every change into the result.
#include "Main.h"

#include "AutoSizeLabel.h"
#include "BandEncoder.h"
#include "ESeries.h"
#include "ErrorDisplay.h"
#include "IniFile.h"
#include "Language.h"
#include "OwnerDrawComboBox.h"
#include "RadioGroup.h"
#include "Themes.h"
#include "WindowFont.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>

#include <stdexcept>

namespace {

QColor ToQColor(bandix::TColor color)
{
    return {static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
            static_cast<int>((color >> 16) & 0xFF)};
}

QString FromStd(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Every item is named after the colour it is painted in.
void NameItems(OwnerDrawComboBox *band, bandix::BandColour (*colourOf)(int))
{
    for (int i = 0; i < band->count(); ++i)
        band->setItemText(
            i, QString::fromStdString(Language::ColourName(static_cast<int>(colourOf(i)))));
}

// The folder's name as Qt spells it, and whether that spelling leads back to the folder.
struct FolderName
{
    QString Spelling;
    bool Exact;
};

FolderName NameOf(const std::filesystem::path &folder)
{
#ifdef Q_OS_WIN
    // Windows names folders in UTF-16, unit for unit what a QString holds.
    return {QString::fromStdWString(folder.native()), true};
#else
    // Linux names them in bytes, which Qt reads as UTF-8 with a stand-in for each byte that is not.
    const QByteArray bytes = QByteArray::fromStdString(folder.native());
    const QString spelling = QFile::decodeName(bytes);
    return {spelling, QFile::encodeName(spelling) == bytes};
#endif
}

// Where each control sits at 96 dpi, in tab order for the controls that take focus.
struct Placement
{
    QWidget *Control;
    QRect Geometry;
};

} // namespace

std::filesystem::path ExecutablePath()
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationFilePath().toStdWString();
#else
    // Qt's applicationFilePath() is empty where the folder's name is not UTF-8; the link holds
    // the name as it is.
    std::error_code error;
    std::filesystem::path link = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    return link;
#endif
}

TForm1::TForm1(const std::filesystem::path &executable, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_executable(executable)
{
    setWindowTitle(QStringLiteral("Calculate Color on Resistor"));
    setFont(WindowFont::Font());
    Themes::SetWindowTheme(*this, Themes::WindowTheme);
    resize(442, 441);

    CreateControls();
    ConnectHandlers();
    ErrorDisplay::RunHandler([this] { FormCreate(); });
}

void TForm1::CreateControls()
{
    // Created in tab order: the focus chain follows creation.
    NumberBands = new RadioGroup(this);
    NumberBands->setTitle(QStringLiteral(" Number of Bands "));
    NumberBands->setColumns(4);
    NumberBands->setItems(
        {QStringLiteral("3 "), QStringLiteral("4 "), QStringLiteral("5 "), QStringLiteral("6 ")});
    NumberBands->setItemIndex(1);

    const auto makeBand = [this](int itemCount, int dropDownCount) {
        auto *band = new OwnerDrawComboBox(this);
        for (int i = 0; i < itemCount; ++i)
            band->addItem(FromStd(Language::ukColors[i]));
        band->setDropDownCount(dropDownCount);
        band->setCurrentIndex(0);
        return band;
    };
    Band1 = makeBand(bandix::DigitItemCount, 10);
    Band2 = makeBand(bandix::DigitItemCount, 10);
    Band3 = makeBand(bandix::DigitItemCount, 10);
    Band4 = makeBand(bandix::MultiplierItemCount, 12);
    Band5 = makeBand(bandix::ToleranceItemCount, 10);
    Band6 = makeBand(bandix::CoefficientItemCount, 10);

    LanguageGrp = new RadioGroup(this);
    LanguageGrp->setTitle(QStringLiteral(" Language "));
    LanguageGrp->setColumns(2);
    LanguageGrp->setItems({QStringLiteral("English"), QStringLiteral("Danish")});
    LanguageGrp->setItemIndex(0);

    const auto makeLabel = [this](const char *caption, OwnerDrawComboBox *list) {
        auto *label = new AutoSizeLabel(this);
        label->setCaption(QString::fromUtf8(caption));
        if (list)
            label->setCaptionOf(list);
        return label;
    };
    Label1 = makeLabel("First digit", Band1);
    Label2 = makeLabel("Second digit", Band2);
    Label3 = makeLabel("Multiplier", Band4);
    Label4 = makeLabel("Tolerance", Band5);
    Label5 = makeLabel("Temperature Coefficient", Band6);
    Label6 = makeLabel("Third digit", Band3);
    ResultLabel = makeLabel("ResultLabel", nullptr);
    ResultLabel->setSelectable(true);
    // The band lists take the focus, so the keys reach the action through its window. Qt's keys
    // for pasting hold Ctrl+V and Shift+Insert on Windows and on Linux alike.
    PasteValueAction = new QAction(this);
    PasteValueAction->setShortcuts(QKeySequence::Paste);
    PasteValueAction->setShortcutContext(Qt::WindowShortcut);
    addAction(PasteValueAction);

    Image1 = new QLabel(this);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // QIcon takes the "@2x" picture on a scaled screen, where a plain QPixmap would be the small
    // one stretched and soft.
    Image1->setPixmap(
        QIcon(QStringLiteral(":/resistor.jpg")).pixmap(QSize(96, 329), devicePixelRatioF()));
    // The picture's top edge reaches under the language group: keep the group's frame in front.
    Image1->lower();

    const Placement placements[] = {
        {NumberBands, {16, 8, 217, 52}}, {Band1, {8, 88, 145, 22}},
        {Band2, {8, 130, 145, 22}},      {Band3, {8, 171, 145, 22}},
        {Band4, {8, 208, 145, 22}},      {Band5, {8, 288, 145, 22}},
        {Band6, {8, 328, 145, 22}},      {LanguageGrp, {256, 8, 161, 52}},
        {Label1, {159, 91, 49, 15}},     {Label2, {159, 133, 66, 15}},
        {Label6, {159, 174, 54, 15}},    {Label3, {159, 211, 51, 15}},
        {Label4, {159, 291, 50, 15}},    {Label5, {157, 331, 127, 15}},
        {ResultLabel, {8, 400, 60, 15}}, {Image1, {312, 57, 105, 333}},
    };
    for (const Placement &placement : placements)
        placement.Control->setGeometry(placement.Geometry);
}

template <typename Signal, typename Sender>
void TForm1::OnEvent(Sender *sender, Signal signal, void (TForm1::*handler)())
{
    connect(sender, signal, this,
            [this, handler] { ErrorDisplay::RunHandler([this, handler] { (this->*handler)(); }); });
}

std::array<TForm1::BandHandlers, 6> TForm1::Bands() const
{
    return {{
        {Band1, &TForm1::Band1Change, &TForm1::Band1DrawItem},
        {Band2, &TForm1::Band2Change, &TForm1::Band2DrawItem},
        {Band3, &TForm1::Band3Change, &TForm1::Band3DrawItem},
        {Band4, &TForm1::Band4Change, &TForm1::Band4DrawItem},
        {Band5, &TForm1::Band5Change, &TForm1::Band5DrawItem},
        {Band6, &TForm1::Band6Change, &TForm1::Band6DrawItem},
    }};
}

void TForm1::ConnectHandlers()
{
    OnEvent(NumberBands, &RadioGroup::clicked, &TForm1::NumberBandsClick);
    OnEvent(LanguageGrp, &RadioGroup::clicked, &TForm1::LanguageGrpClick);
    OnEvent(PasteValueAction, &QAction::triggered, &TForm1::PasteValue);

    for (const BandHandlers &band : Bands()) {
        OnEvent(band.Band, &OwnerDrawComboBox::change, band.OnChange);
        // Painting happens inside the list's paint event: connected directly, never queued.
        connect(
            band.Band, &OwnerDrawComboBox::drawItem, this,
            [this, drawItem = band.OnDrawItem](OwnerDrawComboBox *control, int index,
                                               const QRect &rect, QStyle::State state) {
                ErrorDisplay::RunHandler([&] { (this->*drawItem)(control, index, rect, state); });
            },
            Qt::DirectConnection);
    }
}

void TForm1::FormCreate()
{
    Band5->hide();
    Band6->hide();
    ResultLabel->setCaption(QString());
    const FolderName folder = NameOf(m_executable.parent_path());
    ProgDir = QDir::toNativeSeparators(folder.Spelling);
    // An empty ProgDir would put the file at the root of the file system.
    m_progDirNamed = folder.Exact && !ProgDir.isEmpty();
    ReadIniFile();
    Language::ChangeLanguage();
    SetTexter();
}

QString TForm1::IniFilePath() const
{
    QString path = ProgDir + QDir::separator() + QString::fromLatin1(IniFileName);
    // No other file may stand in for the one beside the executable: reading falls back on
    // English, and every write is refused.
    if (!m_progDirNamed)
        throw std::runtime_error("Unable to write to " + path.toStdString() +
                                 ": the name of its folder cannot be represented");
    return path;
}

void TForm1::ReadIniFile()
{
    try {
        const int used = IniFile(IniFilePath()).ReadInteger("Language", "Used", Language::Uk);
        if (used < 0 || used > 255)
            throw std::out_of_range("Language code out of range");
        Language::SelectedLanguage = static_cast<std::uint8_t>(used);
    } catch (...) {
        // Reading never reports an error: whatever went wrong, the program starts in English.
        Language::SelectedLanguage = Language::Uk;
    }
    // Selecting Danish runs LanguageGrpClick, which writes the code back as 2; a failed write
    // ends the start-up sequence here, after the texts have switched.
    LanguageGrp->setItemIndex(Language::SelectedLanguage == Language::Uk ? 0 : 1);
    ErrorDisplay::RethrowPending();
    SetTexter();
}

void TForm1::WriteIniFile()
{
    IniFile(IniFilePath()).WriteInteger("Language", "Used", Language::SelectedLanguage);
}

void TForm1::SetTexter()
{
    Label1->setCaption(QString::fromStdString(Language::clB1));
    Label2->setCaption(QString::fromStdString(Language::clB2));
    Label6->setCaption(QString::fromStdString(Language::clB3));
    Label3->setCaption(QString::fromStdString(Language::clB4));
    Label4->setCaption(QString::fromStdString(Language::clB5));
    Label5->setCaption(QString::fromStdString(Language::clB6));

    const auto renameItems = [](OwnerDrawComboBox *band, const auto &rename) {
        const int Saveindex = band->currentIndex();
        rename();
        band->setCurrentIndex(Saveindex);
    };
    for (OwnerDrawComboBox *band : {Band1, Band2, Band3, Band4})
        renameItems(band, [this, band] { TextInBand1to4(band); });
    renameItems(Band5, [this] { TextInBand5(); });
    renameItems(Band6, [this] { TextInBand6(); });

    NumberBands->setTitle(QString::fromStdString(Language::clNumberBands));
    LanguageGrp->setTitle(QString::fromStdString(Language::clLanguage));
    LanguageGrp->setItemText(0, QString::fromStdString(Language::clEnglish));
    LanguageGrp->setItemText(1, QString::fromStdString(Language::clDanish));

    RefreshResult();
}

void TForm1::TextInBand1to4(OwnerDrawComboBox *C)
{
    NameItems(C, bandix::DigitOrMultiplierColour);
}

void TForm1::TextInBand5()
{
    NameItems(Band5, bandix::ToleranceColour);
}

void TForm1::TextInBand6()
{
    NameItems(Band6, bandix::CoefficientColour);
}

void TForm1::LanguageGrpClick()
{
    Language::SelectedLanguage = LanguageGrp->itemIndex() == 0 ? Language::Uk : Language::Dk;
    Language::ChangeLanguage();
    SetTexter();
    WriteIniFile();
}

void TForm1::NumberBandsClick()
{
    if (const auto shown = bandix::ShownBandsForCount(NumberBands->itemIndex())) {
        Band3->setVisible(shown->Band3);
        Band5->setVisible(shown->Band5);
        Band6->setVisible(shown->Band6);
    }
    RefreshResult();
}

void TForm1::Band1Change()
{
    RefreshResult();
}
void TForm1::Band2Change()
{
    RefreshResult();
}
void TForm1::Band3Change()
{
    RefreshResult();
}
void TForm1::Band4Change()
{
    RefreshResult();
}
void TForm1::Band5Change()
{
    RefreshResult();
}
void TForm1::Band6Change()
{
    RefreshResult();
}

bandix::BandSelection TForm1::CurrentBands() const
{
    bandix::BandSelection bands;
    bands.ItemIndex = {Band1->currentIndex(), Band2->currentIndex(), Band3->currentIndex(),
                       Band4->currentIndex(), Band5->currentIndex(), Band6->currentIndex()};
    // isHidden, not isVisible: the state holds before the window is first shown.
    bands.Band3Shown = !Band3->isHidden();
    bands.Band5Shown = !Band5->isHidden();
    bands.Band6Shown = !Band6->isHidden();
    return bands;
}

void TForm1::RefreshResult()
{
    const auto result = bandix::RefreshResult(CurrentBands(), Language::clB6);
    if (!result) {
        ResultLabel->setCaption(QString());
        ResultLabel->setToolTip(QString());
        ResultLabel->setAccessibleDescription(QString());
        return;
    }
    OhmValue = result->OhmValue;
    OhmRange = result->OhmRange;
    ResultLabel->setCaption(QString::fromStdString(result->Text));
    const QString series = QString::fromStdString(bandix::SeriesDescription(
        result->Hundredths,
        {Language::clSeriesValue, Language::clNoSeries, Language::clDecimalMark}));
    ResultLabel->setToolTip(series);
    ResultLabel->setAccessibleDescription(series);
}

void TForm1::PasteValue()
{
    // One character beyond what the core reads is enough for it to refuse a longer text.
    const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData();
    const QString text = clipboard && clipboard->hasText()
                             ? clipboard->text().left(bandix::MaxValueTextLength + 1)
                             : QString();
    // Both throw before anything is set, so a refusal leaves the window as it was.
    const bandix::CodedBands coded =
        bandix::CodeValue(bandix::ParseValue(text.toStdString(), Language::CurrentPasteWording()),
                          CurrentBands(), NumberBands->itemIndex());

    NumberBands->setItemIndex(coded.NumberBandsIndex);
    ErrorDisplay::RethrowPending();
    const std::array<BandHandlers, 6> bands = Bands();
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const int item = coded.Bands.ItemIndex[i];
        if (bands[i].Band->currentIndex() == item)
            continue;
        bands[i].Band->setCurrentIndex(item);
        (this->*bands[i].OnChange)();
    }
}

void TForm1::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    const auto addEntry = [&menu](const std::string &text, QKeySequence::StandardKey key) {
        return menu.addAction(QString::fromStdString(text) + u'\t' +
                              QKeySequence(key).toString(QKeySequence::NativeText));
    };
    QAction *copy = addEntry(Language::clCopy, QKeySequence::Copy);
    copy->setEnabled(ResultLabel->hasSelectedText());
    connect(copy, &QAction::triggered, ResultLabel, &AutoSizeLabel::copySelection);
    QAction *paste = addEntry(Language::clPasteValue, QKeySequence::Paste);
    connect(paste, &QAction::triggered, PasteValueAction, &QAction::trigger);
    menu.exec(event->globalPos());
}

void TForm1::Band1DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                           QStyle::State State)
{
    ColorFirst4Bands(Control, Index, Rect, State);
}
void TForm1::Band2DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                           QStyle::State State)
{
    ColorFirst4Bands(Control, Index, Rect, State);
}
void TForm1::Band3DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                           QStyle::State State)
{
    ColorFirst4Bands(Control, Index, Rect, State);
}
void TForm1::Band4DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                           QStyle::State State)
{
    ColorFirst4Bands(Control, Index, Rect, State);
}
void TForm1::Band5DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                           QStyle::State State)
{
    Color5Band(Control, Index, Rect, State);
}
void TForm1::Band6DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                           QStyle::State State)
{
    Color6Band(Control, Index, Rect, State);
}

// The item's state is not consulted: a highlighted item keeps its own colours, and the list
// marks the focus with its dotted frame after the paint.
void TForm1::ColorFirst4Bands(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                              QStyle::State)
{
    Paint(Control, Index, Rect, bandix::ColorFirst4Bands(Index));
}

void TForm1::Color5Band(OwnerDrawComboBox *Control, int Index, const QRect &Rect, QStyle::State)
{
    Paint(Control, Index, Rect, bandix::Color5Band(Index));
}

void TForm1::Color6Band(OwnerDrawComboBox *Control, int Index, const QRect &Rect, QStyle::State)
{
    Paint(Control, Index, Rect, bandix::Color6Band(Index));
}

void TForm1::Paint(OwnerDrawComboBox *C, int I, const QRect &R,
                   const std::optional<bandix::ItemColors> &colors)
{
    if (colors)
        ComboColor(C, I, R, colors->BColor, colors->FColor);
}

void TForm1::ComboColor(OwnerDrawComboBox *C, int I, const QRect &R, bandix::TColor BColor,
                        bandix::TColor FColor)
{
    QPainter *canvas = C->canvas();
    canvas->fillRect(R, ToQColor(BColor));
    canvas->setPen(ToQColor(FColor));
    canvas->setFont(C->font());
    canvas->drawText(R, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, C->itemText(I));
}
