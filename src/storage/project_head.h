#pragma once
// The first fields of the project image, 2 … 48, described once: the project writer and reader
// walk them for the document (project_image.cpp, which goes on with the fields after them), the
// receipt writer for a receipt, and the stock and client scans read them from files. A material
// record, stored in the project image and in materials.mat alike, is described here too.
//
// The walks take an Io (image_io.h) that stores or reads each field as the description names it.

#include <cstdint>
#include <string>

#include "model/add_point.h"
#include "model/polygon.h"
#include "model/static_array.h"
#include "storage/material.h"
#include "storage/project_image.h"

namespace tenzora {

// The material record: the project's material (fields 35 … 41, from `firstField` on) and a row
// of materials.mat store the same members in the same order. A writer may take a const record.
template <class Io, class Record> void visitMaterial(Io& io, Record& m, int firstField) {
    io.int32(firstField, m.id);
    io.int32(firstField + 1, m.groupId);
    io.flag(firstField + 2, m.isGroup);
    io.real(firstField + 3, m.tensionCoef);
    io.real(firstField + 4, m.offcutPriceCoef);
    io.materialName(firstField + 5, m);
    io.real(firstField + 6, m.width);
}

// Fields 2 … 48 of a document: the project document itself, or a ProjectHead. Lists are a count
// (the field named) followed by their items (the next field).
template <class Io, class Doc> void visitProjectHead(Io& io, Doc& doc) {
    using projectImage::kMaxAddPointCount;
    using projectImage::kMaxListCount;
    io.flag(2, doc.view.snapToGrid);
    io.int32(3, doc.editor.diagonalTool);
    io.int32(4, doc.editor.pointTool);
    io.text(5, doc.orderDate);
    io.list(6, doc.diagonals, kMaxListCount, [](auto& io, Diagonal& d) {
        io.lowByte(d.visits);
        io.real(d.length);
        io.real(d.spare);
        io.int32(d.a);
        io.int32(d.b);
        io.flag(d.isSide);
    });
    io.reservedReal(8);
    io.wholeNumber(9, doc.view.gridStep);
    io.text(10, doc.client);
    io.text(11, doc.orderName);
    io.text(12, doc.orderNumber);
    io.list(
        13, doc.polygon, kMaxListCount, [&doc](auto& io, int field) { io.flag(field, doc.polygon.defined); },
        [](auto& io, Vertex& v) {
            io.flag(v.rightAngle);
            io.real(v.x);
            io.real(v.y);
            io.int32(v.sidePreference);
        });
    io.int32(16, doc.view.panX);
    io.int32(17, doc.view.panY);
    io.reserved32(18);
    io.reference(19, doc.editor.currentDiagonal, doc.diagonals.count());
    io.reference(20, doc.editor.draggedVertex, doc.polygon.count());
    io.int32(21, doc.editor.mode);
    io.reference(22, doc.editor.editorVertex2, doc.polygon.count());
    io.reference(23, doc.editor.pendingVertex, doc.polygon.count());
    // The canvas under the mouse is a seam line: forgotten when the seam lines are read.
    io.resetWhenRead(24, doc.editor.hoverCanvas, -1);
    io.list(24, doc.seamLines, kMaxListCount, [](auto& io, Vertex& v) { io.point(v); });
    io.int32(26, doc.view.viewHeight);
    io.int32(27, doc.view.viewWidth);
    io.flag(28, doc.view.showLengths);
    io.flag(29, doc.view.showGrid);
    io.flag(30, doc.view.showPointNames);
    io.scale(31, doc.view.scaleX);
    io.scale(32, doc.view.scaleY);
    io.list(33, doc.editor.rulerPoints, kMaxListCount, [](auto& io, Vertex& v) { io.point(v); });
    visitMaterial(io, doc.material, 35);
    io.reserved32(42);
    io.reference(43, doc.editor.hoverDiagonal, doc.diagonals.count());
    io.reference(44, doc.editor.hoverVertex, doc.polygon.count());
    io.list(45, doc.addPoints, kMaxAddPointCount, [](auto& io, TZAddPoint& p) {
        io.point(p.point);
        io.point(p.edgeStart);
        io.point(p.edgeEnd);
    });
    io.real(47, doc.materialQuantity);
    io.real(48, doc.offcuts);
}

// Fields 2 … 48 on their own, as a receipt stores them and the scans read them: texts as their
// Windows-1251 bytes, every other member 0 or empty until set. The lists stay empty when read
// (the scans skip them by their counts).
struct ProjectHead {
    // The view and editor fields, under the names of the document's parts.
    struct View {
        double gridStep = 0.0;
        std::int32_t panX = 0, panY = 0;
        std::int32_t viewHeight = 0, viewWidth = 0;
        bool snapToGrid = false, showLengths = false, showGrid = false, showPointNames = false;
        float scaleX = 0.0f, scaleY = 0.0f;
    };
    struct Editor {
        std::int32_t diagonalTool = 0;
        std::int32_t pointTool = 0;
        std::int32_t currentDiagonal = 0;
        std::int32_t draggedVertex = 0;
        std::int32_t mode = 0;
        std::int32_t editorVertex2 = 0;
        std::int32_t pendingVertex = 0;
        std::int32_t hoverCanvas = 0; // not stored
        TZRulers rulerPoints;
        std::int32_t hoverDiagonal = 0;
        std::int32_t hoverVertex = 0;
    };
    View view;
    Editor editor;
    std::string orderDate;
    Diagonals diagonals;
    std::string client;
    std::string orderName;
    std::string orderNumber;
    CPolygon polygon;
    TZStaticArray<Vertex> seamLines;
    Material material;
    TZStaticArray<TZAddPoint> addPoints;
    double materialQuantity = 0.0;
    double offcuts = 0.0;
};

} // namespace tenzora
