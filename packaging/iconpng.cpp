// iconpng INPUT OUTPUT SIZE
//
// Writes the picture INPUT (any format Qt reads without plugins, e.g. the
// 32 by 32 BMP icon) as the PNG OUTPUT, for the icon theme folders that
// launchers read. It refuses a picture that is not SIZE by SIZE pixels, so a
// redrawn icon of the wrong size stops the build instead of landing in
// hicolor/SIZExSIZE.
//
//   iconpng assets/icon.bmp icons/32/ichijikansu.png 32   -> 32x32 PNG, exit 0
//   iconpng assets/icon.bmp out.png 48                    -> message, exit 1

#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: iconpng INPUT OUTPUT SIZE\n");
        return 2;
    }
    const int size = std::atoi(argv[3]);
    if (size <= 0) {
        std::fprintf(stderr, "iconpng: bad size '%s'\n", argv[3]);
        return 2;
    }

    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "iconpng: cannot read %s\n", argv[1]);
        return 1;
    }
    if (image.width() != size || image.height() != size) {
        std::fprintf(stderr, "iconpng: %s is %dx%d, expected %dx%d\n", argv[1], image.width(), image.height(), size,
                     size);
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "iconpng: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
