#include "picturecache.h"

#include "pictures.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <exception>

namespace ui {

namespace {

// A window shows each picture at one size at a time: room for the sizes of both ways of showing
// the lesson (filling the window, actual size) and a few more.
constexpr std::size_t kKept = 16;

QImage imageOf(const core::Picture& picture)
{
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const sim::Colour c = picture.at(x, y);
            line[x] = qRgb(c.r, c.g, c.b);
        }
    }
    return image;
}

} // namespace

PictureCache::PictureCache(std::function<void()> drawn, QObject* parent)
    : QObject(parent)
    , drawn_(std::move(drawn))
{
    workers_.setMaxThreadCount(1);
}

void PictureCache::release()
{
    if (!held_)
        return;
    held_ = false;
    if (!queued_.empty())
        QTimer::singleShot(0, this, [this] { startDrawing(); });
}

QImage PictureCache::find(core::Art art, QSize size)
{
    const Key key{art, {size.width(), size.height()}};
    if (const auto found = pictures_.find(key); found != pictures_.end())
        return found->second;
    if (size.isEmpty() || art == core::Art::None || !drawing_.insert(key).second)
        return {};
    // Started once the event loop comes round, after the frame being made, so that a frame never
    // waits on a core that a drawing keeps busy.
    queued_.push_back(key);
    if (queued_.size() == 1 && !held_)
        QTimer::singleShot(0, this, [this] { startDrawing(); });
    return {};
}

void PictureCache::startDrawing()
{
    // The worker touches nothing of this object: it hands its image to the application's thread,
    // which stores it only while the cache still exists.
    const QPointer<PictureCache> cache(this);
    for (const Key& key : std::exchange(queued_, {})) {
        workers_.start([cache, key] {
            // A drawing that fails leaves a null image: the bitmap stays stretched at that size,
            // and the size is not asked for again.
            QImage image;
            try {
                image = imageOf(pictureAt(key.first, key.second.first, key.second.second));
            } catch (const std::exception&) {
                image = {};
            }
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [cache, key, image = std::move(image)] {
                    if (cache)
                        cache->store(key, image);
                },
                Qt::QueuedConnection);
        });
    }
}

void PictureCache::store(const Key& key, const QImage& image)
{
    drawing_.erase(key);
    if (pictures_.size() >= kKept)
        pictures_.clear();
    pictures_[key] = image;
    if (drawn_)
        drawn_();
}

} // namespace ui
