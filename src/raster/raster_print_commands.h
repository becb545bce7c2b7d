#pragma once

#include <array>
#include <cstddef>

#include "connection/print_status_manager.h"

// Fixed byte sequences and progress codes of the raster print job.
namespace raster_print_commands {

// The trailer of a print call and end of a print file is setDefaultModeCommand
// (ESC i a FF, 1B 69 61 FF: switch to the default command mode).
// ESC i S (1B 69 53): status request, appended to a prepared print file.
constexpr const std::array<unsigned char, 3>& kStatusRequest = PrinterStatusReply::kRequest;
// ESC ^ FF / ESC ^ SUB (1B 5E 0C / 1B 5E 1A): Mode 9 page end, other page / last page.
constexpr std::array<unsigned char, 3> kMode9PageEnd = {0x1B, 0x5E, 0x0C};
constexpr std::array<unsigned char, 3> kMode9LastPageEnd = {0x1B, 0x5E, 0x1A};
// ESC ^ @ FF / ESC ^ @ SUB (1B 5E 40 0C / 1B 5E 40 1A): Mode 9 page end of the models
// that end a page with the Mode 9 initialise command, other page / last page.
constexpr std::array<unsigned char, 4> kMode9InitPageEnd = {0x1B, 0x5E, 0x40, 0x0C};
constexpr std::array<unsigned char, 4> kMode9InitLastPageEnd = {0x1B, 0x5E, 0x40, 0x1A};
// FF / SUB: page-end byte of a raster body, other page / last page.
constexpr unsigned char kPageEnd = 0x0C;
constexpr unsigned char kLastPageEnd = 0x1A;

// ESC i U w (1B 69 55 77) and the 128-byte media information block of paper 17
// (60 mm x 86 mm), sent ahead of a job on the models that need it.
constexpr std::size_t kPaper17MediaBlockLength = 132;

namespace detail {
constexpr void put(std::array<unsigned char, kPaper17MediaBlockLength>& a, std::size_t at,
                   const char* text) {
    for (std::size_t i = 0; text[i] != '\0'; ++i) {
        a[at + i] = static_cast<unsigned char>(text[i]);
    }
}
constexpr std::array<unsigned char, kPaper17MediaBlockLength> paper17MediaBlock() {
    std::array<unsigned char, kPaper17MediaBlockLength> a{};
    constexpr std::size_t b = 4;  // block offsets count from after 1B 69 55 77
    const unsigned char head[] = {0x1B, 0x69, 0x55, 0x77};
    for (std::size_t i = 0; i < 4; ++i) {
        a[i] = head[i];
    }
    // clang-format off
    const unsigned char fields[][2] = {
        {0, 0x01}, {1, 0x10}, {2, 0x02}, {3, 0x3C},
        {4, 0x57}, {5, 0x00},
        {6, 0x42},
        {7, 0x18}, {8, 0x00},
        {9, 0xA0}, {10, 0x02},
        {11, 0xD0}, {12, 0x03},
        {13, 0x0A},
        {22, 0x7F}, {23, 0x01},
    };
    // clang-format on
    for (const auto& f : fields) {
        a[b + f[0]] = f[1];
    }
    put(a, b + 78, "60mm x 86mm");    // size text in millimetres, 16-byte field
    put(a, b + 94, "2.3\" x 3.4\"");  // size text in inches, 16-byte field
    return a;
}
}  // namespace detail

constexpr std::array<unsigned char, kPaper17MediaBlockLength> kPaper17MediaBlock =
    detail::paper17MediaBlock();

// Progress codes sent to the observer's sendMessage.
constexpr int kProgressBuildStart = 12;  // before the raster data object is built
constexpr int kProgressBuilt = 13;       // object built (print); file written or build failed
constexpr int kProgressCopyStart = 14;   // before each copy, each send of a file, a saved page
constexpr int kProgressCopyDone = 15;    // after each copy's print-end wait
constexpr int kProgressJobDone = 21;     // the job ended with error code 1
constexpr int kProgressJobFailed = 22;   // the job failed

}  // namespace raster_print_commands
