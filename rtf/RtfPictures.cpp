// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/RtfPictures.h"

#include "platform/Twips.h"
#include "rtf/RtfFormat.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QTextDocument>
#include <QUrl>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace quillery::rtf {

namespace {

const QString Scheme = QStringLiteral("quillery-pict:");
constexpr double MaxSideTwips = 44640; // 31 inches
constexpr qint64 MaxPixels = 40'000'000;

bool isMetafile(const QByteArray &kind)
{
    return kind.startsWith("wmetafile") || kind == "emfblip" || kind == "pmmetafile" ||
           kind == "macpict";
}

// A device-independent bitmap is a BMP file without its 14-byte file header.
QByteArray dibFile(const QByteArray &dib)
{
    if (dib.size() < 16)
        return {};
    const auto *bytes = reinterpret_cast<const uchar *>(dib.constData());
    const quint32 headerSize = qFromLittleEndian<quint32>(bytes);
    if (headerSize < 12 || headerSize > quint32(dib.size()))
        return {};
    quint32 paletteBytes = 0;
    if (headerSize >= 40) {
        const quint16 bitCount = qFromLittleEndian<quint16>(bytes + 14);
        const quint32 used = qFromLittleEndian<quint32>(bytes + 32);
        if (bitCount <= 8)
            paletteBytes = 4 * (used ? std::min<quint32>(used, 256) : (1u << bitCount));
    }
    QByteArray file("BM");
    uchar field[4];
    qToLittleEndian<quint32>(quint32(14 + dib.size()), field);
    file.append(reinterpret_cast<const char *>(field), 4);
    file.append(4, '\0');
    qToLittleEndian<quint32>(14 + headerSize + paletteBytes, field);
    file.append(reinterpret_cast<const char *>(field), 4);
    file.append(dib);
    return file;
}

QImage decode(const Picture &picture, qint64 &pixelBudget)
{
    QByteArray file;
    if (picture.kind == "pngblip" || picture.kind == "jpegblip")
        file = picture.data;
    else if (picture.kind.startsWith("dibitmap"))
        file = dibFile(picture.data);
    if (file.isEmpty())
        return {};
    QBuffer buffer(&file);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    const qint64 pixels = qint64(size.width()) * size.height();
    if (size.isEmpty() || pixels > MaxPixels || pixels > pixelBudget)
        return {};
    QImage image = reader.read();
    if (!image.isNull())
        pixelBudget -= pixels;
    return image;
}

// Stands in for pictures of kinds that cannot be shown here (metafiles and the like).
QImage placeholder()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, 31, 31);
    painter.drawLine(0, 0, 31, 31);
    painter.drawLine(0, 31, 31, 0);
    return image;
}

double naturalTwips(const QByteArray &kind, int picSize, int imageSize)
{
    if (picSize > 0)
        return isMetafile(kind) ? picSize * 1440.0 / 2540.0 : picSize * 15.0;
    if (imageSize > 0)
        return imageSize * 15.0;
    return 1440;
}

double sideTwips(const Picture &p, bool horizontal, const QImage &image)
{
    const int goal = horizontal ? p.goalWidth : p.goalHeight;
    double twips = goal > 0 ? goal
                            : naturalTwips(p.kind, horizontal ? p.width : p.height,
                                           horizontal ? image.width() : image.height());
    const int scale = horizontal ? p.scaleX : p.scaleY;
    if (scale > 0)
        twips = twips * scale / 100.0;
    return std::clamp(twips, 15.0, MaxSideTwips);
}

QImage resourceImage(const QTextDocument &doc, const QString &name)
{
    const QVariant resource = doc.resource(QTextDocument::ImageResource, QUrl(name));
    if (resource.canConvert<QImage>())
        return qvariant_cast<QImage>(resource);
    if (resource.canConvert<QPixmap>())
        return qvariant_cast<QPixmap>(resource).toImage();
    if (resource.typeId() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray());
    return {};
}

} // namespace

QTextImageFormat pictureFormat(const Picture &picture, QTextDocument *doc, double dpi,
                               qint64 &pixelBudget)
{
    QString name =
        Scheme + QString::fromLatin1(
                     QCryptographicHash::hash(picture.data, QCryptographicHash::Md5).toHex());
    // The same picture twice (a logo on every page) is decoded and held once.
    QImage image = qvariant_cast<QImage>(doc->resource(QTextDocument::ImageResource, QUrl(name)));
    if (image.isNull()) {
        image = decode(picture, pixelBudget);
        if (image.isNull()) {
            image = placeholder();
            name = Scheme + QLatin1String("placeholder");
        }
        doc->addResource(QTextDocument::ImageResource, QUrl(name), image);
    }

    QTextImageFormat format;
    format.setName(name);
    format.setWidth(twipsToPixels(sideTwips(picture, true, image), dpi));
    format.setHeight(twipsToPixels(sideTwips(picture, false, image), dpi));
    format.setProperty(PictKind, picture.kind);
    format.setProperty(PictData, picture.data);
    format.setProperty(PictWidth, picture.width);
    format.setProperty(PictHeight, picture.height);
    return format;
}

Picture pictureForWriting(const QTextImageFormat &format, const QTextDocument &doc, double dpi)
{
    Picture picture;
    const QByteArray kind = format.property(PictKind).toByteArray();
    const QByteArray data = format.property(PictData).toByteArray();
    QImage image;
    if (!kind.isEmpty() && !data.isEmpty()) {
        picture.kind = kind;
        picture.data = data;
        picture.width = format.intProperty(PictWidth);
        picture.height = format.intProperty(PictHeight);
    } else {
        image = resourceImage(doc, format.name());
        if (image.isNull())
            return {};
        QBuffer buffer(&picture.data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        picture.kind = "pngblip";
        picture.width = image.width();
        picture.height = image.height();
    }
    const auto goal = [&](double pixels, int natural) {
        return int(std::lround(pixels > 0 ? pixelsToTwips(pixels, dpi) : natural * 15.0));
    };
    picture.goalWidth = goal(format.width(), image.isNull() ? picture.width : image.width());
    picture.goalHeight = goal(format.height(), image.isNull() ? picture.height : image.height());
    return picture;
}

} // namespace quillery::rtf
