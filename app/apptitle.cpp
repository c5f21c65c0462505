#include "apptitle.h"

QString applicationTitle(const QString& executablePath)
{
    // Either separator: a path may come from Windows as well.
    const qsizetype slash =
        std::max(executablePath.lastIndexOf(QLatin1Char('/')), executablePath.lastIndexOf(QLatin1Char('\\')));
    QString name = executablePath.mid(slash + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    // The first character may be a surrogate pair; keep it whole.
    const qsizetype firstLength = name.front().isHighSurrogate() && name.size() > 1 ? 2 : 1;
    return name.left(firstLength) + name.mid(firstLength).toLower();
}
