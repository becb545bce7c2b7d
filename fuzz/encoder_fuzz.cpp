// The run-length line encoder, the label page body and the Mode 9 page body on arbitrary
// lines: every encoding is decoded back by the test decoders and must give the lines
// exactly; the encoders never write past their buffers (exact heap buffers under
// AddressSanitizer).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/printer_spec_builder.h"
#include "connection/printer_status.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzz_printer.h"
#include "raster/mode9.h"
#include "raster/raster_data.h"
#include "support/raster_page_image.h"
#include "support/raster_stream/raster_body_decoder.h"

using namespace lumeko_fuzz;
using Bytes = std::vector<unsigned char>;

namespace {

PrinterSpec specOf(Model model) {
    PrinterSpec spec;
    PrinterSpecBuilder().getPrinterSpec(spec, model);
    return spec;
}

// One line through compressData and back.
void runLength(FuzzInput& in) {
    const Bytes line = in.bytes(in.u16() % 2048);
    const int n = static_cast<int>(line.size());
    // The callers give the encoder twice the line length.
    std::unique_ptr<unsigned char[]> source(new unsigned char[line.size() + 1]);
    std::unique_ptr<unsigned char[]> packed(new unsigned char[2 * line.size() + 1]);
    std::copy(line.begin(), line.end(), source.get());
    RasterData raster;
    unsigned char* i = source.get();
    unsigned char* o = packed.get();
    const int length = raster.compressData(i, n, o);
    FUZZ_CHECK(length >= 0 && length <= 2 * n + 1);
    Bytes back;
    std::string error;
    FUZZ_CHECK(raster_stream::unpackBits(packed.get(), static_cast<size_t>(length), line.size(),
                                         back, error));
    FUZZ_CHECK(back == line);
}

// A one-bit image through the label page body and the label body decoder.
void labelBody(FuzzInput& in) {
    static const Model models[] = {GY_150BT, GY_310,  HU_3430,  VZ_140N,
                                   VZ_220NW, SN_3100, KX_C270W, KX_A380W};
    const Model model = models[in.pick(8)];
    PrinterSpec spec = specOf(model);
    spec.compression = in.pick(3);
    spec.rasterLineStyle = in.flag() ? 1 : 2;
    RasterPrintOption option;
    option.rawMode = in.flag();
    const std::vector<Paper> papers = paperList(spec);
    Paper paper = papers.empty() ? Paper() : papers[static_cast<size_t>(in.u8()) % papers.size()];
    paper.printableLengthDots = in.u8();
    PrinterStatus status;
    RasterData raster(option, spec, paper, status);
    raster.topMargin = in.u8() % 32;
    raster.leftMargin = in.u16() % (spec.headDots + 24);
    const int width = 1 + in.u16() % (spec.headDots + 40);
    const int height = in.u8() % 24;
    const int rowBytes = (width + 7) / 8;
    Bytes image = in.bytes(static_cast<size_t>(rowBytes) * height);
    image.resize(static_cast<size_t>(rowBytes) * height + 1, 0);
    // The one-bit images the library makes leave the bits past the width clear.
    if (width % 8 != 0) {
        for (int r = 0; r < height; ++r) {
            image[static_cast<size_t>(r) * rowBytes + rowBytes - 1] &=
                static_cast<unsigned char>(0xFF << (8 - width % 8));
        }
    }
    std::unique_ptr<unsigned char[]> exact(new unsigned char[image.size()]);
    std::copy(image.begin(), image.end(), exact.get());

    PrinterStatus::error_code_ = 1;
    if (!raster.convertBitmapToRasterPrnData(exact.get(), width, height)) {
        FUZZ_CHECK(PrinterStatus::error_code_ != 1);
        return;
    }
    FUZZ_CHECK(raster.pageData != nullptr && raster.pageDataLength > 0);
    const int lineBytes = spec.headDots / 8;
    const bool raw = spec.compression == 0 || (spec.compression == 1 && option.rawMode);
    raster_stream::Lines lines;
    std::string error;
    const bool decoded = raster_stream::decodeLabelBody(
        raster.pageData, static_cast<size_t>(raster.pageDataLength), lineBytes, !raw, lines, error);
    if (!decoded) {
        std::fprintf(stderr, "label body does not decode: %s\n", error.c_str());
    }
    FUZZ_CHECK(decoded);
    const int printable = paper.printableLengthDots;
    if (raster.topMargin + height <= printable && option.printQuality == 2) {
        FUZZ_CHECK(static_cast<int>(lines.size()) == printable);
        for (int y = 0; y < printable; ++y) {
            const int r = y - raster.topMargin;
            const Bytes expected =
                (r >= 0 && r < height)
                    ? raster_page::placedRow(image, width, r, raster.leftMargin, lineBytes)
                    : Bytes(static_cast<size_t>(lineBytes), 0);
            FUZZ_CHECK(lines[static_cast<size_t>(y)] == expected);
        }
    }
}

// Lines of `size` bytes through the Mode 9 page body and the Mode 9 decoder.
void mode9Body(FuzzInput& in) {
    const int size = 1 + in.u16() % 200;
    const int height = in.u8() % 16;
    const int top = in.u8() % 8 == 0 ? 600 + in.u8() : in.u8() % 40;
    const int bottom = in.u8() % 40;
    PrinterSpec spec = specOf(GY_160MFi);
    spec.invalidateLength = 0;
    spec.mode9Parameter = in.u16() % 800;
    RasterPrintOption option;
    std::vector<Paper> papers = paperList(spec);
    Paper paper = papers.empty() ? Paper() : papers.front();
    paper.leftOffsetBytes = 0;
    paper.printableWidthDots = static_cast<unsigned short>((size - 1) * 8);
    paper.printableLengthDots = static_cast<unsigned short>(top + height + bottom);
    // Lines: fresh bytes, or the line before with a few bytes changed.
    Bytes image;
    Bytes previous(static_cast<size_t>(size), 0);
    for (int y = 0; y < height; ++y) {
        Bytes line = previous;
        const int kind = in.pick(4);
        if (kind == 0) {
            line = in.bytes(static_cast<size_t>(size));
            line.resize(static_cast<size_t>(size), 0);
        } else if (kind == 1) {
            for (int k = in.u8() % 8; k > 0; --k) {
                line[in.u16() % static_cast<unsigned>(size)] = in.u8();
            }
        } else if (kind == 2) {
            const size_t at = in.u16() % static_cast<unsigned>(size);
            const size_t n = std::min<size_t>(line.size() - at, in.u8());
            std::fill(line.begin() + static_cast<long>(at),
                      line.begin() + static_cast<long>(at + n), in.u8());
        }
        image.insert(image.end(), line.begin(), line.end());
        previous = line;
    }
    image.push_back(0);
    std::unique_ptr<unsigned char[]> exact(new unsigned char[image.size()]);
    std::copy(image.begin(), image.end(), exact.get());

    Bytes command = in.shortBytes();
    const size_t commandLength = command.size();
    Mode9 mode9(paper, option, spec, command);
    int length = 0;
    unsigned char* data = nullptr;
    PrinterStatus::error_code_ = 1;
    const bool ok = mode9.convertBitmapToMode9(exact.get(), size * 8, height, length, data, top, 0);
    if (!ok) {
        FUZZ_CHECK(PrinterStatus::error_code_ != 1);
        delete[] data;
        return;
    }
    raster_stream::Lines lines;
    std::string error;
    std::vector<size_t> blocks;
    const bool decoded = raster_stream::decodeMode9Body(data, static_cast<size_t>(length), 0,
                                                        commandLength, size, lines, error, &blocks);
    delete[] data;
    if (!decoded) {
        std::fprintf(stderr, "Mode 9 body does not decode: %s\n", error.c_str());
    }
    FUZZ_CHECK(decoded);
    for (size_t n : blocks) {
        FUZZ_CHECK(n <= static_cast<size_t>(Mode9::kBlockCapacity));
    }
    FUZZ_CHECK(static_cast<int>(lines.size()) == top + height + bottom);
    for (int y = 0; y < top + height + bottom; ++y) {
        const int r = y - top;
        const Bytes expected = (r >= 0 && r < height)
                                   ? Bytes(image.begin() + static_cast<long>(r) * size,
                                           image.begin() + static_cast<long>(r + 1) * size)
                                   : Bytes(static_cast<size_t>(size), 0);
        FUZZ_CHECK(lines[static_cast<size_t>(y)] == expected);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    resetProcessState();
    switch (in.pick(3)) {
        case 0:
            runLength(in);
            break;
        case 1:
            labelBody(in);
            break;
        default:
            mode9Body(in);
            break;
    }
    return 0;
}
