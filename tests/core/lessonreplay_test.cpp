// The replay scenarios of the desktop program, run on the core alone: the same script must give
// the same dump bytes without any toolkit, as it does in the browser and under node.
#include "common/quietplatform.h"
#include "modelwindow.h"
#include "programtarget.h"
#include "replayscript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Outcome {
    std::string out;
    std::string err;
    int code = 0;
};

Outcome replay(const std::string& script)
{
    QuietPlatform platform;
    core::ModelWindow window;
    core::Program program(window, platform);
    program.activate();
    core::ProgramTarget target(program);
    Outcome run;
    run.code = core::runReplay(target, script, run.out, run.err);
    return run;
}

class CoreScenario : public testing::TestWithParam<std::string> { };

TEST_P(CoreScenario, GivesTheDesktopsDumpsByteForByte)
{
    const std::filesystem::path base = std::filesystem::path(SCENARIO_DIR) / GetParam();
    const Outcome run = replay(readFile(base.string() + ".replay"));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, readFile(base.string() + ".out"));
}

std::vector<std::string> scenarios()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(SCENARIO_DIR)) {
        if (entry.path().extension() == ".replay")
            names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, CoreScenario, testing::ValuesIn(scenarios()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

// What the core's own target does differently from the desktop's: it has no pixels to render.
TEST(CoreReplay, RefusesToRenderAndStopsAtTheEndButton)
{
    const Outcome render = replay("dump\nrender /tmp/x.png\ndump\n");
    EXPECT_EQ(render.code, 2);
    EXPECT_EQ(render.err, "error: 2: render is not available here\n");
    EXPECT_EQ(std::count(render.out.begin(), render.out.end(), '\n'), 1);

    const Outcome quit = replay("click btnOwari\ndump\n");
    EXPECT_EQ(quit.code, 0);
    EXPECT_EQ(quit.out, "quit\n");
}

// A target that keeps what it was asked to render.
struct RenderRequests : core::ReplayTarget {
    std::vector<std::pair<std::string, core::Scale>> renders;
    bool isShown(sim::Item) const override { return true; }
    void click(sim::Item) override { }
    void select(sim::Item, int) override { }
    bool tick() override { return false; }
    std::string dump() override { return {}; }
    bool render(const std::string& file, const core::Scale& scale, std::string&) override
    {
        renders.emplace_back(file, scale);
        return true;
    }
    bool quitRequested() const override { return false; }
};

// A render's last word is its scale when it is a number; the rest of the line is the file's name.
TEST(CoreReplay, ARenderTakesAScaleAfterTheFileName)
{
    struct Case {
        const char* line;
        const char* file;  // null: the line is refused
        core::Scale scale; // as an exact fraction
    };
    const Case cases[] = {
        {"render shot.png", "shot.png", {}},
        {"render shot.png 2", "shot.png", core::Scale::ratio(2, 1)},
        {"render shot.png 1.5", "shot.png", core::Scale::ratio(3, 2)},
        {"render  my shot.png   1.25 ", "my shot.png", core::Scale::ratio(5, 4)},
        {"render my shot 2.png", "my shot 2.png", {}},
        {"render 2", "2", {}},
        {"render shot.png 4", "shot.png", core::Scale::ratio(4, 1)},
        {"render shot.png 0.5", "shot.png", core::Scale::ratio(1, 2)},
        {"render shot.png 0", nullptr, {}},
        {"render shot.png 4.01", nullptr, {}},
        {"render shot.png 1.0000001", nullptr, {}},
        {"render shot.png .", "shot.png .", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        RenderRequests target;
        std::string out;
        std::string err;
        const int code = core::runReplay(target, c.line, out, err);
        if (c.file == nullptr) {
            EXPECT_EQ(code, 2);
            EXPECT_TRUE(target.renders.empty());
            EXPECT_NE(err.find("bad scale"), std::string::npos) << err;
            continue;
        }
        EXPECT_EQ(code, 0) << err;
        ASSERT_EQ(target.renders.size(), 1U);
        EXPECT_EQ(target.renders[0].first, c.file);
        EXPECT_TRUE(target.renders[0].second == c.scale) << target.renders[0].second.factor();
    }
}

} // namespace
