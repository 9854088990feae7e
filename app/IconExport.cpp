// Build-time helper: writes the program's window picture as the desktop's
// icon files, a PNG of one square size for the icon theme or a Windows .ico
// that holds several sizes for the executable's resource.
//   quillon-icon INPUT OUTPUT.png SIZE
//   quillon-icon INPUT OUTPUT.ico SIZE...

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QList>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <cstdio>

namespace {

// Nearest neighbour: the picture is pixel art, whole multiples stay sharp.
QImage scaledIcon(const QImage &picture, int size)
{
    return picture.convertToFormat(QImage::Format_ARGB32)
        .scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void appendLittleEndian16(QByteArray &out, quint16 value)
{
    const quint16 little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&little), 2);
}

void appendLittleEndian32(QByteArray &out, quint32 value)
{
    const quint32 little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&little), 4);
}

// An .ico is a directory of images; each entry here holds a PNG, which
// Windows reads since Vista and resource compilers take as they are.
QByteArray icoBytes(const QImage &picture, const QList<int> &sizes)
{
    constexpr int headerSize = 6;
    constexpr int entrySize = 16;
    QByteArray directory;
    QByteArray images;
    appendLittleEndian16(directory, 0); // reserved
    appendLittleEndian16(directory, 1); // an icon, not a cursor
    appendLittleEndian16(directory, quint16(sizes.size()));
    quint32 offset = headerSize + entrySize * quint32(sizes.size());
    for (const int size : sizes) {
        const QByteArray png = pngBytes(scaledIcon(picture, size));
        // A width or height of 256 is written as 0.
        directory.append(char(size & 0xff));
        directory.append(char(size & 0xff));
        directory.append(char(0)); // no palette
        directory.append(char(0)); // reserved
        appendLittleEndian16(directory, 1); // colour planes
        appendLittleEndian16(directory, 32); // bits per pixel
        appendLittleEndian32(directory, quint32(png.size()));
        appendLittleEndian32(directory, offset);
        offset += quint32(png.size());
        images += png;
    }
    return directory + images;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fputs("usage: quillon-icon INPUT OUTPUT.png SIZE | INPUT OUTPUT.ico SIZE...\n", stderr);
        return 2;
    }
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    const QString output = QString::fromLocal8Bit(argv[2]);
    const bool ico = output.endsWith(QLatin1String(".ico"));
    QList<int> sizes;
    for (int i = 3; i < argc; ++i)
        sizes.append(QByteArray(argv[i]).toInt());
    const bool sizesFit = std::all_of(sizes.cbegin(), sizes.cend(), [](int size) { return size > 0 && size <= 256; });
    if (picture.isNull() || !sizesFit || (!ico && sizes.size() != 1)) {
        std::fprintf(stderr, "quillon-icon: cannot read %s, or bad sizes\n", argv[1]);
        return 1;
    }
    const QByteArray bytes = ico ? icoBytes(picture, sizes) : pngBytes(scaledIcon(picture, sizes.first()));
    if (bytes.isEmpty() || !writeFile(output, bytes)) {
        std::fprintf(stderr, "quillon-icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
