#pragma once
// The materials base held by the document for the whole run.

#include <cstdint>

#include "model/static_array.h"
#include "storage/material.h"

class TZMaterialBase : public TZStaticArray<Material> {
public:
    // The value read from the file's counter (stored between records 0 and 1).
    std::int32_t loadCounter = 0;
};
