#pragma once

#include "program.h"
#include "replayscript.h"

namespace core {

// A replay script driving a program whose front end draws nothing by itself (the page, the replay
// tool under node, the tests): a click presses the button, a selection picks the row.
class ProgramTarget : public ReplayTarget {
public:
    explicit ProgramTarget(Program& program)
        : program_(program)
    {
    }

    bool isShown(sim::Item item) const override { return program_.scene().isVisible(item); }
    void click(sim::Item button) override { program_.press(button); }
    void select(sim::Item list, int row) override { program_.choose(list, row); }
    bool tick() override { return program_.tick(); }
    std::string dump() override { return program_.dump(); }
    bool render(const std::string&, const Scale&, std::string& problem) override
    {
        problem = "render is not available here";
        return false;
    }
    bool quitRequested() const override { return program_.quitRequested(); }

private:
    Program& program_;
};

} // namespace core
