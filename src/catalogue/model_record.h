#pragma once

#include "catalogue/model.h"

// The stored record of one model: `length` bytes at `data`, or no data (null, 0) for a
// value without a record (43, 44, NO_MODEL and anything outside the catalogue).
struct ModelRecord {
    const unsigned char* data = nullptr;
    int length = 0;
};

ModelRecord modelRecord(Model model);
