// The toolbar pictures, drawn on a 28 × 28 grid. One visual language throughout: a slate ink
// for outlines, the room as a light blue shape with a blue edge, orange for the part a command
// acts on, green badges for adding and red ones for removing.

#include <QPainter>
#include <QPainterPath>

#include "app/command_ids.h"
#include "app/ui/command_icons.h"

namespace tenzora {

namespace {

const QColor kInk(0x37, 0x47, 0x4F);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kRoomFill(0xBB, 0xDE, 0xFB);
const QColor kRoomFillDark(0x90, 0xCA, 0xF9);
const QColor kRoomEdge(0x15, 0x65, 0xC0);
const QColor kBlue(0x1E, 0x88, 0xE5);
const QColor kLightBlue(0xE3, 0xF2, 0xFD);
const QColor kGreen(0x43, 0xA0, 0x47);
const QColor kRed(0xE5, 0x39, 0x35);
const QColor kOrange(0xFB, 0x8C, 0x00);
const QColor kGrey(0x90, 0xA4, 0xAE);
const QColor kYellow(0xFF, 0xCA, 0x28);
const QColor kAmber(0xFF, 0xB3, 0x00);

constexpr qreal kOutline = 1.5; // width of ordinary outlines
constexpr qreal kEdge = 2.0;    // width of the room's edge and of highlighted parts

QPen pen(const QColor& colour, qreal width = kOutline, Qt::PenStyle style = Qt::SolidLine) {
    return QPen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
}

void shape(QPainter& p, const QPolygonF& polygon, const QColor& fill, const QPen& outline) {
    p.setPen(outline);
    p.setBrush(fill);
    p.drawPolygon(polygon);
}

void line(QPainter& p, QPointF a, QPointF b, const QPen& outline) {
    p.setPen(outline);
    p.drawLine(a, b);
}

void polyline(QPainter& p, const QPolygonF& points, const QPen& outline) {
    p.setPen(outline);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
}

// A vertex of an outline: a filled dot with a white rim so it reads on any background.
void vertex(QPainter& p, QPointF centre, const QColor& colour, qreal radius = 2.6) {
    p.setPen(pen(kPaper, 1.0));
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

void room(QPainter& p, const QPolygonF& outline, const QColor& fill = kRoomFill) {
    shape(p, outline, fill, pen(kRoomEdge, kEdge));
}

QPolygonF roomRectangle() {
    return QRectF(4, 5, 20, 18);
}

// A round badge in the lower right corner: plus (green), minus or cross (red).
enum class Badge { Plus, Cross };
void badge(QPainter& p, Badge kind, QPointF centre = {21.5, 21.5}) {
    p.setPen(pen(kPaper, 1.5));
    p.setBrush(kind == Badge::Plus ? kGreen : kRed);
    p.drawEllipse(centre, 5.5, 5.5);
    const QPen mark = pen(kPaper, 2.0);
    if (kind == Badge::Plus) {
        line(p, centre + QPointF(-3, 0), centre + QPointF(3, 0), mark);
        line(p, centre + QPointF(0, -3), centre + QPointF(0, 3), mark);
    } else {
        line(p, centre + QPointF(-2.2, -2.2), centre + QPointF(2.2, 2.2), mark);
        line(p, centre + QPointF(-2.2, 2.2), centre + QPointF(2.2, -2.2), mark);
    }
}

// A sheet of paper with a folded corner and, optionally, lines of text.
void sheet(QPainter& p, bool withText) {
    const QPolygonF outline{{5, 3}, {15, 3}, {21, 9}, {21, 25}, {5, 25}};
    shape(p, outline, kPaper, pen(kInk));
    polyline(p, {{15, 3}, {15, 9}, {21, 9}}, pen(kInk));
    if (!withText) return;
    const QPen text = pen(kGrey, 1.2);
    for (qreal y : {12.5, 16.0, 19.5})
        line(p, {8, y}, {18, y}, text);
}

void magnifier(QPainter& p, QPointF centre, qreal radius, qreal handle) {
    const QPointF rim = centre + QPointF(radius * 0.72, radius * 0.72);
    line(p, rim, rim + QPointF(handle, handle), pen(kInk, 3.6));
    p.setPen(pen(kInk, 2.0));
    p.setBrush(kLightBlue);
    p.drawEllipse(centre, radius, radius);
}

void arrowHead(QPainter& p, QPointF tip, QPointF back1, QPointF back2, const QColor& colour) {
    p.setPen(pen(colour, 1.0));
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{tip, back1, back2});
}

void text(QPainter& p, const QRectF& box, const QString& s, const QColor& colour, qreal pixelSize) {
    QFont font = p.font();
    font.setPixelSize(qRound(pixelSize));
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, s);
}

// ---- file and view ------------------------------------------------------------------------------

void newProject(QPainter& p) {
    sheet(p, false);
    badge(p, Badge::Plus);
}

void save(QPainter& p) {
    QPainterPath body;
    body.addRoundedRect(QRectF(4, 4, 20, 20), 2.5, 2.5);
    p.setPen(pen(kRoomEdge));
    p.setBrush(kBlue);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xCF, 0xD8, 0xDC));
    p.drawRect(QRectF(9, 4.75, 10, 6.5));
    p.setBrush(QColor(0x45, 0x5A, 0x64));
    p.drawRect(QRectF(15, 6, 2, 4));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(7.5, 14.5, 13, 8.5), 1, 1);
    const QPen lines = pen(kGrey, 1.1);
    line(p, {9.5, 17.5}, {18.5, 17.5}, lines);
    line(p, {9.5, 20.5}, {18.5, 20.5}, lines);
}

void open(QPainter& p) {
    QPainterPath back;
    back.moveTo(3, 8);
    back.quadTo(3, 6, 5, 6);
    back.lineTo(10, 6);
    back.lineTo(12.5, 8.5);
    back.lineTo(22, 8.5);
    back.quadTo(24, 8.5, 24, 10.5);
    back.lineTo(24, 22);
    back.lineTo(3, 22);
    back.closeSubpath();
    p.setPen(pen(QColor(0xE0, 0x8E, 0x00), 1.2));
    p.setBrush(kAmber);
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(3, 22);
    front.lineTo(7, 13);
    front.quadTo(7.4, 12, 8.6, 12);
    front.lineTo(25.4, 12);
    front.quadTo(26.4, 12, 26, 13);
    front.lineTo(22.3, 21.4);
    front.quadTo(22, 22, 21.2, 22);
    front.closeSubpath();
    p.setBrush(kYellow);
    p.drawPath(front);
}

void projectInfo(QPainter& p) {
    sheet(p, true);
    p.setPen(pen(kPaper, 1.5));
    p.setBrush(kBlue);
    const QPointF c(21, 21);
    p.drawEllipse(c, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(21, 17.6), 1.2, 1.2);
    p.drawRoundedRect(QRectF(20, 19.5, 2, 5), 0.6, 0.6);
}

void preview(QPainter& p) {
    sheet(p, true);
    magnifier(p, {17, 17}, 5, 4.5);
}

void print(QPainter& p) {
    shape(p, QRectF(8, 3.5, 12, 8), kPaper, pen(kInk, 1.2));
    QPainterPath body;
    body.addRoundedRect(QRectF(3, 10, 22, 10), 2, 2);
    p.setPen(pen(QColor(0x45, 0x5A, 0x64), 1.3));
    p.setBrush(QColor(0x78, 0x90, 0x9C));
    p.drawPath(body);
    shape(p, QRectF(8, 16, 12, 9), kPaper, pen(kInk, 1.2));
    const QPen lines = pen(kGrey, 1.0);
    line(p, {10, 19}, {18, 19}, lines);
    line(p, {10, 22}, {16, 22}, lines);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x66, 0xBB, 0x6A));
    p.drawEllipse(QPointF(21.5, 13), 1.2, 1.2);
}

void report(QPainter& p) {
    sheet(p, true);
    // A small table in the corner: the report's figures.
    const QRectF table(14.5, 14.5, 11, 11);
    p.setPen(pen(kPaper, 1.5));
    p.setBrush(kGreen);
    p.drawRoundedRect(table, 1.5, 1.5);
    const QPen grid = pen(kPaper, 1.0);
    line(p, {table.left() + 2, 18.5}, {table.right() - 2, 18.5}, grid);
    line(p, {table.left() + 2, 22}, {table.right() - 2, 22}, grid);
    line(p, {20, table.top() + 2}, {20, table.bottom() - 2}, grid);
}

void undoArrow(QPainter& p, bool mirrored) {
    if (mirrored) {
        p.translate(kToolbarIconSize, 0);
        p.scale(-1, 1);
    }
    QPainterPath curve;
    curve.moveTo(22, 22);
    curve.cubicTo(22, 14, 17.5, 10, 10, 10);
    p.setPen(pen(kBlue, 2.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    arrowHead(p, {3, 10}, {10.5, 4}, {10.5, 16}, kBlue);
}

void zoom(QPainter& p, bool in) {
    magnifier(p, {12, 12}, 7.5, 6.5);
    const QPen mark = pen(kBlue, 2.2);
    line(p, {8.5, 12}, {15.5, 12}, mark);
    if (in) line(p, {12, 8.5}, {12, 15.5}, mark);
}

void pan(QPainter& p) {
    const QPointF c(14, 14);
    const QPen stem = pen(kInk, 2.0);
    line(p, {14, 6}, {14, 22}, stem);
    line(p, {6, 14}, {22, 14}, stem);
    arrowHead(p, {14, 2}, {10.5, 6.5}, {17.5, 6.5}, kInk);
    arrowHead(p, {14, 26}, {10.5, 21.5}, {17.5, 21.5}, kInk);
    arrowHead(p, {2, 14}, {6.5, 10.5}, {6.5, 17.5}, kInk);
    arrowHead(p, {26, 14}, {21.5, 10.5}, {21.5, 17.5}, kInk);
    p.setPen(pen(kPaper, 1.2));
    p.setBrush(kBlue);
    p.drawEllipse(c, 3.2, 3.2);
}

void ruler(QPainter& p) {
    p.save();
    p.translate(14, 14);
    p.rotate(-45);
    p.setPen(pen(QColor(0xC7, 0x8C, 0x00), 1.3));
    p.setBrush(QColor(0xFF, 0xD5, 0x4F));
    p.drawRoundedRect(QRectF(-13, -4.5, 26, 9), 1.2, 1.2);
    const QPen tick = pen(kInk, 1.0);
    for (int i = -4; i <= 4; ++i) {
        const qreal x = i * 2.6;
        line(p, {x, -4.5}, {x, i % 2 == 0 ? -0.5 : -2.3}, tick);
    }
    p.restore();
}

// An L-shaped room divided into canvases: the cutting layout.
void canvases(QPainter& p) {
    const QPolygonF outline{{4, 5}, {24, 5}, {24, 23}, {13, 23}, {13, 16}, {4, 16}};
    QPainterPath clip;
    clip.addPolygon(outline);
    p.save();
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 == 0 ? kRoomFill : kRoomFillDark);
        p.drawRect(QRectF(4 + i * 5, 5, 5, 18));
    }
    const QPen seam = pen(kRoomEdge, 1.0, Qt::DashLine);
    for (int i = 1; i < 4; ++i)
        line(p, {4.0 + i * 5, 5}, {4.0 + i * 5, 23}, seam);
    p.restore();
    shape(p, outline, Qt::transparent, pen(kRoomEdge, kEdge));
}

void grid(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kLightBlue);
    p.drawRect(QRectF(4, 4, 20, 20));
    const QPen lines = pen(QColor(0x64, 0xB5, 0xF6), 1.0, Qt::SolidLine);
    for (qreal v = 4.5; v <= 24; v += 5) {
        line(p, {v, 4}, {v, 24}, lines);
        line(p, {4, v}, {24, v}, lines);
    }
    line(p, {4, 24}, {24, 24}, lines);
    line(p, {24, 4}, {24, 24}, lines);
}

void snapToGrid(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kGrey);
    for (qreal y : {5.0, 11.0, 17.0})
        for (qreal x : {5.0, 11.0, 17.0, 23.0})
            p.drawEllipse(QPointF(x, y), 1.1, 1.1);
    p.drawEllipse(QPointF(5, 23), 1.1, 1.1);
    vertex(p, {11, 11}, kBlue, 3.0);
    // A magnet pulling the point onto the grid.
    QPainterPath magnet;
    magnet.moveTo(14.5, 15);
    magnet.lineTo(14.5, 20.5);
    magnet.arcTo(QRectF(14.5, 16.5, 9, 9), 180, 180);
    magnet.lineTo(23.5, 15);
    p.setPen(pen(kRed, 3.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(magnet);
    const QPen tips = QPen(kGrey, 3.2, Qt::SolidLine, Qt::FlatCap);
    line(p, {14.5, 14}, {14.5, 16.5}, tips);
    line(p, {23.5, 14}, {23.5, 16.5}, tips);
}

void showPoints(QPainter& p) {
    const QPolygonF outline{{5, 23}, {12, 8}, {23, 19}};
    shape(p, outline, kRoomFill, pen(kRoomEdge, 1.4));
    for (QPointF v : outline)
        vertex(p, v, kBlue, 2.8);
    text(p, QRectF(14, 1, 12, 11), QStringLiteral("A"), kInk, 10);
}

void showLengths(QPainter& p) {
    line(p, {4, 22}, {24, 22}, pen(kRoomEdge, kEdge));
    vertex(p, {4, 22}, kBlue);
    vertex(p, {24, 22}, kBlue);
    const QPen dim = pen(kInk, 1.0);
    line(p, {4, 19}, {4, 12}, dim);
    line(p, {24, 19}, {24, 12}, dim);
    line(p, {6, 15}, {22, 15}, dim);
    arrowHead(p, {4.5, 15}, {8, 13}, {8, 17}, kInk);
    arrowHead(p, {23.5, 15}, {20, 13}, {20, 17}, kInk);
    text(p, QRectF(4, 2, 20, 10), QStringLiteral("250"), kBlue, 9);
}

void showConstructions(QPainter& p) {
    const QPolygonF outline{{4, 10}, {10, 10}, {10, 5}, {18, 5}, {18, 10}, {24, 10}, {24, 23}, {4, 23}};
    room(p, outline);
    polyline(p, {{10, 10}, {10, 5}, {18, 5}, {18, 10}}, pen(kOrange, 2.4));
}

void showAngles(QPainter& p) {
    const QPointF corner(5, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFB, 0x8C, 0x00, 0x55));
    p.drawPie(QRectF(corner.x() - 11, corner.y() - 11, 22, 22), 0, 62 * 16);
    p.setPen(pen(kOrange, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(corner.x() - 11, corner.y() - 11, 22, 22), 0, 62 * 16);
    const QPen rays = pen(kInk, 2.0);
    line(p, corner, {24, 22}, rays);
    line(p, corner, {15.5, 3.5}, rays);
    vertex(p, corner, kBlue);
    text(p, QRectF(17, 5, 9, 9), QStringLiteral("°"), kOrange, 12);
}

void canvasDistances(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kRoomFillDark);
    p.drawRect(QRectF(14, 5, 7, 18));
    shape(p, roomRectangle(), Qt::transparent, pen(kRoomEdge, kEdge));
    const QPen dim = pen(kRed, 1.4);
    line(p, {6.5, 14}, {11.5, 14}, dim);
    arrowHead(p, {4.5, 14}, {8, 11.5}, {8, 16.5}, kRed);
    arrowHead(p, {13.5, 14}, {10, 11.5}, {10, 16.5}, kRed);
}

void materials(QPainter& p) {
    // A roll of fabric with a length unrolled beneath it.
    QPainterPath cloth;
    cloth.moveTo(5, 9);
    cloth.lineTo(20, 9);
    cloth.lineTo(20, 22);
    cloth.quadTo(16, 25, 12.5, 22.5);
    cloth.quadTo(9, 20, 5, 23);
    cloth.closeSubpath();
    p.setPen(pen(QColor(0x02, 0x88, 0xD1), 1.3));
    p.setBrush(QColor(0xE1, 0xF5, 0xFE));
    p.drawPath(cloth);
    p.setPen(pen(QColor(0x02, 0x77, 0xBD), 1.3));
    p.setBrush(QColor(0x4F, 0xC3, 0xF7));
    p.drawRoundedRect(QRectF(3.5, 4, 19.5, 8), 4, 4);
    p.setBrush(QColor(0xB3, 0xE5, 0xFC));
    p.drawEllipse(QPointF(21, 8), 2.2, 4);
    p.setBrush(QColor(0x02, 0x77, 0xBD));
    p.drawEllipse(QPointF(21, 8), 0.9, 1.6);
}

void dealer(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(14, 8.5), 5, 5);
    QPainterPath shoulders;
    shoulders.moveTo(4, 25);
    shoulders.cubicTo(4, 17.5, 8, 15.5, 14, 15.5);
    shoulders.cubicTo(20, 15.5, 24, 17.5, 24, 25);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF{{11.5, 15.5}, {16.5, 15.5}, {14, 18.5}});
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF{{14, 17}, {15.3, 19}, {14.8, 24.5}, {14, 25}, {13.2, 24.5}, {12.7, 19}});
}

// ---- triangles ----------------------------------------------------------------------------------

void rightAngle(QPainter& p) {
    const QPen sides = pen(kInk, 2.2);
    line(p, {6, 22}, {6, 4}, sides);
    line(p, {6, 22}, {24, 22}, sides);
    polyline(p, {{6, 15}, {13, 15}, {13, 22}}, pen(kOrange, 1.8));
    vertex(p, {6, 22}, kBlue, 3.0);
}

// The side between two placed vertices runs across the middle; the room lies below it. The new
// vertex goes outside (above) or inside (below).
void triangleBase(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kLightBlue);
    p.drawRect(QRectF(2, 14, 24, 12));
    line(p, {4, 14}, {24, 14}, pen(kRoomEdge, kEdge));
}

void triangleApex(QPainter& p, QPointF apex, const QPen& sides, const QColor& dot) {
    polyline(p, {{4, 14}, apex, {24, 14}}, sides);
    vertex(p, apex, dot, 3.0);
}

void triangle(QPainter& p, int which) {
    triangleBase(p);
    const QPen strong = pen(kBlue, 1.8);
    const QPen faint = pen(kGrey, 1.2, Qt::DashLine);
    if (which == cmd::kTriangleOutward) triangleApex(p, {14, 3.5}, strong, kOrange);
    if (which == cmd::kTriangleInward) triangleApex(p, {14, 24.5}, strong, kOrange);
    if (which == cmd::kTriangleAuto) {
        triangleApex(p, {11, 3.5}, faint, kGrey);
        triangleApex(p, {11, 24.5}, faint, kGrey);
        // A sparkle: the program chooses.
        QPainterPath star;
        const QPointF c(21.5, 6.5);
        star.moveTo(c + QPointF(0, -5));
        star.quadTo(c, c + QPointF(5, 0));
        star.quadTo(c, c + QPointF(0, 5));
        star.quadTo(c, c + QPointF(-5, 0));
        star.quadTo(c, c + QPointF(0, -5));
        p.setPen(pen(QColor(0xE0, 0x7B, 0x00), 0.8));
        p.setBrush(kOrange);
        p.drawPath(star);
    }
    vertex(p, {4, 14}, kBlue);
    vertex(p, {24, 14}, kBlue);
}

void photos(QPainter& p) {
    QPainterPath frame;
    frame.addRoundedRect(QRectF(3, 5, 22, 18), 2, 2);
    p.setPen(pen(kInk));
    p.setBrush(kLightBlue);
    p.drawPath(frame);
    p.save();
    p.setClipPath(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(19, 10.5), 2.6, 2.6);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF{{3, 23}, {11, 13}, {16, 19}, {19, 16}, {25, 23}});
    p.restore();
    p.setPen(pen(kInk));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
}

// ---- points and diagonals -----------------------------------------------------------------------

void pointer(QPainter& p, QPointF tip) {
    QPolygonF arrow{{0, 0}, {0, 13}, {3.3, 9.8}, {5.6, 14.6}, {7.6, 13.7}, {5.3, 9}, {9.6, 9}};
    arrow.translate(tip);
    shape(p, arrow, kPaper, pen(kInk, 1.3));
}

void editPoints(QPainter& p) {
    polyline(p, {{3, 23}, {9, 7}, {23, 10}}, pen(kRoomEdge, kEdge));
    vertex(p, {9, 7}, kBlue, 3.2);
    pointer(p, {13, 12});
}

void insertPoints(QPainter& p) {
    line(p, {3, 17}, {25, 7}, pen(kRoomEdge, kEdge));
    vertex(p, {3, 17}, kBlue);
    vertex(p, {25, 7}, kBlue);
    vertex(p, {14, 12}, kGreen, 3.2);
    badge(p, Badge::Plus);
}

void deletePoints(QPainter& p) {
    polyline(p, {{3, 21}, {12, 6}, {25, 14}}, pen(kRoomEdge, kEdge));
    vertex(p, {12, 6}, kRed, 3.2);
    badge(p, Badge::Cross);
}

QPolygonF diagonalRoom() {
    return {{3, 4}, {20, 3}, {22, 18}, {4, 22}};
}

void diagonal(QPainter& p, int which) {
    const QPolygonF outline = diagonalRoom();
    shape(p, outline, kLightBlue, pen(kRoomEdge, 1.6));
    const QPointF a = outline[0], b = outline[2];
    if (which == cmd::kInsertDiagonal) line(p, a, b, pen(kBlue, 2.0));
    if (which == cmd::kSelectDiagonal) line(p, a, b, pen(kOrange, 3.0));
    if (which == cmd::kDeleteDiagonal) line(p, a, b, pen(kRed, 1.8, Qt::DashLine));
    for (QPointF v : outline)
        vertex(p, v, which == cmd::kSelectDiagonal && (v == a || v == b) ? kOrange : kBlue, 2.3);
    if (which == cmd::kInsertDiagonal) badge(p, Badge::Plus);
    if (which == cmd::kDeleteDiagonal) badge(p, Badge::Cross);
}

// ---- constructions ------------------------------------------------------------------------------

void cornerCut(QPainter& p) {
    room(p, {{4, 5}, {16, 5}, {24, 13}, {24, 23}, {4, 23}});
    polyline(p, {{16, 5}, {24, 5}, {24, 13}}, pen(kGrey, 1.0, Qt::DashLine));
    line(p, {16, 5}, {24, 13}, pen(kOrange, 2.4));
}

void arc(QPainter& p) {
    QPainterPath outline;
    outline.moveTo(4, 11);
    outline.quadTo(14, 0, 24, 11);
    outline.lineTo(24, 23);
    outline.lineTo(4, 23);
    outline.closeSubpath();
    p.setPen(pen(kRoomEdge, kEdge));
    p.setBrush(kRoomFill);
    p.drawPath(outline);
    QPainterPath bulge;
    bulge.moveTo(4, 11);
    bulge.quadTo(14, 0, 24, 11);
    p.setPen(pen(kOrange, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bulge);
}

void cutRectangle(QPainter& p) {
    room(p, {{4, 5}, {10, 5}, {10, 11}, {18, 11}, {18, 5}, {24, 5}, {24, 23}, {4, 23}});
    polyline(p, {{10, 5}, {10, 11}, {18, 11}, {18, 5}}, pen(kOrange, 2.4));
}

void cutTrapezoid(QPainter& p) {
    room(p, {{4, 5}, {8, 5}, {11.5, 11.5}, {16.5, 11.5}, {20, 5}, {24, 5}, {24, 23}, {4, 23}});
    polyline(p, {{8, 5}, {11.5, 11.5}, {16.5, 11.5}, {20, 5}}, pen(kOrange, 2.4));
}

void innerCutout(QPainter& p) {
    room(p, roomRectangle());
    p.setPen(pen(kOrange, 2.2));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(14, 14), 5, 5);
}

void bend(QPainter& p) {
    // A two-level ceiling: the right part is a second level bounded by the fold line.
    room(p, roomRectangle());
    QPainterPath level;
    level.moveTo(15, 5);
    level.quadTo(11, 14, 15, 23);
    level.lineTo(24, 23);
    level.lineTo(24, 5);
    level.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kRoomFillDark);
    p.drawPath(level);
    QPainterPath fold;
    fold.moveTo(15, 5);
    fold.quadTo(11, 14, 15, 23);
    p.setPen(pen(kOrange, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(fold);
    shape(p, roomRectangle(), Qt::transparent, pen(kRoomEdge, kEdge));
}

void program(QPainter& p) {
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, 26, 26), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(kRoomEdge);
    p.drawPath(tile);
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF{{6, 7}, {22, 7}, {22, 21}, {14, 21}, {14, 15}, {6, 15}});
    const QPen seam = pen(kBlue, 1.2);
    line(p, {11.5, 7.5}, {11.5, 14.5}, seam);
    line(p, {17, 7.5}, {17, 20.5}, seam);
}

} // namespace

bool paintCommandPicture(QPainter& p, int id) {
    p.save();
    bool painted = true;
    switch (id) {
    case -1:
        program(p);
        break;
    case cmd::kNewProject:
        newProject(p);
        break;
    case cmd::kSave:
        save(p);
        break;
    case cmd::kOpen:
        open(p);
        break;
    case cmd::kProjectInfo:
        projectInfo(p);
        break;
    case cmd::kPreview:
        preview(p);
        break;
    case cmd::kPrint:
        print(p);
        break;
    case cmd::kReport:
        report(p);
        break;
    case cmd::kUndo:
        undoArrow(p, false);
        break;
    case cmd::kRedo:
        undoArrow(p, true);
        break;
    case cmd::kZoomIn:
        zoom(p, true);
        break;
    case cmd::kZoomOut:
        zoom(p, false);
        break;
    case cmd::kPan:
        pan(p);
        break;
    case cmd::kRuler:
        ruler(p);
        break;
    case cmd::kCutting:
        canvases(p);
        break;
    case cmd::kShowGrid:
        grid(p);
        break;
    case cmd::kSnapToGrid:
        snapToGrid(p);
        break;
    case cmd::kShowPoints:
        showPoints(p);
        break;
    case cmd::kShowLengths:
        showLengths(p);
        break;
    case cmd::kShowConstructions:
        showConstructions(p);
        break;
    case cmd::kShowAngles:
        showAngles(p);
        break;
    case cmd::kShowCanvasDistances:
        canvasDistances(p);
        break;
    case cmd::kMaterials:
        materials(p);
        break;
    case cmd::kDealerMode:
        dealer(p);
        break;
    case cmd::kRightAngle:
        rightAngle(p);
        break;
    case cmd::kTriangleOutward:
    case cmd::kTriangleInward:
    case cmd::kTriangleAuto:
        triangle(p, id);
        break;
    case cmd::kPhotos:
        photos(p);
        break;
    case cmd::kEditPoints:
        editPoints(p);
        break;
    case cmd::kInsertPoints:
        insertPoints(p);
        break;
    case cmd::kDeletePoints:
        deletePoints(p);
        break;
    case cmd::kInsertDiagonal:
    case cmd::kSelectDiagonal:
    case cmd::kDeleteDiagonal:
        diagonal(p, id);
        break;
    case cmd::kCornerCut:
        cornerCut(p);
        break;
    case cmd::kArc:
        arc(p);
        break;
    case cmd::kCutRectangle:
        cutRectangle(p);
        break;
    case cmd::kCutTrapezoid:
        cutTrapezoid(p);
        break;
    case cmd::kInnerCutout:
        innerCutout(p);
        break;
    case cmd::kBend:
        bend(p);
        break;
    default:
        painted = false;
    }
    p.restore();
    return painted;
}

} // namespace tenzora
