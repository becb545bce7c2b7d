// The seeds of each target.
#include <functional>
#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/model_record.h"
#include "fuzz_input.h"
#include "fuzzed_observer.h"
#include "page_key.h"
#include "seeds.h"

namespace lumeko_fuzz {

namespace {

using Bytes = std::vector<unsigned char>;

void printerSpecSeeds() {
    for (int m = 0; m < NO_MODEL; ++m) {
        const ModelRecord record = modelRecord(static_cast<Model>(m));
        if (record.data != nullptr) {
            writeSeed("printer_spec_fuzz", "model-" + std::to_string(m),
                      Bytes(record.data, record.data + record.length));
        }
    }
}

// Status operations (see status_reply_fuzz.cpp for the layout): model, port index,
// operation, cancel call, spec edit flag, observer flag, paper choice, then the answers.
void statusSeeds() {
    int n = 0;
    for (Model model : seedModels()) {
        const Bytes clean = statusReply(model);
        std::vector<Bytes> replies = {clean};
        Bytes r = clean;
        r[18] = 2;  // error record: no media
        r[8] = 0x01;
        replies.push_back(r);
        r = clean;
        r[18] = 5;  // notification: cooling
        r[22] = 3;
        replies.push_back(r);
        r = clean;
        r[18] = 6;  // phase change: printing
        r[19] = 1;
        replies.push_back(r);
        r = clean;
        r[18] = 1;  // printing completed
        replies.push_back(r);
        r = clean;
        r[6] = 0x23;  // battery byte, mode 9, media
        r[15] = 1;
        r[10] = 62;
        r[11] = 0x0A;
        r[17] = 29;
        replies.push_back(r);
        for (int operation = 0; operation < 10; ++operation) {
            for (size_t k = 0; k < replies.size(); ++k) {
                SeedWriter w;
                w.u8(0).u8(static_cast<unsigned>(model)).u8(operation == 9 ? 2 : 0).u8(operation);
                w.u8(0).u8(0).u8(0).u8(0);
                if (operation == 5) {
                    w.u8(2).u8(0).u8(1).u8(0).u8(0);  // poll mode 3, one of two pages
                }
                ObserverScript answers(w);
                if (operation == 7 || operation == 5) {
                    answers.record(replies[k]).record(clean);
                } else if (operation == 9) {
                    answers.exchange({3});
                } else {
                    // The status reply, then one-byte battery replies for command models.
                    answers.exchange(replies[k]).exchange({0xC8}).exchange({0x97});
                }
                writeSeed("status_reply_fuzz", "seed-" + std::to_string(n++), w.data());
            }
        }
    }
}

void utilSeeds() {
    const std::vector<std::string> numbers = {
        "42",       "  42", "+7",   "12abc", "0x10", "2147483648", "-2147483649", "1A", "0x1a",
        "FFFFFFFF", "00ff", "3.5V", "1.06",  ".5",   "1e",         "1e400",       "-1", "inf"};
    int n = 0;
    for (const std::string& text : numbers) {
        SeedWriter w;
        w.u8(0).bytes(Bytes(text.begin(), text.end()));
        writeSeed("util_fuzz", "number-" + std::to_string(n++), w.data());
    }
    SeedWriter texts;
    texts.u8(1).shortText(",a,,b,").shortText("A,").u8(',').shortText("x");
    writeSeed("util_fuzz", "texts", texts.data());
    SeedWriter status;
    status.u8(1).shortText("Printer Status").shortText("STATUS").u8(' ').shortText("");
    writeSeed("util_fuzz", "find", status.data());
    SeedWriter margin;
    margin.u8(2).u8(2).u8(4).u16(3).u8(0).u8(0).bytes({0xFF, 0x0F});
    writeSeed("util_fuzz", "margin", margin.data());
    SeedWriter files;
    files.u8(3).longBytes({1, 2, 3}).shortBytes({4, 5});
    writeSeed("util_fuzz", "files", files.data());
}

// The device queries: model, port index, query, flags, then the answers of the examples
// the tests check.
void deviceQuerySeeds() {
    auto seed = [](const std::string& name, unsigned port, unsigned query,
                   const std::function<void(SeedWriter&, ObserverScript&)>& answers) {
        SeedWriter w;
        w.u8(static_cast<unsigned>(VZ_220NW)).u8(port).u8(query).u8(0x07);
        ObserverScript script(w);
        answers(w, script);
        writeSeed("device_query_fuzz", name, w.data());
    };
    seed("serial-usb", 0, 0, [](SeedWriter&, ObserverScript& s) {
        s.sent().record({10, '0', '1', '2', '3', '4', '5'}).record({'6', '7', '8', '9'});
    });
    seed("serial-bluetooth", 1, 0, [](SeedWriter&, ObserverScript& s) {
        s.sent().record({4}).record({'A', 'B', 'C', 'D'});
    });
    seed("serial-net", 2, 0, [](SeedWriter&, ObserverScript& s) { s.text("E12345"); });
    seed("media-version", 0, 1, [](SeedWriter&, ObserverScript& s) {
        s.sent().record({5, '1', '.', '0', '2', 'A', 0, 0});
    });
    seed("media-file", 0, 2, [](SeedWriter& w, ObserverScript&) {
        w.longBytes({0x1B, 0x69, 0x55, 0x77, 1, 2, 3, '1', '0', '3', 0}).u8(1);
    });
    Bytes counter(36, 0);
    counter[12] = 0x01;
    counter[13] = 0x2C;
    seed("page-counter", 2, 3, [&](SeedWriter&, ObserverScript& s) { s.exchange(counter); });
    seed("device-status", 2, 4, [](SeedWriter&, ObserverScript& s) { s.text("READY  TO  PRINT"); });
    seed("system-report", 0, 5, [](SeedWriter&, ObserverScript& s) {
        s.sent().record({3, 0}).record({0x41, 0xFF, 0x0A});
    });
    Bytes battery(16, 0);
    battery[0] = 16;
    battery[1] = 5;
    battery[2] = 100;
    battery[3] = 1;
    seed("battery-usb", 0, 6, [&](SeedWriter&, ObserverScript& s) { s.exchange(battery); });
    seed("battery-net", 2, 6, [&](SeedWriter&, ObserverScript& s) { s.exchange(battery); });
}

// A custom paper command of one model: 1B 69 61 01, the 16-byte header, the body marker,
// the 127-byte body with the fields paper selection reads, 1B 69 61 FF.
Bytes customPaperCommand(Model model, unsigned tapeWidMm, unsigned prtWidth, unsigned prtLength,
                         unsigned topMargin) {
    const PrinterSpec spec = specOf(model);
    Bytes c = {0x1B,           0x69, 0x61, 0x01, 0x1B, 0x69, 0x55, 0x4F, 0x10, spec.seriesCode,
               spec.modelCode, 0,    132,  0,    0,    0,    0,    0,    0,    0,
               0x1B,           0x69, 0x55, 0x77, 0x01};
    Bytes body(127, 0);
    body[2] = static_cast<unsigned char>(tapeWidMm);
    body[6] = 8;  // headDot
    body[8] = static_cast<unsigned char>(prtWidth & 0xFF);
    body[9] = static_cast<unsigned char>(prtWidth >> 8);
    body[10] = static_cast<unsigned char>(prtLength & 0xFF);
    body[11] = static_cast<unsigned char>(prtLength >> 8);
    body[115] = static_cast<unsigned char>(topMargin);
    c.insert(c.end(), body.begin(), body.end());
    c.insert(c.end(), {0x1B, 0x69, 0x61, 0xFF});
    return c;
}

// Paper selection: model, route, operation, paper id, custom width and length, preset
// flag, colour checks, then the custom paper data.
void customPaperSeeds() {
    int n = 0;
    for (Model model : {HU_3430, HU_2310, SN_3100, SN_7100N, GY_150BT, KX_C270W}) {
        const Bytes one = customPaperCommand(model, 58, 448, 0, 24);
        Bytes two = customPaperCommand(SN_3200N, 50, 384, 224, 12);
        two.insert(two.end(), one.begin(), one.end());
        for (const Bytes& custom : {one, two}) {
            for (unsigned route = 0; route < 3; ++route) {
                for (unsigned operation = 0; operation < 3; ++operation) {
                    SeedWriter w;
                    w.u8(static_cast<unsigned>(model)).u8(route).u8(operation).u8(254);
                    w.i32(400).i32(300).u8(0).u8(0).u8(0).longBytes(custom);
                    writeSeed("custom_paper_fuzz", "seed-" + std::to_string(n++), w.data());
                }
            }
        }
    }
}

// The encoders: a line for the run-length encoder, small pages for the label and Mode 9
// bodies.
void encoderSeeds() {
    SeedWriter runs;
    runs.u8(0).u16(12).bytes({5, 5, 5, 1, 2, 3, 3, 0, 0, 0, 0, 9});
    writeSeed("encoder_fuzz", "run-length", runs.data());
    SeedWriter label;
    label.u8(1).u8(3).u8(1).u8(1).u8(0).u8(0).u8(6).u8(2).u16(0).u16(15).u8(2);
    label.bytes({0x80, 0x01, 0xFF, 0x0F});
    writeSeed("encoder_fuzz", "label-body", label.data());
    SeedWriter mode9;
    mode9.u8(2).u16(7).u8(3).u8(1).u8(1).u16(102);
    mode9.u8(0).bytes({0x80, 0, 0, 0, 0, 0, 0, 0x01}).u8(1).u8(1).u16(2).u8(0xFF);
    mode9.u8(2).u16(1).u8(5).u8(0x0F).shortBytes({0xAA, 0xBB});
    writeSeed("encoder_fuzz", "mode9-body", mode9.data());
}

// Answers of a printer that prints: the status reply, one-byte battery replies, every
// send taken, then "phase: waiting" records for the print-end waits.
void printingPrinter(SeedWriter& w, Model model) {
    ObserverScript s(w);
    Bytes waiting = statusReply(model);
    waiting[18] = 6;  // phase change, phase 0
    s.exchange(statusReply(model)).exchange({0xC8}).exchange({0x97});
    for (int k = 0; k < 4; ++k) {
        s.sent().sent().record(waiting);
    }
}

// Pages: the large-page key, leftover state, model, port, operation, the options (defaults
// but fit to the printable area, Mode 9 and the status check on), the paper, the custom
// paper sizes, a 16 x 16 pixel file, then the printer. Each seed is written twice: with its
// key, fitted to the paper as large as it is, and without, as a small page.
void pageSeeds() {
    int n = 0;
    for (Model model : seedModels()) {
        for (unsigned operation = 0; operation < 3; ++operation) {
            SeedWriter w;
            w.u8(0).u8(static_cast<unsigned>(model)).u8(0).u8(operation);
            w.u8(0).u8(0).u8(1).u8(0).u8(0).u16(128).u8(0).u8(0).u8(0).u8(0).u8(0);
            w.u16(0).u16(0).u8(0).u16(100).u16(0x2020).u8(5).u8(1).u8(0).u8(2).u8(0).u8(0);
            w.u8(1).u8(0).u8(0).u8(0);
            if (specOf(model).paperKinds == 8) {
                w.u8(58).u8(0).u8(8).u16(448).u8(1).u8(24);
            }
            w.u8(0).u16(15).u8(0).u16(15);
            Bytes pixels;
            for (int i = 0; i < 16 * 16; ++i) {
                const unsigned char v = (i / 16 + i % 16) % 3 == 0 ? 0 : 255;
                pixels.insert(pixels.end(), {v, v, v});
            }
            w.longBytes(pixels).u8(0).u8(0).u8(0).u8(0);
            if (operation == 2) {
                w.u8(1);
            }
            printingPrinter(w, model);
            const uint32_t key = largePageKey(w.data());
            const std::vector<unsigned char> small = SeedWriter().u32(0).bytes(w.data()).data();
            writeSeed("page_fuzz", "seed-" + std::to_string(n++), small);
            const std::vector<unsigned char> large = SeedWriter().u32(key).bytes(w.data()).data();
            writeSeed("page_fuzz", "seed-large-" + std::to_string(n++), large);
        }
    }
}

// Prepared print files: leftover state, model, port, flags (status check, copies), the
// print-end check, two copies, the paper, a small file, then the printer.
void prnSeeds() {
    int n = 0;
    const Bytes file = {0x1B, 0x69, 0x61, 0x01, 0x1B, 0x40, 0x67, 0x00,
                        0x02, 0x01, 0xFF, 0x1A, 0x1B, 0x69, 0x61, 0xFF};
    for (Model model : seedModels()) {
        for (unsigned port = 0; port < 4; ++port) {
            SeedWriter w;
            w.u8(0).u8(static_cast<unsigned>(model)).u8(port).u8(0x03).u8(2).u8(1).u8(0);
            w.longBytes(file).u8(0);
            printingPrinter(w, model);
            writeSeed("prn_fuzz", "seed-" + std::to_string(n++), w.data());
        }
    }
}

// The bridge: texts (UTF-8 bytes, then UTF-16 units), and print options with every field
// set.
void bridgeSeeds() {
    const std::vector<std::string> texts = {"GY-150BT", "h\xC3\xA9llo \xE2\x82\xAC",
                                            "\xC0\xAF\xED\xA0\x80", std::string("a\0b", 3)};
    int n = 0;
    for (const std::string& t : texts) {
        SeedWriter w;
        w.u8(1).longText(t);
        for (char16_t c : std::u16string(u"\u00e9\u20ac\U0001F600")) {
            w.u16(c);
        }
        w.u16(0xD800).u16('x');
        writeSeed("bridge_fuzz", "text-" + std::to_string(n++), w.data());
    }
    SeedWriter options;
    options.u8(0);
    for (int field = 0; field < 45; ++field) {
        options.u8(1).i32(field == 0 ? 254 : 1).u8(1).u32(0).u32(0x3FF00000).shortText("");
        options.u8(field == 40 ? 1 : 0);
        if (field == 40) {
            options.longBytes(Bytes(156, 0x1B));
        }
    }
    options.u8(static_cast<unsigned>(HU_3430));
    writeSeed("bridge_fuzz", "options", options.data());
}

}  // namespace

const std::vector<std::function<void()>>& seedWriters() {
    static const std::vector<std::function<void()>> writers = {
        printerSpecSeeds, statusSeeds, utilSeeds, deviceQuerySeeds, customPaperSeeds,
        encoderSeeds,     pageSeeds,   prnSeeds,  bridgeSeeds};
    return writers;
}

}  // namespace lumeko_fuzz
