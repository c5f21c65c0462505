#include "fonts.h"

#include "faces.h"

#include <QFontDatabase>
#include <QStringList>

#include <array>

namespace ui {

namespace {

QString installedFamily(const core::FaceFamilies& names, const QStringList& installed)
{
    for (const char* candidate : names.families) {
        if (candidate != nullptr && installed.contains(QString::fromUtf8(candidate), Qt::CaseInsensitive))
            return QString::fromUtf8(candidate);
    }
    // None is installed: Qt picks what it can.
    return QString::fromUtf8(names.families.front());
}

} // namespace

QString familyFor(Face face)
{
    // Decided once, from the list of installed families. Asking for a family that is not installed
    // sends Qt through fontconfig's substitution rules and a sorted list of every font on the
    // system, for each size and weight, which cost the first frame some 3 ms.
    static const std::array<QString, std::size(core::kFaceFamilies)> families = [] {
        const QStringList installed = QFontDatabase::families();
        std::array<QString, std::size(core::kFaceFamilies)> found;
        for (std::size_t i = 0; i < found.size(); ++i)
            found[i] = installedFamily(core::kFaceFamilies[i], installed);
        return found;
    }();
    for (std::size_t i = 0; i < families.size(); ++i) {
        if (core::kFaceFamilies[i].face == face)
            return families[i];
    }
    return {};
}

QFont fontFor(const FontSpec& wanted, const core::Scale& scale)
{
    QFont font(familyFor(wanted.face));
    // A pixel size is the character height without internal leading, as the layout measures it.
    font.setPixelSize(scale.length(wanted.pixelHeight));
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    font.setStyleHint(wanted.face == Face::Gothic ? QFont::SansSerif : QFont::Serif);
    // Latin and Japanese text need no shaping to be legible, and without it Qt skips HarfBuzz for
    // them: about 1 ms sooner to the first frame. The window's texts come out pixel for pixel as
    // before (the pixel tests and the README picture hold).
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace ui
