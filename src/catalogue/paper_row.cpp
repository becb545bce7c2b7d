#include "catalogue/paper_row.h"

namespace {

constexpr unsigned short kContinuousLengthValue2 = 1500;
constexpr unsigned short kContinuousLengthValue3 = 30000;
constexpr unsigned short kContinuousMinLengthTenthMm = 254;

// The id and the geometry that every kind of row carries; the other fields stay 0.
template <class Row>
Paper geometryOf(const Row& row) {
    Paper p;
    p.paperId = row.paperId;
    p.widthMm = row.widthMm;
    p.lengthMm = row.lengthMm;
    p.widthDots = row.widthDots;
    p.lengthDots = row.lengthDots;
    p.sideMarginDots = row.sideMarginDots;
    p.feedMarginDots = row.feedMarginDots;
    p.printableWidthDots = row.printableWidthDots;
    p.printableLengthDots = row.printableLengthDots;
    return p;
}

}  // namespace

Paper toPaper(const FullPagePaperRow& row) {
    Paper p = geometryOf(row);
    p.paperNameMm = row.name;
    p.paperNameInch = row.name;
    p.leftOffsetDots = row.leftOffsetDots;
    p.leftOffsetBytes = row.leftOffsetBytes;
    p.fcPaperCommandValue = row.fcPaperCommandValue;
    p.isCustomSize = row.isCustomSize;
    p.lengthValue1 = row.lengthValue1;
    return p;
}

Paper toPaper(const SheetPaperRow& row) {
    Paper p = geometryOf(row);
    p.paperNameMm = row.name;
    p.paperNameInch = row.name;
    p.lengthValue1 = row.lengthValue1;
    return p;
}

Paper toPaper(const MediaPaperRow& row, const MediaListTraits& traits) {
    Paper p = geometryOf(row);
    p.paperNameMm = row.nameMm;
    p.paperNameInch = row.nameInch;
    p.leftOffsetDots = row.leftOffsetDots;
    p.rightOffsetDots = row.rightOffsetDots;
    p.mediaWidthMm = row.mediaWidthMm;
    p.mediaLengthMm = row.mediaLengthMm;
    p.mediaType = row.mediaType;
    p.qualityMediaType = row.qualityMediaType;
    p.widthTenthMm = row.widthTenthMm;
    p.lengthTenthMm = row.lengthTenthMm;
    p.printableWidthTenthMm = row.printableWidthTenthMm;
    p.printableLengthTenthMm = row.printableLengthTenthMm;
    p.mediaId = row.mediaId;
    p.mediaColorCode = traits.mediaColorCode;
    p.isTwoColor = traits.isTwoColor;
    p.isTube = traits.isTube;
    if (traits.continuousMinimumLength && row.lengthDots == 0) {
        p.lengthValue2 = kContinuousLengthValue2;
        p.lengthValue3 = kContinuousLengthValue3;
        p.minLengthTenthMm = kContinuousMinLengthTenthMm;
    }
    return p;
}
