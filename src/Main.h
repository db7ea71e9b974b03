// The main window: band-count and language groups, six colour band lists, the result line.
#pragma once

#include "ColourCode.h"
#include "ResistorValue.h"

#include <QStyle>
#include <QWidget>

#include <array>
#include <cstdint>
#include <filesystem>

class AutoSizeLabel;
class OwnerDrawComboBox;
class QAction;
class QLabel;
class RadioGroup;

inline constexpr auto IniFileName = "Bandix.ini";

// The running executable's full path, as the file system spells it.
std::filesystem::path ExecutablePath();

class TForm1 : public QWidget
{
    Q_OBJECT

public:
    // The settings file is looked for beside executable.
    explicit TForm1(const std::filesystem::path &executable = ExecutablePath(),
                    QWidget *parent = nullptr);

    OwnerDrawComboBox *Band1;
    OwnerDrawComboBox *Band2;
    OwnerDrawComboBox *Band3;
    OwnerDrawComboBox *Band4;
    OwnerDrawComboBox *Band5;
    OwnerDrawComboBox *Band6;
    RadioGroup *NumberBands;
    AutoSizeLabel *Label1;
    AutoSizeLabel *Label2;
    AutoSizeLabel *Label3;
    AutoSizeLabel *Label4;
    AutoSizeLabel *Label5;
    AutoSizeLabel *Label6;
    AutoSizeLabel *ResultLabel;
    QLabel *Image1;
    RadioGroup *LanguageGrp;
    // Ctrl+V, Shift+Insert and the context menu's "Paste value".
    QAction *PasteValueAction;

    std::uint64_t OhmValue = 0;
    std::uint8_t OhmRange = 0;
    QString ProgDir;

    void FormCreate();

    // Applies the current language texts to every caption and list item, keeping selections.
    void SetTexter();
    void TextInBand1to4(OwnerDrawComboBox *C);
    void TextInBand5();
    void TextInBand6();

    void ReadIniFile();
    void WriteIniFile();

    void NumberBandsClick();
    void LanguageGrpClick();
    void Band1Change();
    void Band2Change();
    void Band3Change();
    void Band4Change();
    void Band5Change();
    void Band6Change();

    void Band1DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                       QStyle::State State);
    void Band2DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                       QStyle::State State);
    void Band3DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                       QStyle::State State);
    void Band4DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                       QStyle::State State);
    void Band5DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                       QStyle::State State);
    void Band6DrawItem(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                       QStyle::State State);

    void ColorFirst4Bands(OwnerDrawComboBox *Control, int Index, const QRect &Rect,
                          QStyle::State State);
    void Color5Band(OwnerDrawComboBox *Control, int Index, const QRect &Rect, QStyle::State State);
    void Color6Band(OwnerDrawComboBox *Control, int Index, const QRect &Rect, QStyle::State State);
    void ComboColor(OwnerDrawComboBox *C, int I, const QRect &R, bandix::TColor BColor,
                    bandix::TColor FColor);

    // The refresh rule: the result line for the lists as they stand, or cleared; its tooltip
    // names the value's E-series.
    void RefreshResult();

    // Sets the band count and the lists to show the value on the clipboard, through their
    // handlers as a user's own picks; throws, changing nothing, when the text gives no value.
    void PasteValue();

    // The full path of the settings file. Throws std::runtime_error("Unable to write to ...")
    // where ProgDir does not name the executable's folder.
    QString IniFilePath() const;

protected:
    // Copy and "Paste value", wherever in the window a right click or the menu key asks for a menu.
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    using Change = void (TForm1::*)();
    using DrawItem = void (TForm1::*)(OwnerDrawComboBox *, int, const QRect &, QStyle::State);
    struct BandHandlers
    {
        OwnerDrawComboBox *Band;
        Change OnChange;
        DrawItem OnDrawItem;
    };
    // Band1 … Band6 with their handlers, in list order.
    std::array<BandHandlers, 6> Bands() const;

    void CreateControls();
    void ConnectHandlers();
    bandix::BandSelection CurrentBands() const;
    void Paint(OwnerDrawComboBox *C, int I, const QRect &R,
               const std::optional<bandix::ItemColors> &colors);
    template <typename Signal, typename Sender>
    void OnEvent(Sender *sender, Signal signal, void (TForm1::*handler)());

    std::filesystem::path m_executable;
    bool m_progDirNamed = false;
};
