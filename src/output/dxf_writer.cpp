#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <system_error>

#include "output/cad_drawing.h"
#include "output/cad_files.h"
#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {

// The units code of centimetres in the DXF header.
constexpr int kInsunitsCentimetres = 5;
// Text justification codes: centred on the base line.
constexpr int kCentre = 1;
constexpr int kBaseLine = 0;
// dxflib ties the dimension style to the text style of exactly this name.
constexpr char kTextStyle[] = "Standard";
constexpr char kEndOfFile[] = "EOF";
constexpr double kExtentMargin = 0.05;

// DXF text of a drawing text: ASCII as it is, everything else as \U+XXXX.
std::string dxfText(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) {
        const auto code = static_cast<unsigned long>(c);
        if (code >= 0x20 && code < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else if (code > 0xFFFF || code < 0x20) {
            out.push_back('?');
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\U+%04lX", code);
            out += escape;
        }
    }
    return out;
}

void writeTables(DL_Dxf& dxf, DL_WriterA& dw, const CadDrawing& drawing) {
    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    dw.tableEnd();
    dw.tableLayers(static_cast<int>(drawing.layers.size()) + 1);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", DL_Codes::black, 100, "CONTINUOUS", 1.0));
    for (const CadLayer layer : drawing.layers)
        dxf.writeLayer(dw, DL_LayerData(cadLayerName(layer), 0),
                       DL_Attributes("", cadLayerColour(layer), 100, "CONTINUOUS", 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData(kTextStyle, 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();
}

void writeBlocks(DL_Dxf& dxf, DL_WriterA& dw) {
    dw.sectionBlocks();
    for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, name);
    }
    dw.sectionEnd();
}

void writeEntities(DL_Dxf& dxf, DL_WriterA& dw, const CadDrawing& drawing) {
    dw.sectionEntities();
    for (const CadPolyline& line : drawing.lines) {
        const DL_Attributes attributes(cadLayerName(line.layer), 256, -1, "BYLAYER", 1.0);
        dxf.writePolyline(
            dw, DL_PolylineData(static_cast<int>(line.points.size()), 0, 0, line.closed ? 1 : 0), attributes);
        for (const Vertex& p : line.points)
            dxf.writeVertex(dw, DL_VertexData(p.x, p.y, 0.0, 0.0));
        dxf.writePolylineEnd(dw);
    }
    for (const CadText& text : drawing.texts) {
        const DL_Attributes attributes(cadLayerName(text.layer), 256, -1, "BYLAYER", 1.0);
        dxf.writeText(dw,
                      DL_TextData(text.at.x, text.at.y, 0.0, text.at.x, text.at.y, 0.0, text.height, 1.0, 0,
                                  kCentre, kBaseLine, dxfText(text.text), kTextStyle, text.angle),
                      attributes);
    }
    dw.sectionEnd();
}

// $EXTMIN and $EXTMAX: the drawing's extent, which CAD programs zoom to and which LibreOffice
// needs to place a drawing of polylines and texts on its page.
void writeExtent(DL_WriterA& dw, const CadDrawing& drawing) {
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    const auto take = [&](double x, double y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    };
    for (const CadPolyline& line : drawing.lines)
        for (const Vertex& p : line.points)
            take(p.x, p.y);
    for (const CadText& text : drawing.texts) {
        take(text.at.x - text.height, text.at.y);
        take(text.at.x + text.height, text.at.y + text.height);
    }
    if (!(minX <= maxX && minY <= maxY)) minX = minY = maxX = maxY = 0;
    // A margin, so that lines on the border are not cut by a viewer's page.
    const double margin = std::max(maxX - minX, maxY - minY) * kExtentMargin;
    minX -= margin;
    minY -= margin;
    maxX += margin;
    maxY += margin;
    dw.dxfString(9, "$EXTMIN");
    dw.dxfReal(10, minX);
    dw.dxfReal(20, minY);
    dw.dxfReal(30, 0.0);
    dw.dxfString(9, "$EXTMAX");
    dw.dxfReal(10, maxX);
    dw.dxfReal(20, maxY);
    dw.dxfReal(30, 0.0);
}

// Whether the file was written to its end (the writer does not report failed writes).
bool complete(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    const std::streamoff tail = 16;
    if (size < tail) return false;
    in.seekg(size - tail);
    std::string end(static_cast<std::size_t>(tail), '\0');
    in.read(end.data(), tail);
    return in && end.find(kEndOfFile) != std::string::npos;
}

} // namespace

bool writeDxf(const CadDrawing& drawing, const std::filesystem::path& path) {
    std::filesystem::path partial = path;
    partial += ".part";
    {
        DL_Dxf dxf;
        std::unique_ptr<DL_WriterA> dw(dxf.out(partial.string().c_str(), DL_Codes::AC1015));
        if (!dw) return false;
        dxf.writeHeader(*dw);
        dw->dxfString(9, "$INSUNITS");
        dw->dxfInt(70, kInsunitsCentimetres);
        writeExtent(*dw, drawing);
        dw->sectionEnd();
        writeTables(dxf, *dw, drawing);
        writeBlocks(dxf, *dw);
        writeEntities(dxf, *dw, drawing);
        dxf.writeObjects(*dw);
        dxf.writeObjectsEnd(*dw);
        dw->dxfEOF();
        dw->close();
    }
    std::error_code ec;
    if (!complete(partial)) {
        std::filesystem::remove(partial, ec);
        return false;
    }
    return replaceWithWritten(partial, path);
}

} // namespace tenzora
