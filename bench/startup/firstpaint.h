#pragma once

#include <QObject>

class QWidget;

// Once the widget's first paint event and the rest of that repaint are done, prints the
// CLOCK_MONOTONIC time in nanoseconds on standard output and quits the application.
class FirstPaintStamp : public QObject {
public:
    explicit FirstPaintStamp(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
