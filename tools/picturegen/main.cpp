// picturegen OUTDIR
//
// Draws the program's fixed pictures and writes them into OUTDIR:
// faucet.bmp, scale-vertical.bmp, scale-horizontal.bmp, icon.bmp and
// icon-256.png.  The output depends on nothing but this source, so running it
// again gives the same bytes.

#include "bmpfile.h"
#include "faucet.h"
#include "icon.h"
#include "numerals.h"

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

using namespace picturegen;

namespace {

bool writeScale(const std::string& path, const ScaleLayout& layout)
{
    const Image24 image = renderScale(layout);
    std::string problem;
    if (!inkMatchesLayout(image, layout, problem)) {
        std::fprintf(stderr, "picturegen: %s: %s\n", path.c_str(), problem.c_str());
        return false;
    }
    return writeFile(path, encodeBmp24(image));
}

bool writePng(const std::string& path, const Image24& image)
{
    QImage png(image.width, image.height, QImage::Format_RGB888);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.pixels[static_cast<std::size_t>(y * image.width + x)];
            png.setPixel(x, y, qRgb(c.r, c.g, c.b));
        }
    }
    if (!png.save(QString::fromStdString(path), "PNG")) {
        std::fprintf(stderr, "picturegen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: picturegen OUTDIR\n");
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "picturegen: cannot create %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    const auto in = [&dir](const char* name) { return (dir / name).string(); };

    bool ok = writeFile(in("faucet.bmp"), encodeBmp555(renderFaucet()));
    ok = writeScale(in("scale-vertical.bmp"), verticalScaleLayout()) && ok;
    ok = writeScale(in("scale-horizontal.bmp"), horizontalScaleLayout()) && ok;
    ok = writeFile(in("icon.bmp"), encodeBmp4(renderIcon())) && ok;
    ok = writePng(in("icon-256.png"), renderIconLarge(256)) && ok;
    return ok ? 0 : 1;
}
