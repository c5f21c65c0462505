#include "formpainter.h"

#include "colours.h"

#include <QPainter>

namespace ui {

namespace {

constexpr int kGraphSide = 500;
constexpr int kGridStep = 25;
constexpr int kTickStep = 5;
constexpr int kLongTick = 6;
constexpr int kShortTick = 4;

QColor qColour(sim::Colour c)
{
    return QColor(c.r, c.g, c.b);
}

// Lines 2 and 3 pixels wide are centred on their path with round ends.
QPen widePen(sim::Colour colour, int width)
{
    return QPen(qColour(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A 1-pixel line covers its start point and stops one pixel short of its end point; a flat cap
// gives exactly that.
QPen thinPen(sim::Colour colour)
{
    return QPen(qColour(colour), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QPoint at(sim::Point p)
{
    return {p.x, p.y};
}

// A line of length zero draws nothing, as the line rule has it (Qt would paint one pixel).
void line(QPainter& painter, QPoint from, QPoint to)
{
    if (from != to)
        painter.drawLine(from, to);
}

// A grid line runs through the centres of its pixels. At 100 % those are the pixels Qt picks
// anyway; on a scaled screen the line then covers exactly the device pixels of its logical
// pixels instead of straddling two of them. Its square ends reach the graph's edges (where the
// clip cuts them), which the centres alone would miss at fractional scales.
void gridLine(QPainter& painter, QPoint from, QPoint to)
{
    painter.drawLine(QPointF(from) + QPointF(0.5, 0.5), QPointF(to) + QPointF(0.5, 0.5));
}

void drawTankOutline(QPainter& painter, const sim::Bounds& t)
{
    painter.setPen(widePen(sim::clBlack, 2));
    const QPoint corners[] = {{t.left - 1, t.top},
                              {t.left - 1, t.top + t.height},
                              {t.left + t.width, t.top + t.height},
                              {t.left + t.width, t.top}};
    painter.drawPolyline(corners, 4);
}

void drawTicks(QPainter& painter, const sim::Bounds& t, const sim::Bounds& g)
{
    painter.setPen(widePen(sim::clRed, 2));
    const int count = t.height / kTickStep + 1;
    for (int i = 0; i < count; ++i) {
        const int d = kTickStep * i;
        const int reach = i % 5 == 0 ? kLongTick : kShortTick;
        const int tankY = t.top + t.height - d;
        painter.drawLine(t.left - reach, tankY, t.left - 2, tankY);
        const int graphY = g.top + g.height - d;
        painter.drawLine(g.left - reach, graphY, g.left - 2, graphY);
        const int graphX = g.left + d;
        painter.drawLine(graphX, g.top + g.height + reach - 2, graphX, g.top + g.height);
    }
}

// Everything on the graph surface, in the graph's own pixels.
void drawGraph(QPainter& painter, const sim::Bounds& g, const PaintInput& input)
{
    const sim::State& s = *input.state;
    painter.fillRect(QRect(0, 0, kGraphSide, kGraphSide), qColour(sim::clWhite));

    QPen grid = thinPen(sim::clSilver);
    grid.setCapStyle(Qt::SquareCap);
    painter.setPen(grid);
    for (int j = 1; j <= g.height - 1; ++j) {
        if (j % kGridStep != 0)
            continue;
        gridLine(painter, {j, 0}, {j, g.height});
        gridLine(painter, {0, j}, {g.width, j});
    }

    const QPoint start(0, s.SyokiY);
    if (s.TenkiFlg) {
        // A red blob three pixels across, centred on the point.
        for (int k = 1; k <= s.KirokuSu; ++k)
            painter.fillRect(QRect(at(s.Ten[k]) - QPoint(1, 1), QSize(3, 3)), qColour(sim::clRed));
    }
    painter.setPen(thinPen(sim::clRed));
    if (s.MusubuFlg) {
        QPoint from = start;
        for (int k = 1; k <= s.KirokuSu; ++k) {
            line(painter, from, at(s.Ten[k]));
            from = at(s.Ten[k]);
        }
    }
    if (input.liveLine)
        line(painter, start, at(s.Ten[0]));
}

} // namespace

void FormPaint(QPainter& painter, const PaintInput& input)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawTankOutline(painter, input.tank);
    drawTicks(painter, input.tank, input.graph);

    const sim::Bounds& g = input.graph;
    painter.save();
    painter.translate(g.left, g.top);
    painter.setClipRect(QRect(0, 0, kGraphSide, kGraphSide), Qt::IntersectClip);
    drawGraph(painter, g, input);
    painter.restore();
}

} // namespace ui
