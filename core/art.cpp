#include "art.h"

#include "artfaucet.h"
#include "artgeometry.h"
#include "artnumerals.h"

namespace core {

PictureSize artSize(Art art)
{
    switch (art) {
    case Art::Faucet:
        return {art::kFaucetWidth, art::kFaucetHeight};
    case Art::VerticalScale: {
        const art::ScaleLayout layout = art::verticalScaleLayout();
        return {layout.width, layout.height};
    }
    case Art::HorizontalScale: {
        const art::ScaleLayout layout = art::horizontalScaleLayout();
        return {layout.width, layout.height};
    }
    case Art::None:
        break;
    }
    return {};
}

Picture drawArt(Art art, int width, int height)
{
    if (!art::isDrawableSize(width, height)) {
        return {};
    }
    switch (art) {
    case Art::Faucet:
        return art::drawFaucet(width, height);
    case Art::VerticalScale:
        return art::drawScale(art::verticalScaleLayout(), width, height);
    case Art::HorizontalScale:
        return art::drawScale(art::horizontalScaleLayout(), width, height);
    case Art::None:
        break;
    }
    return {};
}

} // namespace core
