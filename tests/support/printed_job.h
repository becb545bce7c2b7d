#pragma once

#include <string>
#include <vector>

#include "simulated_printer.h"
#include "support/raster_stream/job_stream_walker.h"

// The print job a SimulatedPrinter received, as one byte stream and as decoded pages.
namespace printed_job {

// Every byte handed to sendData / sendDataAsynchronous, in order.
inline std::vector<unsigned char> sentStream(const SimulatedPrinter& printer) {
    std::vector<unsigned char> out;
    for (const auto& c : printer.calls()) {
        if (c.slot == SimulatedPrinter::Slot::SendData ||
            c.slot == SimulatedPrinter::Slot::SendDataAsynchronous) {
            out.insert(out.end(), c.bytes.begin(), c.bytes.end());
        }
    }
    return out;
}

// The calls and decoded pages of what the printer received; false with a reason when the
// stream holds a byte the walker does not expect.
inline bool decodePrinted(const SimulatedPrinter& printer, const raster_stream::JobLayout& layout,
                          raster_stream::JobStream& job, std::string& error) {
    return raster_stream::walkJob(sentStream(printer), layout, job, error);
}

}  // namespace printed_job
