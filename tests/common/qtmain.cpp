// main() of the test programs that need the real window: headless unless told otherwise, with
// the application prepared exactly as the program prepares it.

#include "startup.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    const auto app = createApplication(argc, argv);
    const QString problem = prepareApplication(*app, QStringLiteral("ichijikansu"));
    if (!problem.isEmpty()) {
        fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    return RUN_ALL_TESTS();
}
