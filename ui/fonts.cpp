#include "fonts.h"

#include <QStringList>

namespace ui {

void installFaceSubstitutes()
{
    const QStringList gothic{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
    QFont::insertSubstitutions(QString::fromUtf8(core::kGothicFaceName), gothic);
    // The same face is also known by its ASCII name.
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), gothic);
    QFont::insertSubstitutions(QString::fromUtf8(core::kSerifFaceName),
                               QStringList{QStringLiteral("Liberation Serif")});
}

QFont fontFor(const FontSpec& wanted)
{
    QFont font(QString::fromUtf8(wanted.face == Face::Gothic ? core::kGothicFaceName : core::kSerifFaceName));
    // A pixel size is the character height without internal leading, as the layout measures it.
    font.setPixelSize(wanted.pixelHeight);
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    font.setStyleHint(wanted.face == Face::Gothic ? QFont::SansSerif : QFont::Serif);
    return font;
}

} // namespace ui
