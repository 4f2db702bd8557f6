#include "sections/sectiondrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace mhbk {

namespace {

constexpr int kBarSize = 90;
constexpr int kRolledSize = 110;

// A dimension line with arrow heads at both ends and its letter beside the middle.
void dimension(QPainter &p, QPointF a, QPointF b, const QString &letter, QPointF letterOffset)
{
    p.drawLine(a, b);
    const QPointF dir = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
    const QPointF normal(-dir.y(), dir.x());
    p.save();
    p.setBrush(Qt::black);
    for (const auto &[tip, sign] : {std::pair{a, 1.0}, std::pair{b, -1.0}}) {
        const QPointF back = tip + dir * (5.0 * sign);
        p.drawPolygon(QPolygonF{tip, back + normal * 2.5, back - normal * 2.5});
    }
    p.restore();
    const QPointF mid = (a + b) / 2 + letterOffset;
    p.drawText(QRectF(mid.x() - 12, mid.y() - 8, 24, 16), Qt::AlignCenter, letter);
}

void drawRound(QPainter &p)
{
    p.drawEllipse(QRectF(10, 10, 60, 60));
    dimension(p, {10, 40}, {70, 40}, QStringLiteral("d"), {0, -9});
}

void drawSquare(QPainter &p)
{
    p.drawRect(QRectF(15, 10, 50, 50));
    dimension(p, {15, 70}, {65, 70}, QStringLiteral("a"), {0, 9});
}

void drawRectangle(QPainter &p)
{
    p.drawRect(QRectF(20, 15, 45, 35));
    dimension(p, {20, 62}, {65, 62}, QStringLiteral("b"), {0, 9});
    dimension(p, {8, 15}, {8, 50}, QStringLiteral("a"), {0, 0});
}

void drawHexagon(QPainter &p)
{
    const QPointF c(36, 40);
    const double r = 30;
    QPolygonF hexagon;
    for (int i = 0; i < 6; ++i) {
        const double angle = std::numbers::pi / 3 * i;
        hexagon << c + QPointF(r * std::cos(angle), r * std::sin(angle));
    }
    p.drawPolygon(hexagon);
    const double flat = r * std::sqrt(3.0) / 2;
    dimension(p, {c.x() + r + 6, c.y() - flat}, {c.x() + r + 6, c.y() + flat}, QStringLiteral("a"), {9, 0});
}

void drawAngle(QPainter &p, bool unequal)
{
    const double leg = unequal ? 55 : 70;
    p.drawPolygon(QPolygonF{{20, 15}, {30, 15}, {30, 85}, {20 + leg + 10, 85}, {20 + leg + 10, 95}, {20, 95}});
    dimension(p, {20, 103}, {30 + leg, 103}, QStringLiteral("b"), {0, -8});
    dimension(p, {10, 15}, {10, 95}, unequal ? QStringLiteral("B") : QStringLiteral("b"), {-6, 0});
    p.drawText(QRectF(32, 40, 20, 16), Qt::AlignLeft, QStringLiteral("d"));
}

void drawIBeam(QPainter &p)
{
    p.drawPolygon(QPolygonF{{25, 10}, {85, 10}, {85, 20}, {59, 24}, {59, 86}, {85, 90}, {85, 100}, {25, 100},
                            {25, 90}, {51, 86}, {51, 24}, {25, 20}});
    dimension(p, {25, 106}, {85, 106}, QStringLiteral("b"), {0, -9});
    dimension(p, {14, 10}, {14, 100}, QStringLiteral("h"), {-7, 0});
    p.drawText(QRectF(61, 48, 20, 16), Qt::AlignLeft, QStringLiteral("d"));
}

void drawChannel(QPainter &p)
{
    p.drawPolygon(QPolygonF{{30, 10}, {85, 10}, {85, 18}, {42, 24}, {42, 86}, {85, 92}, {85, 100}, {30, 100}});
    dimension(p, {30, 106}, {85, 106}, QStringLiteral("b"), {0, -9});
    dimension(p, {18, 10}, {18, 100}, QStringLiteral("h"), {-7, 0});
    p.drawText(QRectF(45, 48, 20, 16), Qt::AlignLeft, QStringLiteral("d"));
}

} // namespace

SectionDrawing::SectionDrawing(Profile profile, QWidget *parent) : QWidget(parent), profile_(profile)
{
    const bool rolled = profile == Profile::EqualAngle || profile == Profile::UnequalAngle
                        || profile == Profile::IBeam || profile == Profile::Channel;
    setFixedSize(rolled ? QSize(kRolledSize, kRolledSize + 4) : QSize(kBarSize, kBarSize));
}

void SectionDrawing::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    QFont font = p.font();
    font.setItalic(true);
    p.setFont(font);
    switch (profile_) {
    case Profile::None: break;
    case Profile::Round: drawRound(p); break;
    case Profile::Square: drawSquare(p); break;
    case Profile::Rectangle: drawRectangle(p); break;
    case Profile::Hexagon: drawHexagon(p); break;
    case Profile::EqualAngle: drawAngle(p, false); break;
    case Profile::UnequalAngle: drawAngle(p, true); break;
    case Profile::IBeam: drawIBeam(p); break;
    case Profile::Channel: drawChannel(p); break;
    }
}

} // namespace mhbk
