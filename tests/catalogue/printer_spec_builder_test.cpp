#include "catalogue/printer_spec_builder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "catalogue/model_record.h"
#include "item_parsers.h"
#include "record_walk.h"
#include "support/printer_spec_compare.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Decodes `bytes` from a heap block of exactly their size into a fresh spec.
PrinterSpec decode(const Bytes& bytes) {
    std::unique_ptr<unsigned char[]> copy(new unsigned char[bytes.size()]);
    if (!bytes.empty()) {
        std::memcpy(copy.get(), bytes.data(), bytes.size());
    }
    PrinterSpec spec;
    PrinterSpecBuilder().parsePrinterSpec(copy.get(), static_cast<int>(bytes.size()), spec);
    return spec;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

// An item 1 with the given port bits and name (zero-padded to 16 bytes) and zeros elsewhere.
Bytes baseInfo(unsigned char portBits, const std::string& name = "") {
    Bytes b(45, 0);
    b[0] = 0x01;
    b[2] = portBits;
    for (size_t i = 0; i < name.size() && i < 16; ++i) {
        b[10 + i] = static_cast<unsigned char>(name[i]);
    }
    return b;
}

// Item 1 zeroes these; the rest keep their defaults.
void zeroBaseInfo(PrinterSpec& s) {
    s.statusSupported = false;
    s.additionMedia = false;
    s.legacyGamma = false;
    s.rasterLineStyle = 0;
    s.pageCommandMode = 0;
}

// ---------------------------------------------------------------------------------------

const Bytes kWorkedExample = {
    // item 1: base information
    0x01, 0x04, 0x03, 0x03, 0x30, 0x01, 0x2C, 0x01, 0x2C, 0x08,                             //
    0x47, 0x59, 0x2D, 0x31, 0x35, 0x30, 0x42, 0x54, 0,    0,    0,    0,    0,    0, 0, 0,  //
    0x12, 0x34,                                                                             //
    0x32, 0x33, 0x01, 0x00, 0x01, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02,           //
    0x01, 0x00, 0x00, 0x00,                                                                 //
    0x07, 0x02, 0x01, 0x00, 0x01, 0x02, 0x00, 0x01,  // item 7: supported functions
    0x0C, 0x00, 0x01, 0x00,                          // item 12: paper kind
    0x14, 0x02,                                      // item 20: compression
};

TEST(PrinterSpecBuilder, DecodesTheWorkedExampleFieldByField) {
    ASSERT_EQ(kWorkedExample.size(), 59u);
    PrinterSpec want;
    want.seriesId = 4;
    want.ports = {PORT_USB, PORT_BLUETOOTH};
    want.headDots = 816;
    want.dpi = 300;
    want.dpiSecond = 300;
    want.modelName = "GY-150BT";
    want.usbProductId = 0x1234;
    want.seriesCode = 0x32;
    want.modelCode = 0x33;
    want.statusSupported = true;
    want.additionMedia = true;
    want.legacyGamma = true;
    want.clearMediaErrorAtEnd = true;
    want.batteryMode = 0;
    want.invalidateLength = 0;
    want.rasterLineStyle = 2;
    want.pageCommandMode = 2;
    want.supportFunctions = {{PORT_USB, 0x0001}, {PORT_BLUETOOTH, 0x0001}};
    want.paperKinds = 0x0001;
    want.usePaperLeftOffset = false;
    want.compression = 2;
    EXPECT_TRUE(samePrinterSpec(want, decode(kWorkedExample)));
}

TEST(PrinterSpecBuilder, StoredRecordOfTheFirstModelIsTheWorkedExample) {
    const ModelRecord r = modelRecord(GY_150BT);
    ASSERT_EQ(r.length, 59);
    for (int i = 0; i < r.length; ++i) {
        if (i != 26 && i != 27) {
            EXPECT_EQ(r.data[i], kWorkedExample[static_cast<size_t>(i)]) << "byte " << i;
        }
    }
}

// A record with every item and only zero bytes zeroes every field it reaches (the command
// protocol normalises 0 to 89). What then differs from a fresh spec are exactly the
// non-zero defaults.
TEST(PrinterSpecBuilder, NonZeroDefaultsAreExactlyThese) {
    Bytes zeros;
    const int sizes[23] = {0, 45, 3, 3, 2, 4, 5, 2, 2, 2, 2, 2, 4, 2, 4, 2, 4, 10, 5, 7, 2, 2, 2};
    for (int tag = 1; tag <= 22; ++tag) {
        zeros.push_back(static_cast<unsigned char>(tag));
        zeros.insert(zeros.end(), static_cast<size_t>(sizes[tag] - 1), 0);
    }
    const std::vector<std::string> want = {
        "statusSupported: expected false, got true", "additionMedia: expected false, got true",
        "legacyGamma: expected false, got true",     "rasterLineStyle: expected 0, got 1",
        "pageCommandMode: expected 0, got 2",        "colorMode: expected 0, got 255",
        "labelColorStatusIndex: expected 0, got -1", "inkColorStatusIndex: expected 0, got -1",
        "firmwareVersionMethod: expected 0, got 1",  "compression: expected 0, got 2",
    };
    EXPECT_EQ(printerSpecDifferences(decode(zeros), PrinterSpec()), want);
    EXPECT_EQ(PrinterSpec().commandProtocol.version, 89);
}

// ---------------------------------------------------------------------------------------

struct EdgeCase {
    const char* name;
    Bytes record;
    std::function<void(PrinterSpec&)> expect;  // applied to a default spec
};

TEST(PrinterSpecBuilder, EdgeCases) {
    const std::string sixteen = "ABCDEFGHIJKLMNOP";
    const EdgeCase cases[] = {
        {"empty record", {}, [](PrinterSpec&) {}},
        {"tag 0 first", {0x00, 0x14, 0x01}, [](PrinterSpec&) {}},
        {"tag 23 first", {0x17, 0x14, 0x01}, [](PrinterSpec&) {}},
        {"tag 255 first", {0xFF}, [](PrinterSpec&) {}},
        {"unknown tag ends decoding, earlier items kept",
         {0x0D, 0x01, 0x30, 0x14, 0x00},
         [](PrinterSpec& s) { s.spaceCommand = true; }},
        {"record ending on a lone tag keeps earlier items",
         {0x0D, 0x01, 0x14},
         [](PrinterSpec& s) { s.spaceCommand = true; }},
        {"item cut short assigns nothing",
         {0x0C, 0x00, 0x08, 0x01, 0x06, 0x01, 0x01},
         [](PrinterSpec& s) {
             s.paperKinds = 8;
             s.usePaperLeftOffset = true;
         }},
        {"count 0 consumes two bytes",
         {0x07, 0x00, 0x0C, 0x00, 0x08, 0x00},
         [](PrinterSpec& s) { s.paperKinds = 8; }},
        {"count byte outside the record", {0x07}, [](PrinterSpec&) {}},
        {"entries beyond the record", {0x07, 0x01, 0x01, 0x00}, [](PrinterSpec&) {}},
        {"first entry for a port wins",
         {0x07, 0x02, 0x01, 0x00, 0x05, 0x01, 0x00, 0x07},
         [](PrinterSpec& s) {
             s.supportFunctions = {{PORT_USB, 0x05}};
         }},
        {"first entry wins across repeated items",
         {0x0A, 0x01, 0x04, 0x00, 0x00, 0x00, 0x11, 0x0A, 0x02, 0x04, 0x00, 0x00, 0x00, 0x22, 0x01,
          0x00, 0x00, 0x00, 0x33},
         [](PrinterSpec& s) {
             s.powerSettings = {{PORT_USB, 0x33}, {PORT_NET, 0x11}};
         }},
        {"four-byte map values are big-endian",
         {0x09, 0x01, 0x04, 0x12, 0x34, 0x56, 0x78},
         [](PrinterSpec& s) {
             s.netSettings = {{PORT_NET, 0x12345678u}};
         }},
        {"unusual port byte kept as key",
         {0x07, 0x01, 0x25, 0x00, 0x01},
         [](PrinterSpec& s) {
             s.supportFunctions = {{static_cast<Port>(37), 0x01}};
         }},
        {"ports 0x0B", baseInfo(0x0B),
         [](PrinterSpec& s) {
             zeroBaseInfo(s);
             s.ports = {PORT_USB, PORT_BLUETOOTH, PORT_BLE};
         }},
        {"ports 0xF1: high bits ignored", baseInfo(0xF1),
         [](PrinterSpec& s) {
             zeroBaseInfo(s);
             s.ports = {PORT_USB};
         }},
        {"16-character name", baseInfo(0, sixteen),
         [sixteen](PrinterSpec& s) {
             zeroBaseInfo(s);
             s.modelName = sixteen;
         }},
        {"name ends at its first zero", baseInfo(0, "GY-310"),
         [](PrinterSpec& s) {
             zeroBaseInfo(s);
             s.modelName = "GY-310";
         }},
        {"single bytes are unsigned",
         Bytes{0x01, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0,    0,
               0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
               0,    0,    0xFF, 0xFE, 0xFD, 0xFC, 0x02, 0xFF, 0x02, 0x02, 0xFF, 0xFF,
               0xFF, 0x02, 0x02, 0x02, 0xFF, 0x02, 0xFF, 0xFF, 0xFF},
         [](PrinterSpec& s) {
             s.seriesId = 255;
             s.usbProductId = 0xFFFE;
             s.seriesCode = 0xFD;
             s.modelCode = 0xFC;
             s.statusSupported = true;
             s.batteryMode = 255;
             s.additionMedia = true;
             s.legacyGamma = true;
             s.invalidateLength = 0xFFFF;
             s.rasterLineStyle = 255;
             s.paperCheck = true;
             s.waitForPaperSupported = true;
             s.auxFlag2 = true;
             s.pageCommandMode = 255;
             s.clearMediaErrorAtEnd = true;
             s.minLengthTenthMm = 0xFFFF;
             s.lengthMarginTenthMm = 0xFF;
         }},
        {"item 13 flag 2 is true", {0x0D, 0x02}, [](PrinterSpec& s) { s.spaceCommand = true; }},
        {"item 17 flag 2 leaves the check off",
         {0x11, 0x02, 0x41, 0x31, 0x2E, 0x30, 0x36, 0x02, 0x00, 0x32},
         [](PrinterSpec& s) {
             s.templateFirmwareCode = 0x41;
             s.templateFirmwareMinVersion = "1.06";
             s.templateObjectMax = 50;
         }},
        {"item 17 flag 2 leaves an earlier true in place",
         {0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,
          0x11, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00},
         [](PrinterSpec& s) {
             s.templateFirmwareCheck = true;
             s.changeModeBeforeTemplateUpload = true;
         }},
        {"item 18 only 1 sets the tube flag",
         {0x12, 0x02, 0x1A, 0x00, 0x90},
         [](PrinterSpec& s) {
             s.tubeRibbonInkColorStatusIndex = 26;
             s.tubeHeadDots = 144;
         }},
        {"item 19 flags: only 1 counts",
         {0x13, 0x01, 0x00, 0x02, 0x01, 0xFF, 0x01},
         [](PrinterSpec& s) {
             s.waitAfterLastChunk = true;
             s.firmwareVersionMethod = 0;
             s.serialNumberCommand = true;
             s.batteryWeakBootModeCommand = true;
         }},
        {"item 21 byte 2 is false", {0x15, 0x02}, [](PrinterSpec&) {}},
        {"item 21 later 2 turns an earlier 1 off", {0x15, 0x01, 0x15, 0x02}, [](PrinterSpec&) {}},
        {"item 21 byte 1 is true",
         {0x15, 0x01},
         [](PrinterSpec& s) { s.changeStatusModeCommand = true; }},
        {"item 5 feed 0xFF keeps four bits",
         {0x05, 0xFF, 0x02, 0x00},
         [](PrinterSpec& s) {
             s.feedModes = 15;
             s.printerCaseCommand = true;
         }},
        {"item 6 big-endian parameter",
         {0x06, 0x01, 0x01, 0x48, 0x00},
         [](PrinterSpec& s) {
             s.mode9Supported = true;
             s.mode9Parameter = 328;
         }},
        {"item 12 big-endian paper kinds",
         {0x0C, 0x03, 0x80, 0x00},
         [](PrinterSpec& s) { s.paperKinds = 0x0380; }},
        {"item 22 normalises the version",
         {0x16, 0x5F},
         [](PrinterSpec& s) { s.commandProtocol.version = 102; }},
        {"item 16 colour bytes unsigned",
         {0x10, 0x02, 0xFF, 0x19},
         [](PrinterSpec& s) {
             s.colorMode = 2;
             s.labelColorStatusIndex = 255;
             s.inkColorStatusIndex = 25;
         }},
        {"copy: ports 2 and 8, power entry for port 2 only",
         concat({baseInfo(0x0A), {0x0A, 0x01, 0x02, 0x00, 0x00, 0x00, 0x31}}),
         [](PrinterSpec& s) {
             zeroBaseInfo(s);
             s.ports = {PORT_BLUETOOTH, PORT_BLE};
             s.powerSettings = {{PORT_BLUETOOTH, 0x31}, {PORT_BLE, 0x31}};
         }},
        {"copy overwrites a stored port-8 entry",
         concat({baseInfo(0x0A), {0x07, 0x02, 0x08, 0x00, 0x05, 0x02, 0x00, 0x3F}}),
         [](PrinterSpec& s) {
             zeroBaseInfo(s);
             s.ports = {PORT_BLUETOOTH, PORT_BLE};
             s.supportFunctions = {{PORT_BLUETOOTH, 0x3F}, {PORT_BLE, 0x3F}};
         }},
        {"no copy without port 2 in the ports",
         concat({baseInfo(0x09), {0x07, 0x02, 0x01, 0x00, 0x3F, 0x02, 0x00, 0x3F}}),
         [](PrinterSpec& s) {
             zeroBaseInfo(s);
             s.ports = {PORT_USB, PORT_BLE};
             s.supportFunctions = {{PORT_USB, 0x3F}, {PORT_BLUETOOTH, 0x3F}};
         }},
        {"copy runs after an early stop",
         concat({baseInfo(0x0A), {0x08, 0x01, 0x02, 0x00, 0x00, 0x62, 0x70, 0x30, 0x14}}),
         [](PrinterSpec& s) {
             zeroBaseInfo(s);
             s.ports = {PORT_BLUETOOTH, PORT_BLE};
             s.bluetoothSettings = {{PORT_BLUETOOTH, 0x6270}, {PORT_BLE, 0x6270}};
         }},
    };
    for (const EdgeCase& c : cases) {
        PrinterSpec want;
        c.expect(want);
        EXPECT_TRUE(samePrinterSpec(want, decode(c.record))) << c.name;
    }
}

TEST(PrinterSpecBuilder, DecodingAgainAppendsPortsAndKeepsFirstEntries) {
    const Bytes record = concat({baseInfo(0x01), {0x07, 0x01, 0x01, 0x00, 0x01}});
    const Bytes other = concat({baseInfo(0x04), {0x07, 0x01, 0x01, 0x00, 0x3F}});
    PrinterSpec spec;
    PrinterSpecBuilder().parsePrinterSpec(record.data(), static_cast<int>(record.size()), spec);
    PrinterSpecBuilder().parsePrinterSpec(other.data(), static_cast<int>(other.size()), spec);
    EXPECT_EQ(spec.ports, (std::vector<Port>{PORT_USB, PORT_NET}));
    EXPECT_EQ(spec.supportFunctions, (std::map<Port, uint16_t>{{PORT_USB, 0x01}}));
}

TEST(PrinterSpecBuilder, NullDataOrNonPositiveLengthReadsNothing) {
    const unsigned char bytes[] = {0x14, 0x01};
    for (const int length : {0, -1, INT_MIN}) {
        PrinterSpec spec;
        PrinterSpecBuilder().parsePrinterSpec(bytes, length, spec);
        EXPECT_TRUE(samePrinterSpec(PrinterSpec(), spec)) << length;
    }
    PrinterSpec spec;
    PrinterSpecBuilder().parsePrinterSpec(nullptr, 2, spec);
    EXPECT_TRUE(samePrinterSpec(PrinterSpec(), spec));
}

// Every item parser, at any position and any length the caller claims up to the real one,
// either consumes exactly its item (which lies wholly inside) or assigns nothing and
// returns the length. The buffer is a heap block of exactly its size.
TEST(PrinterSpecBuilder, ItemParsersStayInsideTheRecordAtAnyPosition) {
    std::mt19937 rng(1210);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int tag = 1; tag <= 22; ++tag) {
        for (int round = 0; round < 400; ++round) {
            const int size = std::uniform_int_distribution<int>(0, 80)(rng);
            std::unique_ptr<unsigned char[]> data(new unsigned char[static_cast<size_t>(size)]);
            for (int i = 0; i < size; ++i) {
                // Plenty of the parser's own tag and of small counts.
                const int pick = std::uniform_int_distribution<int>(0, 3)(rng);
                data[i] = static_cast<unsigned char>(pick == 0   ? tag
                                                     : pick == 1 ? byte(rng) % 4
                                                                 : byte(rng));
            }
            const int length = std::uniform_int_distribution<int>(0, 5)(rng) == 0
                                   ? -std::uniform_int_distribution<int>(0, 10)(rng)
                                   : std::uniform_int_distribution<int>(0, size)(rng);
            int position = std::uniform_int_distribution<int>(-3, size + 3)(rng);
            if (round % 50 == 0) {
                position = round % 100 == 0 ? INT_MAX : INT_MIN;
            }
            PrinterSpec spec;
            const int used = item_parsers::call(tag, data.get(), length, spec, position);
            const bool inside = position >= 0 && position < length;
            const int expected =
                inside ? record_walk::itemSize(data.get() + position, length - position) : -1;
            if (inside && data[position] == tag && expected > 0) {
                EXPECT_EQ(used, expected)
                    << "tag " << tag << " at " << position << " of " << length;
            } else {
                EXPECT_EQ(used, length) << "tag " << tag << " at " << position << " of " << length;
                EXPECT_TRUE(samePrinterSpec(PrinterSpec(), spec))
                    << "tag " << tag << " assigned on failure";
            }
        }
        PrinterSpec spec;
        EXPECT_EQ(item_parsers::call(tag, nullptr, 10, spec, 0), 10) << "tag " << tag;
    }
}

}  // namespace
