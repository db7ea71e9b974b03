// A one-line label that sizes itself to its text and expands TAB to stops every eight
// average character widths.
#include "AutoSizeLabel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>

#include <cmath>

namespace {

// Wide enough for any line a label holds; the layout reports the width the text really needs.
constexpr qreal UnboundedWidth = 1.0e6;

} // namespace

AutoSizeLabel::AutoSizeLabel(QWidget *parent) : QLabel(parent), m_copy(new QAction(this))
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    // The label never takes focus, so Ctrl+C reaches it through its window.
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WindowShortcut);
    m_copy->setEnabled(false);
    addAction(m_copy);
    connect(m_copy, &QAction::triggered, this, &AutoSizeLabel::copySelection);
}

void AutoSizeLabel::copySelection()
{
    if (hasSelectedText()) {
        QApplication::clipboard()->setText(selectedText());
    }
}

void AutoSizeLabel::setCaption(const QString &text)
{
    setText(text);
    applyTabStops();
    resize(sizeHint());
    if (buddy())
        buddy()->setAccessibleName(text);
}

void AutoSizeLabel::setCaptionOf(QWidget *control)
{
    setBuddy(control);
    control->setAccessibleName(text());
}

void AutoSizeLabel::setSelectable(bool selectable)
{
    // QLabel selects through a text document and its layout, which cost more than the rest of
    // the label; they are made on the first mouse press, where any selection starts, and until
    // then the label paints itself the same way.
    m_selectable = selectable;
    if (!selectable) {
        setTextInteractionFlags(Qt::NoTextInteraction);
    }
    setFocusPolicy(Qt::NoFocus);
    m_copy->setEnabled(selectable);
    update();
}

qreal AutoSizeLabel::tabStopDistance() const
{
    return QFontMetricsF(font(), this).averageCharWidth() * 8;
}

QList<qreal> AutoSizeLabel::TabPositions(const QList<qreal> &pieceWidths, qreal distance,
                                         qreal minimumGap)
{
    QList<qreal> positions;
    positions.reserve(pieceWidths.size());
    qreal x = 0;
    for (const qreal width : pieceWidths) {
        const qreal end = x + width;
        // The first stop strictly right of the text, as the platform's TAB rule has it.
        qreal stop = (std::floor(end / distance) + 1) * distance;
        if (stop - end < minimumGap)
            stop += distance;
        positions.append(stop);
        x = stop;
    }
    return positions;
}

QList<qreal> AutoSizeLabel::tabPositions(const QString &text) const
{
    const QFontMetricsF metrics(font(), this);
    QList<qreal> widths;
    for (qsizetype start = 0, tab = text.indexOf(u'\t'); tab >= 0;
         start = tab + 1, tab = text.indexOf(u'\t', start))
        widths.append(metrics.horizontalAdvance(text.mid(start, tab - start)));
    return TabPositions(widths, tabStopDistance(), metrics.horizontalAdvance(u' '));
}

QSize AutoSizeLabel::sizeHint() const
{
    QTextLayout layout(text(), font(), this);
    layOutLine(layout, UnboundedWidth);
    const QTextLine line = layout.lineAt(0);
    const QMargins frame = contentsMargins();
    const int extra = 2 * margin();
    return {static_cast<int>(std::ceil(line.naturalTextWidth())) + frame.left() + frame.right() +
                extra,
            static_cast<int>(std::ceil(line.height())) + frame.top() + frame.bottom() + extra};
}

QSize AutoSizeLabel::minimumSizeHint() const
{
    return sizeHint();
}

void AutoSizeLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applyTabStops();
        resize(sizeHint());
    }
}

void AutoSizeLabel::mousePressEvent(QMouseEvent *event)
{
    if (m_selectable && !isSelectable()) {
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Selecting by mouse makes QLabel accept click focus; a read-only line must stay out of
        // the focus chain.
        setFocusPolicy(Qt::NoFocus);
        applyTabStops();
    }
    QLabel::mousePressEvent(event);
}

void AutoSizeLabel::paintEvent(QPaintEvent *event)
{
    // A selectable label draws through its text document, whose TAB stops applyTabStops() set.
    if (isSelectable()) {
        QLabel::paintEvent(event);
        return;
    }
    // QLabel's own plain-text drawing puts TAB stops at eight widths of 'x', not of the average
    // character, and would disagree with sizeHint().
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    QTextLayout layout(text(), font(), this);
    layOutLine(layout, area.width());
    const QTextLine line = layout.lineAt(0);
    qreal top = area.top();
    if (alignment() & Qt::AlignVCenter) {
        top += (area.height() - line.height()) / 2;
    } else if (alignment() & Qt::AlignBottom) {
        top += area.height() - line.height();
    }
    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, QPointF(area.left(), top));
}

void AutoSizeLabel::applyTabStops()
{
    // QLabel keeps the document across text changes but resets nothing but alignment and wrap,
    // so the stops only need renewing when the document appears, the font changes or the text
    // moves them.
    auto *document = findChild<QTextDocument *>();
    if (document == nullptr) {
        return;
    }
    QTextOption option = document->defaultTextOption();
    option.setTabStopDistance(tabStopDistance());
    document->setDefaultTextOption(option);
    // The document lays a block out with the block's own stops, ignoring the default option's.
    // QLabel fills the document anew when it first measures a new text, which would drop them.
    QLabel::sizeHint();
    QList<QTextOption::Tab> stops;
    for (const qreal position : tabPositions(text()))
        stops.append(QTextOption::Tab(position, QTextOption::LeftTab));
    QTextBlockFormat format;
    format.setTabPositions(stops);
    QTextCursor cursor(document);
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
}

bool AutoSizeLabel::isSelectable() const
{
    return (textInteractionFlags() & Qt::TextSelectableByMouse) != 0;
}

void AutoSizeLabel::layOutLine(QTextLayout &layout, qreal width) const
{
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(tabStopDistance());
    option.setTabArray(tabPositions(layout.text()));
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(width);
    }
    layout.endLayout();
}
