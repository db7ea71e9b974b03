// Draws the resistor picture and the program icon and writes them into the resources folder.
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <span>
#include <stdexcept>
#include <string>

namespace {

// The light window colour, so the picture sits seamlessly on the main window.
const QColor Background(0xF3, 0xF3, 0xF3);
const QColor BodyColour(0xEC, 0xDD, 0xB4);
const QColor OutlineColour(0x3A, 0x34, 0x2C);

const QColor Red(0xC8, 0x1E, 0x24);
const QColor Violet(0x5A, 0x2A, 0x86);
const QColor Yellow(0xF2, 0xC2, 0x0C);
const QColor Black(0x1C, 0x1C, 0x1C);
const QColor Gold(0xA8, 0x78, 0x1C);

struct Band
{
    QColor Colour;
    double Top;
    double Height;
};

// 274 ohm, 2 %, 250 ppm/K: three digits and the multiplier, then tolerance and coefficient.
const std::array PictureBands = {
    Band{Red, 82, 16},    Band{Violet, 106, 16}, Band{Yellow, 130, 16},
    Band{Black, 154, 16}, Band{Red, 204, 16},    Band{Black, 228, 16},
};

struct BodyShape
{
    double CentreX;
    double Top;
    double Bottom;
    double CapWidth;
    double WaistWidth;
    double CapLength;
};

const BodyShape PictureBody{48, 18, 311, 64, 48, 50};
constexpr QSize PictureSize(96, 329);
constexpr double PictureLeadWidth = 5;

// Icon geometry in a 256 unit square, the resistor lying along the rising diagonal.
const BodyShape IconBody{0, -100, 100, 108, 84, 46};
const std::array IconBands = {
    Band{Red, -68, 22},
    Band{Violet, -32, 22},
    Band{Yellow, 4, 22},
    Band{Gold, 48, 22},
};
constexpr std::array IconSizes = {16, 32, 48, 256};
// Windows shows only the 256 pixel entry as PNG everywhere; the small ones stay bitmaps
// so older readers of the icon handle them too.
constexpr int LargestBitmapIconSize = 48;

// The dog-bone outline: rounded end caps, a narrower waist and smooth shoulders between them.
QPainterPath BodyPath(const BodyShape &b)
{
    const double capHalf = b.CapWidth / 2;
    const double waistHalf = b.WaistWidth / 2;
    const double endRound = capHalf * 0.7;
    const double shoulder = (b.CapWidth - b.WaistWidth) * 1.4;
    const double upperShoulder = b.Top + b.CapLength;
    const double lowerShoulder = b.Bottom - b.CapLength;
    const double right = b.CentreX + capHalf;
    const double waistRight = b.CentreX + waistHalf;

    QPainterPath half;
    half.moveTo(b.CentreX, b.Top);
    half.cubicTo(b.CentreX + capHalf * 0.6, b.Top, right, b.Top + endRound * 0.3, right,
                 b.Top + endRound);
    half.lineTo(right, upperShoulder - shoulder / 2);
    half.cubicTo(right, upperShoulder, waistRight, upperShoulder - shoulder / 4, waistRight,
                 upperShoulder + shoulder / 2);
    half.lineTo(waistRight, lowerShoulder - shoulder / 2);
    half.cubicTo(waistRight, lowerShoulder + shoulder / 4, right, lowerShoulder, right,
                 lowerShoulder + shoulder / 2);
    half.lineTo(right, b.Bottom - endRound);
    half.cubicTo(right, b.Bottom - endRound * 0.3, b.CentreX + capHalf * 0.6, b.Bottom, b.CentreX,
                 b.Bottom);

    QTransform mirror;
    mirror.translate(b.CentreX, 0);
    mirror.scale(-1, 1);
    mirror.translate(-b.CentreX, 0);
    QPainterPath body = half;
    body.connectPath(mirror.map(half).toReversed());
    body.closeSubpath();
    return body;
}

// Light from the upper left: a highlight left of centre, darker towards both edges.
QLinearGradient CylinderShading(double left, double right)
{
    QLinearGradient shading(left, 0, right, 0);
    shading.setColorAt(0.0, QColor(0, 0, 0, 70));
    shading.setColorAt(0.18, QColor(0, 0, 0, 0));
    shading.setColorAt(0.34, QColor(255, 255, 255, 110));
    shading.setColorAt(0.5, QColor(255, 255, 255, 0));
    shading.setColorAt(0.82, QColor(0, 0, 0, 35));
    shading.setColorAt(1.0, QColor(0, 0, 0, 105));
    return shading;
}

void DrawLead(QPainter &painter, double centreX, double top, double bottom, double width)
{
    const double left = centreX - width / 2;
    QLinearGradient metal(left, 0, left + width, 0);
    metal.setColorAt(0.0, QColor(0x7A, 0x7A, 0x7A));
    metal.setColorAt(0.4, QColor(0xD2, 0xD2, 0xD2));
    metal.setColorAt(1.0, QColor(0x80, 0x80, 0x80));
    painter.setPen(Qt::NoPen);
    painter.setBrush(metal);
    painter.drawRect(QRectF(left, top, width, bottom - top));
}

void DrawBody(QPainter &painter, const BodyShape &shape, std::span<const Band> bands,
              double outlineWidth)
{
    const QPainterPath body = BodyPath(shape);
    const double left = shape.CentreX - shape.CapWidth / 2;
    const double right = shape.CentreX + shape.CapWidth / 2;

    painter.save();
    painter.setClipPath(body);
    painter.fillPath(body, BodyColour);
    for (const Band &band : bands)
        painter.fillRect(QRectF(left, band.Top, shape.CapWidth, band.Height), band.Colour);
    painter.fillPath(body, CylinderShading(left, right));
    painter.restore();

    painter.setPen(QPen(OutlineColour, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(body);
}

// The same drawing at scale times the pixels, for screens of that display scaling.
QImage DrawPicture(int scale)
{
    QImage image(PictureSize * scale, QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (scale != 1)
        painter.scale(scale, scale);
    DrawLead(painter, PictureBody.CentreX, 0, PictureSize.height(), PictureLeadWidth);
    DrawBody(painter, PictureBody, PictureBands, 1.6);
    return image;
}

QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = size / 256.0;
    painter.scale(scale, scale);
    painter.translate(128, 128);
    painter.rotate(45);

    // Below 64 pixels the strokes keep a pixel or more so the glyph stays legible.
    const double pixel = 1 / scale;
    const double leadWidth = std::max(12.0, 2 * pixel);
    const double outlineWidth = std::max(6.0, 1.2 * pixel);
    DrawLead(painter, 0, -150, 150, leadWidth);
    DrawBody(painter, IconBody, IconBands, outlineWidth);
    return image;
}

void Save(const QImage &image, const QString &path, const char *format, int quality = -1)
{
    if (!image.save(path, format, quality))
        throw std::runtime_error("Cannot write " + path.toStdString());
}

void AppendLittleEndian(QByteArray &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

QByteArray PngEntry(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw std::runtime_error("Cannot encode the icon as PNG");
    return png;
}

// A 32-bit bottom-up bitmap with straight alpha, followed by the transparency mask that
// readers without alpha support fall back on.
QByteArray BitmapEntry(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const int maskStride = ((width + 31) / 32) * 4;

    QByteArray entry;
    AppendLittleEndian(entry, 40, 4);
    AppendLittleEndian(entry, static_cast<std::uint32_t>(width), 4);
    AppendLittleEndian(entry, static_cast<std::uint32_t>(2 * height), 4);
    AppendLittleEndian(entry, 1, 2);
    AppendLittleEndian(entry, 32, 2);
    AppendLittleEndian(entry, 0, 4);
    AppendLittleEndian(entry, static_cast<std::uint32_t>((width * 4 + maskStride) * height), 4);
    AppendLittleEndian(entry, 0, 16);

    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            AppendLittleEndian(entry, line[x], 4);
    }
    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        entry.append(row);
    }
    return entry;
}

QByteArray IcoFile()
{
    std::array<QByteArray, IconSizes.size()> entries;
    for (std::size_t i = 0; i < IconSizes.size(); ++i) {
        const QImage icon = DrawIcon(IconSizes[i]);
        entries[i] = IconSizes[i] <= LargestBitmapIconSize ? BitmapEntry(icon) : PngEntry(icon);
    }

    constexpr int headerSize = 6;
    constexpr int directoryEntrySize = 16;
    QByteArray ico;
    AppendLittleEndian(ico, 0, 2);
    AppendLittleEndian(ico, 1, 2);
    AppendLittleEndian(ico, static_cast<std::uint32_t>(entries.size()), 2);
    std::uint32_t offset = headerSize + directoryEntrySize * entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // A size of 256 does not fit the byte and is written as 0.
        const auto side = static_cast<std::uint32_t>(IconSizes[i] % 256);
        AppendLittleEndian(ico, side, 1);
        AppendLittleEndian(ico, side, 1);
        AppendLittleEndian(ico, 0, 2);
        AppendLittleEndian(ico, 1, 2);
        AppendLittleEndian(ico, 32, 2);
        AppendLittleEndian(ico, static_cast<std::uint32_t>(entries[i].size()), 4);
        AppendLittleEndian(ico, offset, 4);
        offset += static_cast<std::uint32_t>(entries[i].size());
    }
    for (const QByteArray &entry : entries)
        ico.append(entry);
    return ico;
}

void WriteFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        throw std::runtime_error("Cannot write " + path.toStdString());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "Usage: MakeResources <resources folder>\n");
        return 2;
    }
    try {
        const QDir folder(arguments[1]);
        if (!folder.exists())
            throw std::runtime_error("No such folder: " + arguments[1].toStdString());
        constexpr int JpegQuality = 92;
        // Qt picks the "@2x" files by name on screens scaled to 150 % and more.
        Save(DrawPicture(1), folder.filePath("resistor.jpg"), "JPG", JpegQuality);
        Save(DrawPicture(2), folder.filePath("resistor@2x.jpg"), "JPG", JpegQuality);
        Save(DrawIcon(256), folder.filePath("Bandix.png"), "PNG");
        // The window's own icon: decoding the 256 pixel one costs more at start-up than the rest
        // of the window's pictures together.
        Save(DrawIcon(48), folder.filePath("Bandix-48.png"), "PNG");
        Save(DrawIcon(96), folder.filePath("Bandix-48@2x.png"), "PNG");
        WriteFile(folder.filePath("Bandix.ico"), IcoFile());
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
