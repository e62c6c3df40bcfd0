#pragma once
// Project images built byte by byte, independently of the program's stream and writer, so that a
// test can hold the program's layout against the field table and feed the reader exact bytes.

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

#include "model/ceiling.h"
#include "storage/codepage.h"

namespace tenzora {

// Little-endian values appended to a byte string; fieldStart remembers where each numbered field
// of the project image begins.
struct ImageBytes {
    std::string bytes;
    std::map<int, std::size_t> fieldStart;

    void field(int n) { fieldStart[n] = bytes.size(); }
    void u8(unsigned v) { bytes.push_back(static_cast<char>(v & 0xFF)); }
    void i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            u8((u >> (8 * i)) & 0xFF);
    }
    void f64(double v) {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        for (int i = 0; i < 8; ++i)
            u8(static_cast<unsigned>((u >> (8 * i)) & 0xFF));
    }
    void str(std::string_view cp1251) {
        bytes.append(cp1251);
        u8(0);
    }
    // UTF-16LE: characters above U+FFFF become surrogate pairs.
    void wstr(std::wstring_view text) {
        for (wchar_t ch : text) {
            const auto c = static_cast<std::uint32_t>(ch);
            if (c >= 0x10000) {
                const std::uint32_t v = c - 0x10000;
                u8(0xD800 + (v >> 10));
                u8((0xD800 + (v >> 10)) >> 8);
                u8(0xDC00 + (v & 0x3FF));
                u8((0xDC00 + (v & 0x3FF)) >> 8);
            } else {
                u8(c);
                u8(c >> 8);
            }
        }
        u8(0);
        u8(0);
    }
    void point(const Vertex& v) {
        f64(v.x);
        f64(v.y);
    }
    // Overwrites the int32 at an offset (to plant a count or an index).
    void patchI32(std::size_t at, std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
    // The first `field` fields only (the image cut right before field `field`).
    std::string before(int fieldNumber) const { return bytes.substr(0, fieldStart.at(fieldNumber)); }
};

// The image of a document, field by field, as the project file stores it. Single-byte texts are
// converted with the code page table (tested on its own); everything else is encoded here.
inline ImageBytes expectedImage(const TZCeiling& doc) {
    ImageBytes b;
    auto ansi = [](const std::wstring& t) { return codepage::toCp1251(t); };
    b.field(1);
    b.str(std::string("Tenzora file format. Version 1.01. $") + doc.priceTag);
    b.field(2), b.u8(doc.view.snapToGrid);
    b.field(3), b.i32(doc.editor.diagonalTool);
    b.field(4), b.i32(doc.editor.pointTool);
    b.field(5), b.str(ansi(doc.orderDate));
    b.field(6), b.i32(doc.diagonals.count());
    b.field(7);
    for (const Diagonal& d : doc.diagonals) {
        b.u8(static_cast<unsigned>(d.visits) & 0xFF);
        b.f64(d.length);
        b.f64(d.spare);
        b.i32(d.a);
        b.i32(d.b);
        b.u8(d.isSide ? 1 : 0);
    }
    b.field(8), b.f64(0.0);
    b.field(9), b.i32(static_cast<std::int32_t>(doc.view.gridStep));
    b.field(10), b.str(ansi(doc.client));
    b.field(11), b.str(ansi(doc.orderName));
    b.field(12), b.str(ansi(doc.orderNumber));
    b.field(13), b.i32(doc.polygon.count());
    b.field(14), b.u8(doc.polygon.defined);
    b.field(15);
    for (const Vertex& v : doc.polygon) {
        b.u8(v.rightAngle ? 1 : 0);
        b.f64(v.x);
        b.f64(v.y);
        b.i32(v.sidePreference);
    }
    b.field(16), b.i32(doc.view.panX);
    b.field(17), b.i32(doc.view.panY);
    b.field(18), b.i32(0);
    b.field(19), b.i32(doc.editor.currentDiagonal);
    b.field(20), b.i32(doc.editor.draggedVertex);
    b.field(21), b.i32(doc.editor.mode);
    b.field(22), b.i32(doc.editor.editorVertex2);
    b.field(23), b.i32(doc.editor.pendingVertex);
    b.field(24), b.i32(doc.seamLines.count());
    b.field(25);
    for (const Vertex& v : doc.seamLines)
        b.point(v);
    b.field(26), b.i32(doc.view.viewHeight);
    b.field(27), b.i32(doc.view.viewWidth);
    b.field(28), b.u8(doc.view.showLengths);
    b.field(29), b.u8(doc.view.showGrid);
    b.field(30), b.u8(doc.view.showPointNames);
    b.field(31), b.f64(doc.view.scaleX);
    b.field(32), b.f64(doc.view.scaleY);
    b.field(33), b.i32(doc.editor.rulerPoints.count());
    b.field(34);
    for (const Vertex& v : doc.editor.rulerPoints)
        b.point(v);
    b.field(35), b.i32(doc.material.id);
    b.field(36), b.i32(doc.material.groupId);
    b.field(37), b.u8(doc.material.isGroup ? 1 : 0);
    b.field(38), b.f64(doc.material.tensionCoef);
    b.field(39), b.f64(doc.material.offcutPriceCoef);
    b.field(40), b.str(doc.material.name);
    b.field(41), b.f64(doc.material.width);
    b.field(42), b.i32(0);
    b.field(43), b.i32(doc.editor.hoverDiagonal);
    b.field(44), b.i32(doc.editor.hoverVertex);
    b.field(45), b.i32(doc.addPoints.count());
    b.field(46);
    for (const TZAddPoint& p : doc.addPoints) {
        b.point(p.point);
        b.point(p.edgeStart);
        b.point(p.edgeEnd);
    }
    b.field(47), b.f64(doc.materialQuantity);
    b.field(48), b.f64(doc.offcuts);
    b.field(49), b.i32(doc.dops.count());
    b.field(50);
    for (const TZDop& d : doc.dops) {
        b.f64(d.depth);
        b.f64(d.distance1);
        b.f64(d.distance2);
        b.i32(d.vertex1);
        b.i32(d.vertex2);
        b.i32(d.kind);
        b.f64(d.depth2);
        b.f64(d.width);
        b.f64(d.arcLength);
        b.i32(d.extraPoints);
    }
    b.field(51), b.u8(doc.showConstructions);
    b.field(52), b.str(ansi(doc.note));
    b.field(53), b.i32(doc.seamFrom);
    b.field(54), b.i32(doc.seamTo);
    b.field(55), b.point(doc.seamLineStart);
    b.field(56), b.point(doc.seamLineEnd);
    b.field(57), b.u8(doc.modified);
    b.field(58), b.u8(doc.outlineFormed);
    b.field(59), b.i32(doc.baseSide);
    b.field(60), b.f64(doc.seamOffset);
    b.field(61), b.u8(doc.seamPerpendicular);
    b.field(62), b.u8(doc.view.showAngles);
    b.field(63), b.f64(doc.canvasLengthTotal);
    b.field(64), b.i32(doc.canvasLengths.count());
    b.field(65);
    for (double len : doc.canvasLengths)
        b.f64(len);
    b.field(66), b.u8(doc.view.showCanvasDistances);
    b.field(67), b.i32(doc.seamWidth);
    b.field(68), b.i32(doc.holes.count());
    b.field(69);
    for (const TZHole& h : doc.holes) {
        b.f64(h.size1);
        b.i32(h.type);
        b.i32(h.mode);
        b.i32(h.rows.count());
        for (const TZHoleDiagonal& r : h.rows) {
            b.i32(r.vertex1);
            b.f64(r.distance1);
            b.i32(r.vertex2);
            b.f64(r.distance2);
        }
    }
    b.field(70), b.i32(doc.dopHoleOrder.count());
    b.field(71);
    for (const TZDopAndHole& e : doc.dopHoleOrder) {
        b.i32(e.index);
        b.i32(e.type);
    }
    b.field(72);
    for (const TZAddPoint& p : doc.addPoints)
        b.u8(p.mark);
    b.field(73), b.i32(doc.seamFrom2);
    b.field(74), b.i32(doc.seamTo2);
    b.field(75), b.u8(doc.twoDiagonals);
    b.field(76), b.f64(doc.seamOffset2);
    b.field(77);
    for (const TZHole& h : doc.holes) {
        b.i32(h.pointCount);
        b.i32(h.angleFrom);
        b.i32(h.angleTo);
    }
    b.field(78), b.u8(doc.sentToWork);
    b.field(79), b.u8(doc.harpoon);
    b.field(80), b.i32(doc.city);
    b.field(81), b.wstr(doc.ceilingType);
    b.field(82), b.i32(doc.extraWorks.count());
    b.field(83);
    for (const TZDopRabObject& w : doc.extraWorks) {
        b.wstr(w.name);
        b.f64(w.quantity);
    }
    b.field(84), b.i32(doc.photos.count());
    b.field(85);
    for (const TZPicture& p : doc.photos) {
        b.str(ansi(p.path));
        b.i32(p.rect.left);
        b.i32(p.rect.top);
        b.i32(p.rect.right);
        b.i32(p.rect.bottom);
    }
    b.field(86), b.i32(doc.shownPhoto >= 0 ? doc.shownPhoto + 1 : 0);
    b.field(87), b.f64(doc.tensionY);
    b.field(88); // the end
    return b;
}

// A project with every list non-empty and every stored member away from its default.
inline void fillEveryField(TZCeiling& doc) {
    doc.view.snapToGrid = true;
    doc.editor.diagonalTool = 2;
    doc.editor.pointTool = 1;
    doc.orderDate = L"12.03.2024";
    const double corners[4][2] = {{0, 0}, {400, 0}, {400, 300}, {0, 300}};
    for (int i = 0; i < 4; ++i) {
        Vertex v = makeVertex(corners[i][0], corners[i][1]);
        v.rightAngle = static_cast<std::uint8_t>(i % 2);
        v.sidePreference = i % 3;
        doc.polygon.append(v);
    }
    doc.polygon.defined = true;
    const int pairs[5][2] = {{0, 1}, {1, 2}, {2, 3}, {0, 3}, {0, 2}};
    const double lengths[5] = {400, 300, 400, 300, 500};
    for (int i = 0; i < 5; ++i) {
        Diagonal d;
        d.a = pairs[i][0];
        d.b = pairs[i][1];
        d.length = lengths[i];
        d.visits = i + 1;
        d.spare = 0.25 * i;
        d.isSide = i < 4 ? 1 : 0;
        doc.diagonals.append(d);
    }
    doc.view.gridStep = 25.0;
    doc.client = L"Иванов Иван Иванович¬+7 900 000-00-00";
    doc.orderName = L"Кухня";
    doc.orderNumber = L"№ 17";
    doc.view.panX = -12;
    doc.view.panY = 34;
    doc.editor.currentDiagonal = 4;
    doc.editor.draggedVertex = 1;
    doc.editor.mode = kModeCutting;
    doc.editor.editorVertex2 = 2;
    doc.editor.pendingVertex = 3;
    for (int i = 0; i < 4; ++i)
        doc.seamLines.append(makeVertex(10.5 * i, 300.0 - i));
    doc.view.viewHeight = 600;
    doc.view.viewWidth = 800;
    doc.view.showLengths = true;
    doc.view.showGrid = false;
    doc.view.showPointNames = true;
    doc.view.scaleX = 0.5f;
    doc.view.scaleY = 0.75f;
    doc.editor.rulerPoints.append(makeVertex(1.5, 2.5));
    doc.editor.rulerPoints.append(makeVertex(-3.5, 4.5));
    doc.material.id = 7;
    doc.material.groupId = 3;
    doc.material.isGroup = 0;
    doc.material.tensionCoef = 0.95;
    doc.material.offcutPriceCoef = 1.2;
    doc.material.name = codepage::toCp1251(L"Белый матовый 320");
    doc.material.width = 320.0;
    doc.editor.hoverDiagonal = 2;
    doc.editor.hoverVertex = 0;
    for (int i = 0; i < 2; ++i) {
        TZAddPoint p;
        p.point = makeVertex(100.0 + i, 0.0);
        p.edgeStart = makeVertex(0, 0);
        p.edgeEnd = makeVertex(400, 0);
        p.mark = static_cast<std::uint8_t>(1 - i);
        doc.addPoints.append(p);
    }
    doc.materialQuantity = 13.5;
    doc.offcuts = 1.25;
    TZDop niche;
    niche.kind = static_cast<std::int32_t>(TZDopKind::Rectangle);
    niche.vertex1 = 0;
    niche.vertex2 = 1;
    niche.distance1 = 50;
    niche.distance2 = 60;
    niche.depth = 30;
    niche.width = 290;
    doc.dops.append(niche);
    TZDop arc;
    arc.kind = static_cast<std::int32_t>(TZDopKind::Arc);
    arc.vertex1 = 1;
    arc.vertex2 = 2;
    arc.depth = -20;
    // The radius the working outline computes for this arc: loading rebuilds the outline (to
    // capture the cutout rows' points) and writes it again.
    arc.depth2 = 15.625;
    arc.arcLength = 12;
    arc.extraPoints = 9;
    doc.dops.append(arc);
    doc.showConstructions = true;
    doc.note = L"Потолок белый, люстра по центру";
    doc.seamFrom = 0;
    doc.seamTo = 1;
    doc.seamLineStart = makeVertex(-5, 7);
    doc.seamLineEnd = makeVertex(405, 7);
    doc.modified = true;
    doc.outlineFormed = true;
    doc.baseSide = 0;
    doc.seamOffset = 12.5;
    doc.seamPerpendicular = true;
    doc.view.showAngles = true;
    doc.canvasLengthTotal = 6.5;
    doc.canvasLengths.append(3.2);
    doc.canvasLengths.append(3.3);
    doc.view.showCanvasDistances = true;
    doc.seamWidth = 2;
    TZHole rect;
    rect.size1 = 40;
    rect.type = static_cast<std::int32_t>(TZHoleType::Rectangle);
    rect.mode = 1;
    rect.pointCount = 0;
    rect.angleFrom = 10;
    rect.angleTo = 80;
    for (int i = 0; i < 2; ++i) {
        TZHoleDiagonal row;
        row.vertex1 = i;
        row.vertex2 = i + 1;
        row.distance1 = 100.0 + i;
        row.distance2 = 150.0 + i;
        rect.rows.append(row);
    }
    doc.holes.append(rect);
    TZHole circle;
    circle.size1 = 25;
    circle.type = static_cast<std::int32_t>(TZHoleType::Circle);
    circle.pointCount = 36;
    circle.angleTo = 360;
    TZHoleDiagonal row;
    row.vertex1 = 2;
    row.vertex2 = 3;
    row.distance1 = 200;
    row.distance2 = 210;
    circle.rows.append(row);
    doc.holes.append(circle);
    doc.dopHoleOrder.append({kOrderConstruction, 0});
    doc.dopHoleOrder.append({kOrderCutout, 0});
    doc.dopHoleOrder.append({kOrderConstruction, 1});
    doc.dopHoleOrder.append({kOrderCutout, 1});
    doc.seamFrom2 = 2;
    doc.seamTo2 = 3;
    doc.twoDiagonals = true;
    doc.seamOffset2 = 7.5;
    doc.sentToWork = true;
    doc.harpoon = 2;
    doc.city = 1;
    doc.ceilingType = L"Сатин ☂ 𝄞";
    doc.extraWorks.append({L"Люстра", 2.0});
    doc.extraWorks.append({L"%Срочность", 1.0});
    TZPicture first;
    first.path = L"/home/мастер/фото/1.jpg";
    first.rect = {10, 20, 110, 220};
    doc.photos.append(first);
    TZPicture second;
    second.path = L"/home/мастер/фото/2.jpg";
    second.rect = {-5, 15, 300, 400};
    doc.photos.append(second);
    doc.shownPhoto = 1;
    doc.tensionY = 0.96;
}

} // namespace tenzora
