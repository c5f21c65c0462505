#pragma once

#include <QApplication>

#include <memory>

namespace storm {

// The application object set up as the program sets it up (fonts, style, title), on the
// offscreen platform unless QT_QPA_PLATFORM names another. Ends the process with exit code 1 when
// the build lacks something the window needs.
std::unique_ptr<QApplication> makeTestApplication(int& argc, char** argv);

} // namespace storm
