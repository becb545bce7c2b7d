#include "catalogue/printer_spec.h"

#include <cmath>

int PrinterSpec::minPrintableAreaLength_dot() const {
    // A margin larger than half the minimum leaves nothing printable, not a wrapped value.
    const int d = static_cast<int>(minLengthTenthMm) - 2 * static_cast<int>(lengthMarginTenthMm);
    if (d <= 0) {
        return 0;
    }
    // Single precision, in this order: tenths of a millimetre to inches, then to dots.
    const float dots = static_cast<float>(d) / 254.0f * static_cast<float>(dpi);
    return static_cast<int>(std::ceil(dots));
}
