#pragma once

#include <cstddef>
#include <cstdint>

// Byte layout of the custom paper command of the HU and SN models: the 156 bytes that the
// custom paper encoder builds and that paper selection reads back from the print options or
// from a file. Every multi-byte number in it is little-endian (least significant byte
// first), unlike the big-endian model records.
//
//   offset   0   4  ESC i a 01 (1B 69 61 01): switch to the raster command mode
//   offset   4  16  block header, beginning ESC i U O (1B 69 55 4F)
//   offset  20   5  body marker ESC i U w 01 (1B 69 55 77 01)
//   offset  25 127  body
//   offset 152   4  ESC i a FF (1B 69 61 FF): switch back to the default command mode
//
// A file may hold the commands of several models one after another, unchanged.
namespace custom_paper_layout {

constexpr std::size_t kCommandLength = 156;

// ESC i a 01 (1B 69 61 01): switch to the raster command mode.
constexpr std::size_t kModeSwitchLength = 4;
constexpr std::uint8_t kRasterModeSwitch[kModeSwitchLength] = {0x1B, 0x69, 0x61, 0x01};
// ESC i a FF (1B 69 61 FF): switch back to the printer's default command mode.
constexpr std::uint8_t kDefaultModeSwitch[kModeSwitchLength] = {0x1B, 0x69, 0x61, 0xFF};

// Block header, 16 bytes.
constexpr std::size_t kHeaderOffset = 4;  // in the command
constexpr std::size_t kHeaderLength = 16;
// ESC i U O (1B 69 55 4F): custom paper block header.
constexpr std::size_t kHeaderMarkerLength = 4;
constexpr std::uint8_t kHeaderMarker[kHeaderMarkerLength] = {0x1B, 0x69, 0x55, 0x4F};
// Offsets inside the header.
constexpr std::size_t kHeaderSizeByteAt = 4;  // holds kHeaderSizeByte; not read back
constexpr std::uint8_t kHeaderSizeByte = 0x10;
constexpr std::size_t kHeaderSeriesCodeAt = 5;  // the model's series code
constexpr std::size_t kHeaderModelCodeAt = 6;   // the model's model code
constexpr std::size_t kHeaderZeroAt = 7;        // one zero byte
constexpr std::size_t kHeaderBodyLengthAt = 8;  // 32-bit: body marker plus body
constexpr std::size_t kHeaderBodyLengthWidth = 4;
constexpr std::size_t kHeaderTailAt = 12;  // four zero bytes
constexpr std::size_t kHeaderTailWidth = 4;

// ESC i U w 01 (1B 69 55 77 01): custom paper body follows.
constexpr std::size_t kBodyMarkerOffset = 20;  // in the command
constexpr std::size_t kBodyMarkerLength = 5;
constexpr std::uint8_t kBodyMarker[kBodyMarkerLength] = {0x1B, 0x69, 0x55, 0x77, 0x01};

// Body, 127 bytes; the field offsets below count from its first byte (the byte after the
// body marker).
constexpr std::size_t kBodyOffset = 25;  // in the command
constexpr std::size_t kBodyLength = 127;
constexpr std::uint32_t kHeaderBodyLength = kBodyMarkerLength + kBodyLength;  // 132

constexpr std::size_t kTrailerOffset = 152;  // in the command

// One body field: offset from the start of the body and width in bytes.
struct BodyField {
    std::size_t offset;
    std::size_t width;
};

// clang-format off
constexpr BodyField kSensorId               = {0, 1};
constexpr BodyField kEnergyRank             = {1, 1};
constexpr BodyField kTapeWidMm              = {2, 1};    // tape width, whole millimetres
constexpr BodyField kTapeLenMm              = {3, 2};    // tape length, mm; 0 continuous
constexpr BodyField kRollWidMm              = {5, 1};
constexpr BodyField kHeadDot                = {6, 2};    // printable area offset on the head
constexpr BodyField kPrtWidth               = {8, 2};    // printable width, dots
constexpr BodyField kPrtLength              = {10, 2};   // printable length, dots; 0 continuous
constexpr BodyField kHeadDivide             = {12, 1};
constexpr BodyField kDieStartPlus           = {13, 2};
constexpr BodyField kDieStartRevPlus        = {15, 2};
constexpr BodyField kDieStartFwdPlus        = {17, 2};
constexpr BodyField kAfterFeedPlus          = {19, 2};
constexpr BodyField kPafMediaId             = {21, 2};
constexpr BodyField kBlockPos1              = {23, 9};
constexpr BodyField kBlockPos2              = {32, 18};
constexpr BodyField kBlockPos3              = {50, 27};
constexpr BodyField kSzSizeMm               = {77, 16};
constexpr BodyField kSzSizeIn               = {93, 16};
constexpr BodyField kCharAtrInfo            = {109, 2};
constexpr BodyField kLblPitchDot            = {111, 2};
constexpr BodyField kMarkNoChkValu          = {113, 2};
constexpr BodyField kTopMargin              = {115, 2};  // feed margin, dots
constexpr BodyField kMarkPosition           = {117, 2};
constexpr BodyField kMarkHeight             = {119, 2};
constexpr BodyField kSensingType            = {121, 1};
constexpr BodyField kBottomMargin           = {122, 2};
constexpr BodyField kMediaSensorSensitivity = {124, 1};
constexpr BodyField kMediaSensorIntensity   = {125, 1};
constexpr BodyField kReserved               = {126, 1};
// clang-format on

// Paper selection reads the body only up to the end of topMargin.
constexpr std::size_t kSelectionBodyLength = kTopMargin.offset + kTopMargin.width;  // 117

static_assert(kHeaderOffset + kHeaderLength == kBodyMarkerOffset, "header ends at the marker");
static_assert(kBodyMarkerOffset + kBodyMarkerLength == kBodyOffset, "marker ends at the body");
static_assert(kBodyOffset + kBodyLength == kTrailerOffset, "body ends at the trailer");
static_assert(kTrailerOffset + kModeSwitchLength == kCommandLength, "156 bytes");
static_assert(kReserved.offset + kReserved.width == kBodyLength, "fields fill the body");
static_assert(kHeaderBodyLength == 132, "header length field");

}  // namespace custom_paper_layout
