#pragma once

#include "layout.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>

#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace ui {

// The pictures drawn for the sizes they are shown at, each size once. Drawing one takes some ten
// milliseconds, so it is done on one worker thread, and only once the window has shown its first
// frame: the window shows at once, each picture its bitmap stretched in the meantime, and `drawn`
// is called on this thread as each drawing arrives.
class PictureCache : public QObject {
public:
    explicit PictureCache(std::function<void()> drawn, QObject* parent = nullptr);

    // The picture at that many device pixels, or a null image until it has been drawn, which this
    // asks for (and for good where the drawing failed).
    QImage find(core::Art art, QSize size);
    // Whether a drawing is still on its way.
    bool isDrawing() const { return !drawing_.empty(); }
    // The window has shown itself: the drawings asked for may start, and those asked for later
    // start at once.
    void release();

private:
    using Key = std::pair<core::Art, std::pair<int, int>>;
    void startDrawing();
    void store(const Key& key, const QImage& image);

    std::function<void()> drawn_;
    // One thread: the other core stays with the window.
    QThreadPool workers_;
    bool held_ = true;
    std::map<Key, QImage> pictures_;
    std::set<Key> drawing_;
    std::vector<Key> queued_;
};

} // namespace ui
