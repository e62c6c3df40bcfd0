"""Reads a DXF file with ezdxf, an independent reader, and prints what the tests compare:
INSUNITS n / AUDIT errors / LAYER name / POLY layer closed count x y ... / TEXT layer text."""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
print("INSUNITS", doc.header.get("$INSUNITS", 0))
print("AUDIT", len(doc.audit().errors))
for layer in doc.layers:
    print("LAYER", layer.dxf.name)
for e in doc.modelspace():
    kind = e.dxftype()
    if kind == "LWPOLYLINE":
        points = list(e.get_points("xy"))
        coords = " ".join("%.6f %.6f" % p for p in points)
        print("POLY", e.dxf.layer, 1 if e.closed else 0, len(points), coords)
    elif kind == "TEXT":
        print("TEXT", e.dxf.layer, e.plain_text() if hasattr(e, "plain_text") else e.dxf.text)
    else:
        print("OTHER", kind)
