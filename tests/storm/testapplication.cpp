#include "testapplication.h"

#include "startup.h"

#include <cstdio>
#include <cstdlib>

namespace storm {

std::unique_ptr<QApplication> makeTestApplication(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = createApplication(argc, argv);
    const QString problem = prepareApplication(*app, QCoreApplication::applicationFilePath());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        std::exit(1);
    }
    return app;
}

} // namespace storm
