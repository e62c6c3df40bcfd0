#pragma once
// What the program reads from its own folder and uses for every project it opens: the materials
// base, the logos, the print forms and the report templates. None of it is saved with a project.
// The application object owns them for the whole run; a document made on its own (the command
// line's, a test's) owns a set of its own.

#include "model/print_form.h"
#include "model/static_array.h"
#include "model/word_form.h"
#include "platform/bitmap.h"
#include "storage/material_base.h"

namespace tenzora {

struct TZProgramResources {
    TZMaterialBase materialBase;
    Bitmap logo;      // logo.bmp of the program directory, drawn in the empty view
    Bitmap printLogo; // printlogo.bmp, drawn on the printed sheet
    TZStaticArray<TZPrintForm> printForms;
    TZStaticArray<TZWordForm> wordForms;
};

} // namespace tenzora
