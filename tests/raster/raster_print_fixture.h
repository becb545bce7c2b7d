#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/port.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"
#include "connection/printer_status.h"
#include "raster/bitmap_data.h"
#include "raster/raster_print.h"
#include "support/custom_paper_command_builder.h"
#include "support/printed_job.h"
#include "support/printer_status_fixture.h"
#include "support/raster_zoo.h"
#include "support/simulated_printer.h"
#include "support/status_reply_builder.h"
#include "support/wait_recorder.h"

namespace print_job {

using Bytes = std::vector<unsigned char>;
using Slot = SimulatedPrinter::Slot;

inline Bytes zeros(size_t n) {
    return Bytes(n, 0x00);
}
inline Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

const Bytes kInit = {0x1B, 0x40};
const Bytes kInitMode9 = {0x1B, 0x5E, 0x40};
const Bytes kSwitchRaster = {0x1B, 0x69, 0x61, 0x01};
const Bytes kTrailer = {0x1B, 0x69, 0x61, 0xFF};
const Bytes kStatusRequest = {0x1B, 0x69, 0x53};

// An RGB picture in memory; owns its pixels.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    BitmapData bitmap() {
        BitmapData b;
        b.bitmapWidth = width;
        b.bitmapHeight = height;
        b.pixels = rgb.data();
        b.isColor = true;
        return b;
    }
    void set(int x, int y, unsigned char r, unsigned char g, unsigned char b) {
        const size_t at = (static_cast<size_t>(y) * width + x) * 3;
        rgb[at] = r;
        rgb[at + 1] = g;
        rgb[at + 2] = b;
    }
};

// White, with a black frame one dot wide and a black square inside.
inline Picture framePicture(int width, int height) {
    Picture p{width, height,
              std::vector<unsigned char>(static_cast<size_t>(width) * height * 3, 255)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool frame = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            const bool square =
                x >= width / 4 && x < width / 2 && y >= height / 4 && y < height / 2;
            if (frame || square) {
                p.set(x, y, 0, 0, 0);
            }
        }
    }
    return p;
}

// Options of a job on the model's paper, status check off, one copy, no reading in the
// print-end wait and no close wait.
inline RasterPrintOption jobOption(unsigned short paperId, int copies = 1) {
    RasterPrintOption o;
    o.paperId = paperId;
    o.numberOfCopies = copies;
    o.doStatusCheck = false;
    o.checkPrintEnd = 1;
    o.closeWaitDisusingStatusCheckSec = 0;
    return o;
}

// A print job whose spec, paper and options a test can read.
class ProbeRasterPrint : public RasterPrint {
  public:
    using RasterPrint::RasterPrint;
    const PrinterSpec& jobSpec() const { return spec; }
    const Paper& jobPaper() const { return currentPaper; }
    RasterPrintOption& jobOption() { return option; }
};

// The page a job builds for these arguments, built apart from the job (no observer).
struct ReferencePage {
    ReferencePage(Model model, RasterPrintOption option, BitmapData bitmap, int page, int pages) {
        ProbeRasterPrint probe(PORT_USB, nullptr, model, option);
        probe.createRasterDataUsingBitmapData(bitmap, raster, pages, page);
        EXPECT_EQ(PrinterStatus::error_code_, 1);
        PrinterStatus::error_code_ = 1;
    }
    ~ReferencePage() { delete raster; }
    ReferencePage(const ReferencePage&) = delete;
    ReferencePage& operator=(const ReferencePage&) = delete;

    // pageData as built, or with its last byte replaced.
    Bytes body() const {
        return Bytes(raster->pageData, raster->pageData + raster->pageDataLength);
    }
    Bytes body(unsigned char end) const {
        Bytes b = body();
        if (!b.empty()) {
            b.back() = end;
        }
        return b;
    }
    RasterData* raster = nullptr;
};

// A custom paper command for a custom-paper model: a continuous tape of 48 printable bytes
// placed 16 dots into the head.
inline std::vector<unsigned char> customPaperFor(Model model) {
    const PrinterSpec spec = zoo::specOf(model);
    return CustomPaperCommandBuilder(spec.seriesCode, spec.modelCode)
        .set("tapeWidMm", 50)
        .set("headDot", 16)
        .set("prtWidth", 384)
        .set("topMargin", 12)
        .build();
}

// Statics reset before and after; its own wait recorder.
class PrintJobTest : public PrinterStatusTest {
  protected:
    SimulatedPrinter printer;
    WaitRecorder waits;

    // Every sendData / sendDataAsynchronous in order.
    std::vector<Bytes> sends() const {
        std::vector<Bytes> out;
        for (const auto& c : printer.calls()) {
            if (c.slot == Slot::SendData || c.slot == Slot::SendDataAsynchronous) {
                out.push_back(c.bytes);
            }
        }
        return out;
    }
};

}  // namespace print_job

namespace print_job {

// The status record a printer answers to ESC i S for the job's paper.
inline Bytes readyStatus(Model model, const Paper& paper) {
    StatusReplyBuilder reply(model);
    reply.media(paper.mediaWidthMm, paper.mediaType, paper.mediaLengthMm);
    // Models that report the colour of the loaded media (colour mode 2).
    const PrinterSpec spec = zoo::specOf(model);
    if (spec.colorMode == 2 && spec.inkColorStatusIndex >= 0 && spec.inkColorStatusIndex < 32) {
        reply.set(spec.inkColorStatusIndex, paper.mediaColorCode);
    }
    return reply;
}
// A record of the print-end wait that ends it: the printer is in phase 0 again.
inline Bytes printedRecord(Model model) {
    return StatusReplyBuilder(model).statusType(6).phaseType(0);
}
// The printer reports that the paper ran out.
inline Bytes paperOutStatus(Model model) {
    return StatusReplyBuilder(model).statusType(2).errorInfo1(0x01);
}

// The model's cancel sequence: its zero bytes and 1B 40 (older protocols) or 1B 69 18.
inline bool isCancelSequence(const Bytes& b, const PrinterSpec& spec) {
    const Bytes tail = spec.commandProtocol.isCancelCommandAvailable() ? Bytes{0x1B, 0x69, 0x18}
                                                                       : Bytes{0x1B, 0x40};
    return spec.invalidateLength > 0 && b == cat({zeros(spec.invalidateLength), tail});
}

// The bytes of every sendData / sendDataAsynchronous from call index `from` on.
inline std::vector<Bytes> sendsFrom(const SimulatedPrinter& p, size_t from) {
    std::vector<Bytes> out;
    const auto& calls = p.calls();
    for (size_t i = from; i < calls.size(); ++i) {
        if (calls[i].slot == Slot::SendData || calls[i].slot == Slot::SendDataAsynchronous) {
            out.push_back(calls[i].bytes);
        }
    }
    return out;
}

// Every byte handed to sendData / sendDataAsynchronous, in order, as one stream.
inline Bytes sentStream(const SimulatedPrinter& p) {
    return printed_job::sentStream(p);
}

inline bool containsTrailer(const std::vector<Bytes>& sends) {
    for (const Bytes& b : sends) {
        if (b == kTrailer) {
            return true;
        }
    }
    return false;
}

}  // namespace print_job

namespace print_job {

// One model of every series, and a Mode 9 model.
struct SeriesRow {
    const char* name;
    Model model;
    unsigned short paperId;
    bool customPaper;  // the paper comes from a custom paper command
    bool mode9;
};

inline std::vector<SeriesRow> seriesRows() {
    return {
        {"FC", FC_412, MP_A5, false, false},
        {"HU", HU_3430, PAPER_ID_CUSTOM, true, false},
        {"SN", SN_3200N, PAPER_ID_CUSTOM, true, false},
        {"GY", GY_160BT, 6, false, false},
        {"VZ", VZ_310W, 16, false, false},
        {"KX", KX_A380W, 11, false, false},
        {"Mode 9", HU_1200, PAPER_ID_CUSTOM, true, true},
    };
}

// Options of a row: one copy, no status check.
inline RasterPrintOption rowOption(const SeriesRow& row, int copies = 1) {
    RasterPrintOption o = jobOption(row.paperId, copies);
    o.mode9 = row.mode9;
    if (row.customPaper) {
        o.customPaperCommand = customPaperFor(row.model);
    }
    return o;
}

}  // namespace print_job
