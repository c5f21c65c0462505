#include "testapplication.h"

#include "startup.h"

#include <cstdlib>

namespace storm {

std::unique_ptr<QApplication> makeTestApplication(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = startApplication(argc, argv, argv[0]);
    if (!app)
        std::exit(1);
    return app;
}

} // namespace storm
