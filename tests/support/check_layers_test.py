#!/usr/bin/env python3
"""scripts/check-layers finds what it must find and passes what is allowed, on a small tree."""
import os
import subprocess
import sys
import tempfile

script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "check-layers")
files = {
    # allowed: down the order, sideways within the document, windows and backends above the core
    "src/editor/painting.cpp": '#include "model/ceiling.h"\n#include "cutting/layout.h"\n#include <vector>\n',
    "src/model/undo.cpp": '#include "storage/project_image.h"\n',
    "src/editor/ui/view.cpp": '#include <QWidget>\n#include "app/commands.h"\n',
    "src/platform/qt/qt_surface.cpp": '#include <QPainter>\n#include "output/gif_writer.h"\n',
    "src/cli/main.cpp": '#include "platform/qt/qt_surface.h"\n#include "app/commands.h"\n',
    # refused
    "src/model/names.cpp": '#include "business/estimate.h"\n',
    "src/cutting/layout.cpp": '  #  include "editor/painting.h"\n',
    "src/output/sheet.cpp": '#include <QString>\n',
    "src/app/commands.cpp": '#include "app/ui/main_frame.h"\n',
    "src/cli/print.cpp": '#include "platform/qt/widgets_dialogs.h"\n',
}
expected = {"src/model/names.cpp:1", "src/cutting/layout.cpp:1", "src/output/sheet.cpp:1",
            "src/app/commands.cpp:1", "src/cli/print.cpp:1"}
with tempfile.TemporaryDirectory() as root:
    for name, text in files.items():
        os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
        with open(os.path.join(root, name), "w") as file:
            file.write(text)
    run = subprocess.run([sys.executable, script, root], capture_output=True, text=True)
    found = {line.split(": ")[0] for line in run.stdout.splitlines() if line.startswith("src/")}
    if run.returncode != 1 or found != expected:
        print(run.stdout)
        print("expected", sorted(expected), "found", sorted(found), "exit", run.returncode)
        sys.exit(1)
print("ok")
