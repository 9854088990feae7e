// Build-time helper: writes the program's window picture as a PNG of the
// given square size, for the desktop's icon theme.
//   quillon-icon-png INPUT OUTPUT SIZE

#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fputs("usage: quillon-icon-png INPUT OUTPUT SIZE\n", stderr);
        return 2;
    }
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    const int size = QByteArray(argv[3]).toInt();
    if (picture.isNull() || size <= 0) {
        std::fprintf(stderr, "quillon-icon-png: cannot read %s or bad size %s\n", argv[1], argv[3]);
        return 1;
    }
    // Nearest neighbour: the picture is pixel art, whole multiples stay sharp.
    const QImage icon = picture.convertToFormat(QImage::Format_ARGB32)
                            .scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "quillon-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
