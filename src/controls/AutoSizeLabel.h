// A one-line label that sizes itself to its text and expands TAB to stops every eight
// average character widths.
#pragma once

#include <QLabel>
#include <QList>

class QAction;
class QTextLayout;

class AutoSizeLabel : public QLabel
{
    Q_OBJECT

public:
    explicit AutoSizeLabel(QWidget *parent = nullptr);

    // Sets the text and resizes to it, keeping the top-left corner.
    void setCaption(const QString &text);
    QString caption() const { return text(); }

    // Makes the label the caption of a control: the control takes the label's text as its
    // accessible name, now and on every later setCaption, so screen readers name it by it.
    void setCaptionOf(QWidget *control);

    // Lets the mouse select the text for copying, without making the label a tab stop.
    void setSelectable(bool selectable);

    // Puts the selected text on the clipboard, as Ctrl+C does; nothing without a selection.
    void copySelection();

    // Distance between TAB stops in pixels for the current font.
    qreal tabStopDistance() const;

    // Where each TAB of a line sends the text after it, from the widths of the pieces of text
    // before each TAB: the next stop of the given distance, or the one after it when the next is
    // less than minimumGap away, so a TAB never lets two pieces touch.
    static QList<qreal> TabPositions(const QList<qreal> &pieceWidths, qreal distance,
                                     qreal minimumGap);

    // TabPositions for a text in this label's font, with a space's width as the least gap.
    QList<qreal> tabPositions(const QString &text) const;

    // The text on one line with this label's TAB stops, plus margins.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyTabStops();
    // Whether QLabel's selection machinery is in place (from the first press on).
    bool isSelectable() const;
    // Lays the text out on one line of the given width with this label's TAB stops.
    void layOutLine(QTextLayout &layout, qreal width) const;

    QAction *m_copy;
    bool m_selectable = false;
};
