// bench-a11ycost: what a screen reader's questions about the window's accessible tree cost the
// program, per question. Orca asks a few hundred of them at every move of the focus (each item's
// place among the window's children, every child's role when it counts the window's dialogs), and
// a key pressed meanwhile waits for it to finish: the program's share of that wait.
//
//   bench-a11ycost [--rounds N]
// N walks over the window's children (default 200).

#include "benchwindow.h"

#include <QAccessible>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start, long long questions)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / static_cast<double>(questions);
}

} // namespace

int main(int argc, char* argv[])
{
    int rounds = 200;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[i + 1]));
    }
    bench::Program program = bench::openProgram(argc, argv);
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(program.window.get());
    const int children = frame->childCount();

    // A child by its index, and its role: Orca's walk over the window when it counts dialogs.
    long long asked = 0;
    int roles = 0;
    auto start = Clock::now();
    for (int r = 0; r < rounds; ++r) {
        for (int i = 0; i < frame->childCount(); ++i) {
            roles += static_cast<int>(frame->child(i)->role());
            ++asked;
        }
    }
    const double childAt = microsecondsSince(start, asked);

    // Each child's place in its parent: asked for every object Orca names, to make its path.
    asked = 0;
    int places = 0;
    start = Clock::now();
    for (int r = 0; r < rounds; ++r) {
        for (int i = 0; i < children; ++i) {
            QAccessibleInterface* child = frame->child(i);
            places += child->parent()->indexOfChild(child);
            ++asked;
        }
    }
    const double indexInParent = microsecondsSince(start, asked);

    // Every object of the tree: its children counted, its place in its parent; a screen reader's
    // review of the whole window.
    std::vector<QAccessibleInterface*> all{frame};
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (int c = 0; c < all[i]->childCount(); ++c)
            all.push_back(all[i]->child(c));
    }
    asked = 0;
    start = Clock::now();
    for (int r = 0; r < rounds; ++r) {
        for (QAccessibleInterface* object : all) {
            places += object->childCount();
            if (QAccessibleInterface* parent = object->parent())
                places += parent->indexOfChild(object);
            asked += 2;
        }
    }
    const double anyObject = microsecondsSince(start, asked);

    std::printf("the window's accessible children: %d; objects in the tree: %zu\n", children, all.size());
    std::printf("a child by its index, with its role: %.1f us a question\n", childAt);
    std::printf("a child's place in the window:      %.1f us a question\n", indexInParent);
    std::printf("any object's children, its place:   %.1f us a question\n", anyObject);
    // Keeps the answers alive, so that no question is optimised away.
    std::printf("(checksum %d)\n", roles + places);
    return 0;
}
