#pragma once

#include <QString>

// The application's title, from the executable's path: the file name cut at its first dot, the
// first character kept as it is and the rest lowered. "C:\\bin\\ABC.DEF.EXE" gives "Abc".
// It is the caption of the program's message boxes; the main window keeps its own caption.
QString applicationTitle(const QString& executablePath);
