#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/model_record.h"
#include "catalogue/printer_spec_builder.h"
#include "item_parsers.h"
#include "model_catalogue_fixture.h"
#include "record_walk.h"
#include "support/model_spec.h"
#include "support/printer_spec_compare.h"

namespace {

using namespace catalogue_fixture;

// "0 to 2, 34, 35" -> {0, 1, 2, 34, 35}
std::vector<int> expandModels(const std::string& list) {
    std::vector<int> out;
    std::stringstream in(list);
    std::string part;
    while (std::getline(in, part, ',')) {
        int first = 0;
        int last = 0;
        if (std::sscanf(part.c_str(), " %d to %d", &first, &last) == 2) {
            for (int m = first; m <= last; ++m) {
                out.push_back(m);
            }
        } else if (std::sscanf(part.c_str(), " %d", &first) == 1) {
            out.push_back(first);
        } else {
            ADD_FAILURE() << "bad model list " << list;
        }
    }
    return out;
}

// "1 7 12" or "1, 2" -> numbers
std::vector<int> numbers(const std::string& text) {
    std::vector<int> out;
    std::string token;
    for (const char c : text + " ") {
        if (c == ' ' || c == ',') {
            if (!token.empty()) {
                out.push_back(std::atoi(token.c_str()));
            }
            token.clear();
        } else {
            token.push_back(c);
        }
    }
    return out;
}

// "1: 0x3F, 2: 0x3F" -> map; "-" -> empty
template <typename Value>
std::map<Port, Value> portMap(const std::string& text) {
    std::map<Port, Value> out;
    if (text == "-") {
        return out;
    }
    std::stringstream in(text);
    std::string entry;
    while (std::getline(in, entry, ',')) {
        unsigned int port = 0;
        unsigned int value = 0;
        if (std::sscanf(entry.c_str(), " %u: %x", &port, &value) != 2) {
            ADD_FAILURE() << "bad map entry " << entry;
            continue;
        }
        out.emplace(static_cast<Port>(port), static_cast<Value>(value));
    }
    return out;
}

// Finds the row of a grouped table that lists `model`; every model is in exactly one row.
template <typename Row, size_t N>
const Row* rowFor(const Row (&table)[N], int model) {
    const Row* found = nullptr;
    for (const Row& row : table) {
        for (const int m : expandModels(row.models)) {
            if (m == model) {
                EXPECT_EQ(found, nullptr) << "model " << model << " listed twice";
                found = &row;
            }
        }
    }
    EXPECT_NE(found, nullptr) << "model " << model << " missing from a table";
    return found;
}

PrinterSpec expectedSpec(const IdentityRow& id) {
    PrinterSpec s;
    s.seriesId = id.seriesId;
    for (const int p : numbers(id.ports)) {
        s.ports.push_back(static_cast<Port>(p));
    }
    s.headDots = static_cast<uint16_t>(id.headDots);
    s.dpi = static_cast<uint16_t>(id.dpi);
    s.dpiSecond = static_cast<uint16_t>(id.dpi);
    s.modelName = id.name;
    s.seriesCode = static_cast<uint8_t>(id.seriesCode);
    s.modelCode = static_cast<uint8_t>(id.modelCode);
    s.batteryMode = id.batteryMode;
    s.paperKinds = id.paperKinds;
    s.commandProtocol.version = id.protocolVersion;

    const BaseRow* b = rowFor(kBase, id.value);
    const CapsRow* c = rowFor(kCaps, id.value);
    const FlagsRow* f = rowFor(kFlags, id.value);
    const MapsRow* m = rowFor(kMaps, id.value);
    const TemplateRow* t = rowFor(kTemplate, id.value);
    if (b == nullptr || c == nullptr || f == nullptr || m == nullptr || t == nullptr) {
        return s;
    }
    s.statusSupported = b->statusSupported != 0;
    s.additionMedia = b->additionMedia != 0;
    s.legacyGamma = b->legacyGamma != 0;
    s.invalidateLength = static_cast<uint16_t>(b->invalidateLength);
    s.rasterLineStyle = b->rasterLineStyle;
    s.paperCheck = b->paperCheck != 0;
    s.waitForPaperSupported = b->waitForPaperSupported != 0;
    s.pageCommandMode = b->pageCommandMode;
    s.clearMediaErrorAtEnd = b->clearMediaErrorAtEnd != 0;
    s.minLengthTenthMm = static_cast<uint16_t>(b->minLengthTenthMm);
    s.lengthMarginTenthMm = static_cast<uint8_t>(b->lengthMarginTenthMm);

    s.variousModeCaps = c->variousModeCaps;
    s.advancedModeCaps = c->advancedModeCaps;
    s.feedModes = c->feedModes;
    s.printerCaseCommand = c->printerCaseCommand != 0;
    s.speedCommand = c->speedCommand != 0;
    s.mode9Supported = c->mode9Supported != 0;
    s.mode9Parameter = c->mode9Parameter;
    s.mode9MirrorMargin = c->mode9MirrorMargin != 0;
    s.usePaperLeftOffset = c->usePaperLeftOffset != 0;
    s.compression = c->compression;
    s.changeStatusModeCommand = c->changeStatusModeCommand != 0;

    s.spaceCommand = f->spaceCommand != 0;
    s.printInformationCommand = f->printInformationCommand != 0;
    s.qualityModeSupported = f->qualityModeSupported != 0;
    s.copiesCommand = f->copiesCommand;
    s.densityCommand = f->densityCommand != 0;
    s.colorMode = f->colorMode;
    s.labelColorStatusIndex = f->labelColorStatusIndex;
    s.inkColorStatusIndex = f->inkColorStatusIndex;
    s.tubeSupported = f->tubeSupported != 0;
    s.tubeRibbonInkColorStatusIndex = f->tubeRibbonInkColorStatusIndex;
    s.tubeHeadDots = static_cast<uint16_t>(f->tubeHeadDots);

    s.supportFunctions = portMap<uint16_t>(m->supportFunctions);
    s.netSettings = portMap<uint32_t>(m->netSettings);
    s.bluetoothSettings = portMap<uint32_t>(m->bluetoothSettings);
    s.powerSettings = portMap<uint32_t>(m->powerSettings);
    s.printSettings = portMap<uint32_t>(m->printSettings);

    s.templateFirmwareCheck = t->templateFirmwareCheck != 0;
    s.templateFirmwareCode = static_cast<uint8_t>(t->templateFirmwareCode);
    s.templateFirmwareMinVersion = t->templateFirmwareMinVersion;
    s.changeModeBeforeTemplateUpload = t->changeModeBeforeTemplateUpload != 0;
    s.templateObjectMax = static_cast<uint16_t>(t->templateObjectMax);
    s.waitAfterLastChunk = t->waitAfterLastChunk != 0;
    s.firmwareVersionMethod = t->firmwareVersionMethod;
    s.changeModeBeforeFirmwareUpdate = t->changeModeBeforeFirmwareUpdate != 0;
    s.serialNumberCommand = t->serialNumberCommand != 0;
    s.mediaVersionCommand = t->mediaVersionCommand != 0;
    s.batteryWeakBootModeCommand = t->batteryWeakBootModeCommand != 0;
    return s;
}

PrinterSpec decoded(int model) {
    return specOf(static_cast<Model>(model));
}

PrinterSpec decode(const unsigned char* data, int length) {
    PrinterSpec spec;
    PrinterSpecBuilder().parsePrinterSpec(data, length, spec);
    return spec;
}

// ---------------------------------------------------------------------------------------

TEST(ModelCatalogue, EveryModelDecodesToItsTableValues) {
    ASSERT_EQ(std::size(kIdentity), 68u);
    for (const IdentityRow& id : kIdentity) {
        const PrinterSpec actual = decoded(id.value);
        PrinterSpec expected = expectedSpec(id);
        // Product ids are placeholders, except for the model without a USB port.
        expected.usbProductId = id.value == KX_A120BT ? 0 : actual.usbProductId;
        EXPECT_TRUE(samePrinterSpec(expected, actual)) << "model " << id.value << " " << id.name;
    }
}

TEST(ModelCatalogue, ValuesWithoutRecordLeaveTheSpecUntouched) {
    PrinterSpec filled = decoded(SN_7550DNWB);
    for (const int model : {43, 44, 70, 71, -1, INT_MAX, INT_MIN}) {
        EXPECT_EQ(modelRecord(static_cast<Model>(model)).data, nullptr) << model;
        PrinterSpec fresh;
        PrinterSpecBuilder().getPrinterSpec(fresh, static_cast<Model>(model));
        EXPECT_TRUE(samePrinterSpec(PrinterSpec(), fresh)) << "model " << model;
        PrinterSpec used = filled;
        PrinterSpecBuilder().getPrinterSpec(used, static_cast<Model>(model));
        EXPECT_TRUE(samePrinterSpec(filled, used)) << "model " << model;
    }
}

TEST(ModelCatalogue, SelectedCasesReadAsDocumented) {
    const PrinterSpec tube = decoded(KX_C450TKW);
    EXPECT_TRUE(tube.tubeSupported);
    EXPECT_EQ(tube.tubeRibbonInkColorStatusIndex, 26);
    EXPECT_EQ(tube.tubeHeadDots, 144);
    EXPECT_EQ(tube.copiesCommand, 1);

    const PrinterSpec ble = decoded(HU_3620B);
    EXPECT_EQ(ble.supportFunctions.at(PORT_BLE), ble.supportFunctions.at(PORT_BLUETOOTH));
    EXPECT_EQ(ble.powerSettings.at(PORT_BLE), ble.powerSettings.at(PORT_BLUETOOTH));
    EXPECT_TRUE(ble.netSettings.empty());

    // Ports 1 and 8 with entries for 1 and 2: no copy, nothing under port 8.
    const PrinterSpec noCopy = decoded(FC_660MFi);
    EXPECT_EQ(noCopy.ports, (std::vector<Port>{PORT_USB, PORT_BLE}));
    EXPECT_EQ(noCopy.supportFunctions.count(PORT_BLE), 0u);

    // Narrow head with the wide paper kinds: kept as stored.
    const PrinterSpec narrow = decoded(KX_A550BT);
    EXPECT_EQ(narrow.headDots, 128);
    EXPECT_EQ(narrow.dpi, 360);
    EXPECT_EQ(narrow.paperKinds, 0x0080);
}

// ---------------------------------------------------------------------------------------
// Properties of the stored records themselves.

TEST(ModelRecords, ItemsAreTheListedOnesInAscendingOrderAndFillTheRecord) {
    for (const IdentityRow& id : kIdentity) {
        const ModelRecord r = modelRecord(static_cast<Model>(id.value));
        ASSERT_NE(r.data, nullptr) << id.value;
        EXPECT_EQ(record_walk::boundaries(r.data, r.length).back(), r.length)
            << "model " << id.value << ": items do not end exactly at the record's end";
        EXPECT_EQ(record_walk::tags(r.data, r.length), numbers(id.items)) << "model " << id.value;

        const std::vector<int> tags = record_walk::tags(r.data, r.length);
        ASSERT_FALSE(tags.empty());
        EXPECT_EQ(tags.front(), 1) << "model " << id.value;
        for (size_t i = 1; i < tags.size(); ++i) {
            EXPECT_LT(tags[i - 1], tags[i]) << "model " << id.value;
        }

        // Every item parser, called at its item, consumes exactly the item.
        const std::vector<int> b = record_walk::boundaries(r.data, r.length);
        for (size_t i = 0; i + 1 < b.size(); ++i) {
            PrinterSpec spec;
            const int tag = r.data[b[i]];
            EXPECT_EQ(item_parsers::call(tag, r.data, r.length, spec, b[i]), b[i + 1] - b[i])
                << "model " << id.value << " item " << tag;
        }
    }
}

TEST(ModelRecords, NameLengthByteMatchesTheNameExceptThreeModels) {
    for (const IdentityRow& id : kIdentity) {
        const ModelRecord r = modelRecord(static_cast<Model>(id.value));
        const int expected = (id.value == 34 || id.value == 35 || id.value == 58)
                                 ? 8
                                 : static_cast<int>(std::strlen(id.name));
        EXPECT_EQ(r.data[9], expected) << "model " << id.value;
        EXPECT_EQ(r.data[39], 0) << "model " << id.value << ": auxiliary flag";
    }
}

TEST(ModelRecords, DecodedValuesKeepTheCatalogueRules) {
    std::map<int, int> byIdentifier;
    for (const IdentityRow& id : kIdentity) {
        const int v = id.value;
        const PrinterSpec s = decoded(v);
        SCOPED_TRACE("model " + std::to_string(v));
        EXPECT_EQ(s.dpiSecond, s.dpi);
        EXPECT_FALSE(s.auxFlag2);
        EXPECT_LE(2 * s.lengthMarginTenthMm, s.minLengthTenthMm);

        switch (s.seriesId) {
            case 1:
                EXPECT_EQ(s.paperKinds, 0x0004);
                break;
            case 2:
            case 3:
                EXPECT_EQ(s.paperKinds, 8);
                break;
            case 4:
                EXPECT_TRUE(s.paperKinds == 0x0001 || s.paperKinds == 0x0002);
                break;
            case 5:
                EXPECT_TRUE(s.paperKinds == 0x0010 || s.paperKinds == 0x0400);
                break;
            case 6:
                EXPECT_TRUE(s.paperKinds == 0x0020 || s.paperKinds == 0x0040 ||
                            s.paperKinds == 0x0080 || s.paperKinds == 0x0380);
                break;
            default:
                ADD_FAILURE() << "series id " << s.seriesId;
        }

        const bool older = v >= 3 && v <= 8;
        if (older) {
            EXPECT_EQ(s.seriesCode, 0);
            EXPECT_EQ(s.modelCode, 0);
            EXPECT_FALSE(s.statusSupported);
            EXPECT_EQ(s.batteryMode, PS_BATTERY_NONE);
        } else {
            const int identifier = s.seriesCode * 256 + s.modelCode;
            EXPECT_TRUE(byIdentifier.emplace(identifier, v).second)
                << "identifier shared with model " << byIdentifier[identifier];
        }

        int protocol = 89;
        if (v == 66 || v == 67) {
            protocol = 90;
        } else if (v >= 54 && v <= 56) {
            protocol = 100;
        } else if (v == 59 || v == 60) {
            protocol = 101;
        } else if (v >= 61 && v <= 65) {
            protocol = 102;
        }
        EXPECT_EQ(s.commandProtocol.version, protocol);

        EXPECT_EQ(s.tubeSupported || s.tubeHeadDots != 0, v == 37);
        EXPECT_EQ(s.minLengthTenthMm != 0, (v >= 54 && v <= 56) || (v >= 59 && v <= 65));

        for (const auto& entry : s.supportFunctions) {
            EXPECT_NE(entry.second & PS_SUPPORT_PRINT, 0) << "port " << entry.first;
        }
        const std::vector<int> tags = numbers(id.items);
        if (std::find(tags.begin(), tags.end(), 16) != tags.end()) {
            EXPECT_EQ(s.labelColorStatusIndex, 24);
            EXPECT_EQ(s.inkColorStatusIndex, 25);
        }
    }
    EXPECT_EQ(byIdentifier[0x306D], 37);
    EXPECT_EQ(byIdentifier[0x306E], 38);
    EXPECT_EQ(byIdentifier[0x306F], 39);
    EXPECT_EQ(byIdentifier[0x3070], 40);
    EXPECT_EQ(byIdentifier[0x3074], 42);
    EXPECT_EQ(byIdentifier[0x3065], 58);
}

// ---------------------------------------------------------------------------------------
// Prefix property: decoding the first L bytes gives what decoding up to the last complete
// item at or before L gives. Each prefix sits in a heap block of exactly L bytes, so a
// read past it is caught.

void expectPrefixProperty(const unsigned char* data, int length, const std::string& what) {
    const std::vector<int> bounds = record_walk::boundaries(data, length);
    for (int cut = 0; cut <= length; ++cut) {
        int boundary = 0;
        for (const int b : bounds) {
            if (b <= cut) {
                boundary = b;
            }
        }
        std::unique_ptr<unsigned char[]> prefix(new unsigned char[static_cast<size_t>(cut)]);
        if (cut > 0) {
            std::memcpy(prefix.get(), data, static_cast<size_t>(cut));
        }
        const PrinterSpec got = decode(prefix.get(), cut);
        const PrinterSpec want = decode(data, boundary);
        EXPECT_TRUE(samePrinterSpec(want, got))
            << what << ", cut at " << cut << ", boundary " << boundary;
    }
}

TEST(ModelRecords, EveryPrefixDecodesAsItsLastCompleteItem) {
    for (const IdentityRow& id : kIdentity) {
        const ModelRecord r = modelRecord(static_cast<Model>(id.value));
        expectPrefixProperty(r.data, r.length, "model " + std::to_string(id.value));
    }
}

// Random records built from plausible items (and some noise) keep the same property.
TEST(ModelRecords, RandomRecordsKeepThePrefixProperty) {
    std::mt19937 rng(20261210);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 300; ++round) {
        std::vector<unsigned char> record;
        const int items = std::uniform_int_distribution<int>(0, 10)(rng);
        for (int i = 0; i < items; ++i) {
            const int tag = std::uniform_int_distribution<int>(0, 24)(rng);
            record.push_back(static_cast<unsigned char>(tag));
            // Mostly items of the right size; now and then one that is cut short or padded.
            int body = std::uniform_int_distribution<int>(0, 12)(rng);
            if (tag >= 1 && tag <= 22) {
                const int count = std::uniform_int_distribution<int>(0, 4)(rng);
                unsigned char head[2] = {static_cast<unsigned char>(tag),
                                         static_cast<unsigned char>(count)};
                const int size = record_walk::itemSize(head, 2 + 5 * 255 + 45);
                if (tag >= 7 && tag <= 11) {
                    record.push_back(static_cast<unsigned char>(count));
                    body = size - 2;
                } else {
                    body = size - 1;
                }
                if (std::uniform_int_distribution<int>(0, 9)(rng) == 0) {
                    body = std::uniform_int_distribution<int>(0, body + 3)(rng);
                }
            }
            for (int k = 0; k < body; ++k) {
                // Small values now and then, so that flag rules and ports vary.
                record.push_back(static_cast<unsigned char>(
                    std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? byte(rng) % 3
                                                                       : byte(rng)));
            }
        }
        expectPrefixProperty(record.data(), static_cast<int>(record.size()),
                             "random record " + std::to_string(round));
    }
}

}  // namespace
