#include "startup.h"

#include "accessibility.h"
#include "apptitle.h"
#include "pictures.h"
#include "windowstyle.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt explains a failed start in several lines and then aborts with a core dump. Say it in one
// line instead and leave with exit code 1. Only installed while the application object is made.
void startupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg)
        return;
    const QByteArray display = qgetenv("DISPLAY");
    std::fprintf(stderr, "ichijikansu: cannot open a display (DISPLAY=%s): %s\n",
                 display.isEmpty() ? "unset" : display.constData(),
                 qPrintable(message.section(QLatin1Char('\n'), 0, 0).trimmed()));
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> createApplication(int& argc, char** argv)
{
    // The screen's own ratio, 125 % or 150 % as it is: the window paints its device pixels itself,
    // the lesson mapped onto them by the core's one rule, so lines stay crisp at any ratio.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    const QtMessageHandler previous = qInstallMessageHandler(startupMessageHandler);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return app;
}

std::unique_ptr<QApplication> startApplication(int& argc, char** argv, const char* program)
{
    auto app = createApplication(argc, argv);
    const QString problem = prepareApplication(*app, QCoreApplication::applicationFilePath());
    if (problem.isEmpty())
        return app;
    std::fprintf(stderr, "%s: %s\n", program, qPrintable(problem));
    return nullptr;
}

QString prepareApplication(QApplication& app, const QString& executablePath)
{
    // The application name doubles as the title of the message boxes. A display name would be
    // appended to the window's caption on X11, so none is set.
    QApplication::setApplicationName(applicationTitle(executablePath));
    // One style everywhere, so the window looks the same in every classroom, with a focus ring
    // that can be seen.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(new ui::WindowStyle(fusion));
    ui::installAccessibility();
    if (!ui::allArtPresent())
        return QStringLiteral("the pictures are missing from this build");
    return {};
}
