// Page commands of RasterData: the command blocks ahead of the first, the other and the
// last page, and the job-level commands the print job places around the pages. Every
// builder appends one command; multi-byte operands are little-endian.
#include <array>
#include <iterator>

#include "common/byte_order.h"
#include "common/error_code.h"
#include "connection/print_status_manager.h"
#include "connection/printer_status.h"
#include "connection/util.h"
#include "raster/image_limits.h"
#include "raster/media_info_blocks.h"
#include "raster/raster_data.h"

namespace error = lumeko::error;

using lumeko::appendLe16;
using lumeko::appendLe32;

void RasterData::setInitCommand(std::vector<unsigned char>& out) {
    // ESC @ (1B 40): initialise
    out.insert(out.end(), {0x1B, 0x40});
}

void RasterData::setInitCommandMode9(std::vector<unsigned char>& out) {
    // ESC ^ @ (1B 5E 40): initialise Mode 9
    out.insert(out.end(), {0x1B, 0x5E, 0x40});
}

void RasterData::setSwitchDynamicCommand(std::vector<unsigned char>& out) {
    // ESC i a 01 (1B 69 61 01): switch to raster mode
    out.insert(out.end(), std::begin(setRasterModeCommand), std::end(setRasterModeCommand));
}

void RasterData::setChangeStatusMode(std::vector<unsigned char>& out, bool flag) {
    // ESC i ! n (1B 69 21 n): change status mode, 00 with the flag, 01 without
    out.insert(out.end(), {0x1B, 0x69, 0x21, static_cast<unsigned char>(flag ? 0x00 : 0x01)});
}

void RasterData::setCopyNumCommand(std::vector<unsigned char>& out, int count) {
    if (count < 0 || count > 0xFFFF) {
        // The operand has 16 bits: a count it cannot carry fails the page.
        PrinterStatus::error_code_ = error::kInvalidParameter;
        return;
    }
    // ESC i k c nL nH (1B 69 6B 63): number of copies
    out.insert(out.end(), {0x1B, 0x69, 0x6B, 0x63});
    appendLe16(out, static_cast<unsigned int>(count));
}

void RasterData::setSpaceCommand(std::vector<unsigned char>& out) {
    const int feed = paper.feedMarginDots;
    const int label = option.labelMargin;
    int margin;
    if (paper.mediaType == 0x0B) {
        // Die-cut labels: the option sets the margin; without one only the round 12 mm label
        // keeps its feed margin.
        if (label >= 1 && label <= 0xFFFF) {
            margin = label;
        } else if (label > 0xFFFF) {
            margin = feed;
        } else {
            margin = paper.paperId == 55 ? feed : 0;
        }
    } else {
        // The option can lengthen the feed, not shorten it.
        margin = (label >= feed && label <= 0xFFFF) ? label : feed;
    }
    int value = raster_limits::truncToInt(printQualitySetting.magnificationOfSpace() *
                                          static_cast<float>(margin));
    if (option.banishMargin) {
        value = 0;
    }
    if (value > 0xFFFF) {
        value = 0xFFFF;  // the margin factor can double a margin past 16 bits
    }
    if (value < 0) {
        value = 0;
    }
    // ESC i d nL nH (1B 69 64): feed margin in dots
    out.insert(out.end(), {0x1B, 0x69, 0x64});
    appendLe16(out, static_cast<unsigned int>(value));
}

void RasterData::setCompressModeCommand(std::vector<unsigned char>& out) {
    const bool mode9 = option.mode9 && spec.mode9Supported;
    unsigned char n;
    if (mode9 && spec.commandProtocol.isMode9AvailableInCompressCommand()) {
        n = 0x06;
    } else if (option.rawMode && spec.compression == 1) {
        n = mode9 ? 0x02 : 0x00;
    } else {
        n = spec.compression != 0 ? 0x02 : 0x00;
    }
    // M n (4D n): compression mode, 00 raw lines, 02 run-length lines, 06 Mode 9
    out.insert(out.end(), {0x4D, n});
}

void RasterData::setAutoCutPage(std::vector<unsigned char>& out) {
    // ESC i A n (1B 69 41 n): cut after every n pages
    out.insert(out.end(),
               {0x1B, 0x69, 0x41, static_cast<unsigned char>(option.autoCutPageCount & 0xFF)});
}

void RasterData::setDensity(std::vector<unsigned char>& out) {
    if (option.density < -5 || option.density > 5) {
        return;
    }
    // ESC i X e 2 01 00 v (1B 69 58 65 32 01 00 v): print density, v = 0x80 + density
    out.insert(out.end(), {0x1B, 0x69, 0x58, 0x65, 0x32, 0x01, 0x00,
                           static_cast<unsigned char>(0x80 + option.density)});
}

void RasterData::setPrintInformation(std::vector<unsigned char>& out, PageMode mode) {
    const tpes::PrintQualitySetting& q = printQualitySetting;
    // ESC i z (1B 69 7A) and ten operand bytes: print information
    out.insert(out.end(), {0x1B, 0x69, 0x7A});
    if (spec.paperKinds == 8) {
        if (spec.mode9Supported && option.mode9) {
            out.insert(out.end(), {0x00, 0x00, 0x00, 0x00});
        } else {
            if (paper.lengthMm != 0.0f) {
                out.insert(out.end(), {0x8E, 0x0B});
            } else {
                out.insert(out.end(), {0x86, 0x0A});
            }
            out.push_back(static_cast<unsigned char>(raster_limits::truncToInt(paper.widthMm)));
            out.push_back(static_cast<unsigned char>(raster_limits::truncToInt(paper.lengthMm)));
        }
    } else {
        unsigned char kind = 0x84;
        if (paper.mediaType >= 2 || q.isHighOrLowResolutionMode()) {
            kind |= 0x02;
        }
        if (!(option.printQuality == 3 || paper.isTwoColor)) {
            kind |= 0x40;
        }
        out.push_back(kind);
        const unsigned char type =
            q.isHighOrLowResolutionMode() ? paper.qualityMediaType : paper.mediaType;
        out.push_back(static_cast<unsigned char>(type & 0x7F));
        out.push_back(paper.isTube ? static_cast<unsigned char>((paper.widthTenthMm + 5) / 10)
                                   : paper.mediaWidthMm);
        out.push_back(paper.mediaLengthMm);
    }
    const int lines =
        raster_limits::truncToInt(q.magnificationOfRasterData() * static_cast<float>(pageLines));
    appendLe32(out, static_cast<uint32_t>(lines));
    unsigned char page = 1;
    if (mode == PAGE_MODE_FIRST) {
        page = 0;
    } else if (mode == PAGE_MODE_LAST && spec.copiesCommand == 1) {
        page = 2;
    }
    out.push_back(page);
    out.push_back(q.isEnergyUp() ? 1 : 0);
}

void RasterData::setVariousMode(std::vector<unsigned char>& out) {
    const int v = spec.variousModeCaps;
    unsigned char n = 0;
    if ((v & 0x01) && option.isAutoCut) {
        n = 0x40;
    }
    if ((v & 0x04) && option.peelMode) {
        n |= 0x10;
    }
    if ((v & 0x02) && option.mirrorPrint) {
        n |= 0x80;
    }
    if ((v & 0x10) && option.isCutMark) {
        n |= 0x40;  // the same bit as auto cut
    }
    // ESC i M n (1B 69 4D n): various mode
    out.insert(out.end(), {0x1B, 0x69, 0x4D, n});
}

void RasterData::setAdvancedMode(std::vector<unsigned char>& out) {
    const int k = spec.advancedModeCaps;
    unsigned char n = 0;
    if (paper.mediaType != 0x13) {
        if ((k & 0x01) && option.isHalfCut) {
            n = 0x04;
        }
        if ((k & 0x04) && option.isCutAtEnd) {
            n |= 0x08;
        }
        if ((k & 0x08) && option.isSpecialTape) {
            n = 0x10;  // special tape replaces half cut and cut at end
        }
    }
    if ((k & 0x10) && (option.printQuality == 4 || option.printQuality == 5)) {
        n |= 0x40;
    }
    if ((k & 0x40) && option.isLabelEndCut) {
        n |= 0x20;
    }
    if ((k & 0x80) && option.printQuality == 1) {
        n |= 0x01;
    }
    if (paper.isTwoColor) {
        n |= 0x01;
    }
    // ESC i K n (1B 69 4B n): advanced mode
    out.insert(out.end(), {0x1B, 0x69, 0x4B, n});
}

void RasterData::setAdditionalMediaInfoCommand(std::vector<unsigned char>& out, Paper media) {
    // ESC i U w (1B 69 55 77): media information, then the paper's 128-byte block
    out.insert(out.end(), {0x1B, 0x69, 0x55, 0x77});
    std::array<unsigned char, kMediaInfoBlockLength> block;
    if (mediaInfoBlockOf(media.paperId, block)) {
        out.insert(out.end(), block.begin(), block.end());
    }
}

void RasterData::setCustomPaperInfoCommnad(std::vector<unsigned char>& out) {
    // The custom paper command bytes of the options, as they are.
    out.insert(out.end(), option.customPaperCommand.begin(), option.customPaperCommand.end());
}

void RasterData::setAdditionalBinMediaInfo(std::vector<unsigned char>& out) {
    // The whole custom paper file, as it is; nothing when it cannot be read whole (a missing
    // file, a directory, a read error).
    unsigned char* data = nullptr;
    int size = 0;
    if (!tpes::Util::readFile(option.customPaperPath, data, size)) {
        PrinterStatus::error_code_ = error::kNoCustomPaper;
        return;
    }
    if (data != nullptr && size > 0) {
        out.insert(out.end(), data, data + size);
    }
    delete[] data;
}

void RasterData::createStartPageCommand(int /*width*/, int /*height*/, int pages) {
    startPageCommand.clear();
    if (shouldSetAdditionalMediaInfo(paper)) {
        setAdditionalMediaInfoCommand(startPageCommand, paper);
    }
    if (spec.changeStatusModeCommand) {
        setChangeStatusMode(startPageCommand, true);
    }
    if (pages == 1 && spec.copiesCommand == 1) {
        createNextPageCommand(startPageCommand, PAGE_MODE_LAST, 1);
    } else {
        createNextPageCommand(startPageCommand, PAGE_MODE_FIRST, pages);
    }
}

void RasterData::createOtherPageCommand(int /*width*/, int /*height*/, int pages) {
    if (pages == 1) {
        return;
    }
    otherPageCommand.clear();
    lastPageCommand.clear();
    if (spec.copiesCommand != 1) {
        createNextPageCommand(otherPageCommand, PAGE_MODE_OTHER, pages);
        return;
    }
    if (pages > 2) {
        createNextPageCommand(otherPageCommand, PAGE_MODE_OTHER, pages);
    }
    createNextPageCommand(lastPageCommand, PAGE_MODE_LAST, pages);
}

void RasterData::createNextPageCommand(std::vector<unsigned char>& out, PageMode mode, int count) {
    if (spec.printInformationCommand) {
        setPrintInformation(out, mode);
    }
    if (spec.advancedModeCaps != 0) {
        setAdvancedMode(out);
    }
    if (spec.variousModeCaps != 0) {
        setVariousMode(out);
        if ((spec.variousModeCaps & 0x01) && option.isAutoCut) {
            setAutoCutPage(out);
        }
    }
    if (spec.densityCommand) {
        setDensity(out);
    }
    if (spec.copiesCommand == 1) {
        setCopyNumCommand(out, count);
    }
    if (spec.spaceCommand) {
        setSpaceCommand(out);
    }
    setCompressModeCommand(out);
}
