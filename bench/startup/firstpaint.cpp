#include "firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <time.h>

FirstPaintStamp::FirstPaintStamp(QWidget* widget)
    : QObject(widget)
{
    widget->installEventFilter(this);
}

bool FirstPaintStamp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Queued, so it runs after the whole frame: the window's paint event, its children, the flush.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    }
    return false;
}
