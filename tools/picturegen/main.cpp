// picturegen OUTDIR
//
// Draws the program's fixed pictures and writes them into OUTDIR:
// faucet.bmp, scale-vertical.bmp, scale-horizontal.bmp, icon.bmp and
// icon-256.png.  The faucet and the scales are the core's own drawings at
// their design size, so the program drawing them at any size and these files
// come from one description.  The output depends on nothing but the source,
// so running it again gives the same bytes.

#include "art.h"
#include "artnumerals.h"
#include "bmpfile.h"
#include "icon.h"

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

using namespace picturegen;

namespace {

// The core draws a 5-bit channel v as 8 * v, so the division is exact.
Image555 image555(const core::Picture& picture)
{
    Image555 image{picture.width, picture.height, {}};
    for (const sim::Colour c : picture.pixels) {
        image.pixels.push_back(static_cast<std::uint16_t>((c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3)));
    }
    return image;
}

Image24 image24(const core::Picture& picture)
{
    Image24 image{picture.width, picture.height, {}};
    for (const sim::Colour c : picture.pixels) {
        image.pixels.push_back({c.r, c.g, c.b});
    }
    return image;
}

bool writeScale(const std::string& path, core::Art art, const core::art::ScaleLayout& layout)
{
    const core::Picture picture = core::drawArt(art, layout.width, layout.height);
    std::string problem;
    if (!core::art::inkMatchesLayout(picture, layout, problem)) {
        std::fprintf(stderr, "picturegen: %s: %s\n", path.c_str(), problem.c_str());
        return false;
    }
    return writeFile(path, encodeBmp24(image24(picture)));
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

    const core::PictureSize faucet = core::artSize(core::Art::Faucet);
    bool ok = writeFile(in("faucet.bmp"),
                        encodeBmp555(image555(core::drawArt(core::Art::Faucet, faucet.width, faucet.height))));
    ok = writeScale(in("scale-vertical.bmp"), core::Art::VerticalScale, core::art::verticalScaleLayout()) && ok;
    ok = writeScale(in("scale-horizontal.bmp"), core::Art::HorizontalScale, core::art::horizontalScaleLayout()) && ok;
    ok = writeFile(in("icon.bmp"), encodeBmp4(renderIcon())) && ok;
    ok = writePng(in("icon-256.png"), renderIconLarge(256)) && ok;
    return ok ? 0 : 1;
}
