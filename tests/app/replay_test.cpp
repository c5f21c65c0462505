// The replay tool: scenario files replayed in process against their expected output, and the
// protocol of the built tool itself (exit codes, errors, pictures, environment).

#include "common/windowfixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtMath>

#include <fstream>
#include <sstream>

namespace {

std::string readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

// The scenario files' names without ".replay".
std::vector<std::string> scenarios()
{
    std::vector<std::string> names;
    for (const QString& file :
         QDir(QStringLiteral(SCENARIO_DIR)).entryList({QStringLiteral("*.replay")}, QDir::Files, QDir::Name))
        names.push_back(file.chopped(7).toStdString());
    return names;
}

class Scenario : public testing::TestWithParam<std::string> { };

TEST_P(Scenario, ReplaysToItsExpectedOutput)
{
    const QString base = QStringLiteral(SCENARIO_DIR "/") + QString::fromStdString(GetParam());
    MainWindow window;
    Replay::takeControl(window);
    window.FormCreate();
    window.show();
    QCoreApplication::processEvents();
    std::istringstream script(readFile(base + QStringLiteral(".replay")));
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(Replay(window, out, err).run(script), 0) << err.str();
    EXPECT_EQ(out.str(), readFile(base + QStringLiteral(".out")));
}

INSTANTIATE_TEST_SUITE_P(Files, Scenario, testing::ValuesIn(scenarios()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QString& program, const QByteArray& script, const QStringList& environment = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& setting : environment)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
    process.start(program, {});
    process.write(script);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

ToolRun replay(const QByteArray& script, const QStringList& environment = {})
{
    return runTool(QStringLiteral(REPLAY_PATH), script, environment);
}

TEST(ReplayTool, BadLinesStopTheScriptWithExitCodeTwo)
{
    struct Case {
        const char* script;
        const char* error;
        int dumps; // lines printed before the error
    };
    const Case cases[] = {
        {"bogus\n", "error: 1: unknown command 'bogus'", 0},
        {"dump\n\n# note\nclick nothing\ndump\n", "error: 4: unknown button 'nothing'", 1},
        {"click\n", "error: 1: click takes 1 argument", 0},
        {"tick -1\n", "error: 1: bad number '-1'", 0},
        {"tick 3x\n", "error: 1: bad number '3x'", 0},
        {"select lbxJikan 5\n", "error: 1: bad row '5' for lbxJikan (0 to 4)", 0},
        {"select lbxKiroku 1\n", "error: 1: unknown list 'lbxKiroku'", 0},
        {"dump now\n", "error: 1: dump takes 0 arguments", 0},
        {"click lblJikan\n", "error: 1: unknown button 'lblJikan'", 0},
        {"dump\nrender /tmp/never.png 5\n", "error: 2: bad scale '5' (above 0, at most 4)", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const ToolRun run = replay(c.script);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.trimmed().toStdString(), c.error);
        EXPECT_EQ(run.out.count(QLatin1Char('\n')), c.dumps);
    }
}

TEST(ReplayTool, EndButtonPrintsQuitAndEndsTheScript)
{
    const ToolRun run = replay("click btnMizuDasu\ntick 10\nclick btnOwari\ndump\nbogus\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("quit\n"));
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

TEST(ReplayTool, RendersTheClientAreaInDevicePixels)
{
    const QString file = QDir::temp().filePath(QStringLiteral("ichijikansu-render-test.png"));
    for (const auto& [factor, size] : {std::pair{"1", QSize(1024, 768)}, std::pair{"2", QSize(2048, 1536)}}) {
        SCOPED_TRACE(factor);
        QFile::remove(file);
        const ToolRun run = replay("render " + file.toUtf8() + "\n", {QStringLiteral("QT_SCALE_FACTOR=") + factor});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(QImage(file).size(), size);
    }
    QFile::remove(file);
}

// A render at a scale shows the lesson that much larger, drawn afresh at that size; the renders
// after it are as before it.
TEST(ReplayTool, RendersTheLessonAtAScale)
{
    const QString dir = QDir::temp().filePath(QStringLiteral("ichijikansu-render-scale"));
    QDir().mkpath(dir);
    const QString before = dir + QStringLiteral("/before.png");
    const QString twice = dir + QStringLiteral("/twice.png");
    const QString half = dir + QStringLiteral("/one and a half.png");
    const QString after = dir + QStringLiteral("/after.png");
    const ToolRun run = replay("select lbxSyokiRyo 4\nclick btnMizuDasu\ntick 130\nclick btnKiroku\nclick btnTenki\n"
                               "render "
                               + before.toUtf8() + "\nrender " + twice.toUtf8() + " 2\nrender " + half.toUtf8()
                               + " 1.5\nrender " + after.toUtf8() + "\n");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage one = QImage(before).convertToFormat(QImage::Format_RGB32);
    const QImage two = QImage(twice).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QImage(half).size(), QSize(1536, 1152));
    EXPECT_EQ(QImage(after).convertToFormat(QImage::Format_RGB32), one);
    ASSERT_EQ(two.size(), QSize(2048, 1536));
    // The graph with its grid and the record's dot lands on the doubled places, not a blur of them.
    int mismatches = 0;
    for (int y = 176; y < 676; ++y) {
        for (int x = 497; x < 997; ++x) {
            const QRgb expected = one.pixel(x, y);
            mismatches += two.pixel(2 * x, 2 * y) != expected || two.pixel(2 * x + 1, 2 * y + 1) != expected;
        }
    }
    EXPECT_EQ(mismatches, 0);
    QDir(dir).removeRecursively();
}

// Renders the same scene at a scale factor; the scene draws no slanted line.
QImage renderAt(const char* factor)
{
    const QString file = QDir::temp().filePath(QStringLiteral("ichijikansu-scale-%1.png").arg(QLatin1String(factor)));
    QFile::remove(file);
    const ToolRun run = replay("select lbxSyokiRyo 4\nclick btnMizuDasu\ntick 130\nclick btnKiroku\nclick btnTenki\n"
                               "tick 30\nrender "
                                   + file.toUtf8() + "\n",
                               {QStringLiteral("QT_SCALE_FACTOR=") + QLatin1String(factor)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QImage image = QImage(file).convertToFormat(QImage::Format_RGB32);
    QFile::remove(file);
    return image;
}

TEST(HighDpi, AtTwiceTheScaleEverythingLandsOnTheDoubledPlaces)
{
    const QImage one = renderAt("1");
    const QImage two = renderAt("2");
    ASSERT_EQ(two.size(), QSize(2048, 1536));
    const auto sameBlock = [&](int x, int y) {
        const QRgb expected = one.pixel(x, y);
        return two.pixel(2 * x, 2 * y) == expected && two.pixel(2 * x + 1, 2 * y) == expected
               && two.pixel(2 * x, 2 * y + 1) == expected && two.pixel(2 * x + 1, 2 * y + 1) == expected;
    };
    // Whole areas: the graph with grid and dots, the water in the tank, both bars in their frames.
    const QRect areas[] = {{497, 176, 500, 500}, {56, 192, 376, 499}, {476, 176, 8, 500}, {496, 688, 500, 8}};
    for (const QRect& area : areas) {
        int mismatches = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                mismatches += !sameBlock(x, y);
        }
        EXPECT_EQ(mismatches, 0) << area.x() << "," << area.y();
    }
    // The outline and the ticks along their length (their round ends may differ by a pixel).
    for (int i = 0; i <= 100; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(sameBlock(53, 692 - 5 * i));
        EXPECT_TRUE(sameBlock(494, 676 - 5 * i));
        EXPECT_TRUE(sameBlock(497 + 5 * i, 677));
        EXPECT_TRUE(sameBlock(55, 195 + 4 * i) && sameBlock(433, 195 + 4 * i));
        EXPECT_TRUE(sameBlock(60 + 3 * i, 692));
    }
}

TEST(HighDpi, AtOneAndAHalfTheGraphHasNoGapsAndNoBlendedColours)
{
    const QImage image = renderAt("1.5");
    ASSERT_EQ(image.size(), QSize(1536, 1152));
    const QRect graph(qCeil(497 * 1.5), qCeil(176 * 1.5), qFloor(500 * 1.5) - 1, qFloor(500 * 1.5) - 1);
    int blended = 0;
    for (int y = graph.top(); y <= graph.bottom(); ++y) {
        for (int x = graph.left(); x <= graph.right(); ++x) {
            const QRgb c = image.pixel(x, y) & 0xFFFFFF;
            blended += c != 0xFFFFFF && c != 0xC0C0C0 && c != 0xFF0000;
        }
    }
    EXPECT_EQ(blended, 0);
    // Every vertical grid line is unbroken from top to bottom.
    for (int j = 25; j < 500; j += 25) {
        const int from = qFloor((497 + j) * 1.5);
        const int to = qCeil((497 + j + 1) * 1.5);
        int brokenRows = 0;
        for (int y = graph.top(); y <= graph.bottom(); ++y) {
            bool silver = false;
            for (int x = from; x < to; ++x)
                silver = silver || (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
            brokenRows += !silver;
        }
        EXPECT_EQ(brokenRows, 0) << "grid line " << j;
    }
}

TEST(ReplayTool, TheReadmePictureIsWhatTheProgramShows)
{
    const QString file = QDir::temp().filePath(QStringLiteral("ichijikansu-readme.png"));
    QByteArray script = QByteArray::fromStdString(readFile(QStringLiteral(DOCS_DIR "/screenshot.replay")));
    ASSERT_TRUE(script.contains("render docs/screenshot.png"));
    script.replace("render docs/screenshot.png", "render " + file.toUtf8());
    const ToolRun run = replay(script);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage rendered = QImage(file).convertToFormat(QImage::Format_RGB32);
    QFile::remove(file);
    EXPECT_EQ(rendered, QImage(QStringLiteral(DOCS_DIR "/screenshot.png")).convertToFormat(QImage::Format_RGB32))
        << "run: ichijikansu-replay < docs/screenshot.replay";
}

TEST(ReplayTool, CommaLocaleShowsAndRecordsCommas)
{
    const ToolRun run = replay("select lbxSyokiRyo 2\nclick btnMizuDasu\ntick 93\ntick 25\nclick btnKiroku\ndump\n",
                               {QStringLiteral("LC_ALL=de_DE.UTF-8")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\"stxKJHyoji\":\"1,0\",\"stxKSHyoji\":\"3,0\"")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\"KirokuX\":[\"1,0\"")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("\"KirokuY\":[\"3,0\"")));
}

TEST(ReplayTool, WithoutTheJapaneseFacesItStillStartsWithAnotherFace)
{
    // A font configuration that knows only the Liberation faces: no Japanese face at all.
    const QString dir = QDir::temp().filePath(QStringLiteral("ichijikansu-nofonts"));
    QDir().mkpath(dir + QStringLiteral("/cache"));
    QFile config(dir + QStringLiteral("/fonts.conf"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("<?xml version=\"1.0\"?>\n<fontconfig><dir>/usr/share/fonts/truetype/liberation</dir><cachedir>"
                 + dir.toUtf8() + "/cache</cachedir></fontconfig>\n");
    config.close();
    const QString picture = dir + QStringLiteral("/window.png");
    const ToolRun run = replay("click btnKiroku\ndump\nrender " + picture.toUtf8() + "\n",
                               {QStringLiteral("FONTCONFIG_FILE=") + config.fileName()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\"stxZahyoX1\":\"0.0\""))) << run.out.toStdString();
    EXPECT_EQ(QImage(picture).size(), QSize(1024, 768));
    QDir(dir).removeRecursively();
}

TEST(Program, WithoutADisplaySaysSoInOneLineAndExitsWithOne)
{
    const ToolRun run = runTool(
        QStringLiteral(PROGRAM_PATH), {},
        {QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("DISPLAY=:97"), QStringLiteral("WAYLAND_DISPLAY=")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("ichijikansu: cannot open a display (DISPLAY=:97)")))
        << run.err.toStdString();
}

} // namespace
