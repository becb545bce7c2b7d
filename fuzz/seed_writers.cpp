// The seeds of each target.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/model_record.h"
#include "catalogue/printer_spec.h"
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

// The request of a custom paper round trip: model name, kind and unit, nine lengths (tenths
// of a millimetre), the size text flags, a paper-definition text of the given head, the
// reading model's resolution, the file flag.
Bytes customPaperRequest(unsigned name, unsigned kind, std::vector<int> lengths, unsigned headDots,
                         unsigned dpiChoice, unsigned dpi, const std::string& sizeText = "") {
    SeedWriter w;
    w.u8(1).u8(name).u8(kind).u8(2);
    for (int v : lengths) {
        w.u16(static_cast<unsigned>(v) & 0xFFFF);
    }
    if (sizeText.empty()) {
        w.u8(0).u8(0);  // no preset size texts
    } else {
        w.u8(1).shortText(sizeText).u8(1).shortText(sizeText);
    }
    w.u8(1).u8(1).u8(dpiChoice);                    // keys from the input, a listed resolution
    w.u8(1).u16(headDots).u8(0x35).u8(0x39).u8(2);  // sensor, head, codes, head divide
    w.u16(80).u16(60).u16(10000).u8(30);            // die start 8.0, lengths, least margin
    w.u16(dpi).u8(0);
    return w.data();
}

// Paper selection: 0, then model, route, operation, paper id, custom width and length,
// preset flag, colour checks, then the custom paper data. The round trip: 1, then a request.
void customPaperSeeds() {
    int n = 0;
    // Labels on a 300 dpi head of 1248 dots, a roll on 203 dpi, a marked roll.
    writeSeed("custom_paper_fuzz", "trip-labels",
              customPaperRequest(1, 2, {620, 1000, 30, 30, 20, 20, 30, 0, 0}, 1248, 1, 300));
    writeSeed("custom_paper_fuzz", "trip-roll",
              customPaperRequest(0, 1, {580, 0, 30, 30, 50, 0, 0, 0, 0}, 832, 0, 203));
    writeSeed("custom_paper_fuzz", "trip-size-texts",
              customPaperRequest(1, 2, {620, 1000, 30, 30, 20, 20, 30, 0, 0}, 1248, 1, 300,
                                 "62mm x 100mm"));
    writeSeed("custom_paper_fuzz", "trip-marked-roll",
              customPaperRequest(7, 3, {1000, 1500, 20, 20, 30, 30, 0, 65496, 50}, 832, 0, 203));
    for (Model model : {HU_3430, HU_2310, SN_3100, SN_7100N, GY_150BT, KX_C270W}) {
        const Bytes one = customPaperCommand(model, 58, 448, 0, 24);
        const Bytes other = customPaperCommand(SN_3200N, 50, 384, 224, 12);
        Bytes two = other;
        two.insert(two.end(), one.begin(), one.end());
        // This model's body cut to 82 bytes, then the other model's command.
        Bytes cut(one.begin(), one.begin() + 25 + 82);
        cut.insert(cut.end(), other.begin(), other.end());
        for (const Bytes& custom : {one, two, cut}) {
            for (unsigned route = 0; route < 3; ++route) {
                for (unsigned operation = 0; operation < 3; ++operation) {
                    SeedWriter w;
                    w.u8(0).u8(static_cast<unsigned>(model)).u8(route).u8(operation).u8(254);
                    w.i32(400).i32(300).u8(0).u8(0).u8(0).longBytes(custom);
                    writeSeed("custom_paper_fuzz", "seed-" + std::to_string(n++), w.data());
                }
            }
        }
    }
}

// Paper-definition files: a model name choice (0 to 11 the listed names), then the text.
void paperDefinitionSeeds() {
    const std::string head =
        "; paper definition\n[Head]\nnSensorID = 1\ndwHeadPinNum = 1248\nwResolutionNum = 2\n"
        "wResolutions = 300,300,600,300\nbySeriesCode = 35\nbyModelCode = 39\n"
        "byHeadDivide = 2\nnDieStartPlus = 8\n";
    const std::string limits =
        "nMinPaperLength = 60\nnMaxPaperLength = 10000\nnMinMargin = 30\nnMaxMargin = 1270\n";
    const auto seed = [](const std::string& name, unsigned model, const std::string& text) {
        SeedWriter w;
        w.u8(model).bytes(Bytes(text.begin(), text.end()));
        writeSeed("paper_definition_fuzz", name, w.data());
    };
    seed("complete", 1, head + limits);
    seed("without-limits", 10, head);  // a model whose file carries no limits
    seed("crlf", 0,
         "nSensorID = 1\r\ndwHeadPinNum = 832\r\nwResolutionNum = 1\r\n"
         "wResolutions = 203,203\r\nbySeriesCode = 0x35\r\nbyModelCode = 33\r\n"
         "byHeadDivide = -1\r\nnDieStartPlus = -2.7\r\n" +
             limits);
    seed("empty", 3, "");
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

// Settings replies (see settings_reply_fuzz.cpp for the layout): leftover state, model and
// port choice, operation, cancel call, observer flag, six capability bytes, spec edit flag,
// the keys and texts of a call, then the operation's choices and the printer's answers.
void settingsSeeds() {
    int n = 0;
    // Model index 0 (HU series), capability bytes that turn every group on.
    auto head = [](SeedWriter& w, unsigned port, unsigned operation, unsigned count) {
        w.u8(0).u8(0).u8(port).u8(operation).u8(0).u8(0);
        w.u8(5).u8(1).u8(0x3F).u8(0xFF).u8(4).u8(0x0F).u8(1).u8(count);
    };
    auto save = [&](const SeedWriter& w) {
        writeSeed("settings_reply_fuzz", "seed-" + std::to_string(n++), w.data());
    };
    auto pjl = [](const std::string& id, const std::string& value) {
        const std::string r = "@PJL INQUIRE OBJTLNET\r\n\"" + id + ":" + value + "\"\r\n";
        return Bytes(r.begin(), r.end());
    };
    // PJL and SNMP reads of each kind: item index, read kind, value.
    struct Item {
        unsigned index;
        const char* id;
        unsigned kind;
        const char* pjlValue;
        const char* snmpValue;
    };
    const Item items[] = {
        {1, "458878", 0, "11", "3"},
        {1, "458878", 0, "2x", "abc"},
        {13, "458961.2", 1, "BRN1", "BRN1"},
        {0, "458877", 2, "4d-79-4e-65-74", "MyNet"},
        {18, "458967.2", 3, "c0-a8-01-14", "0xc0a80114"},
        {26, "458989.2.1", 4, "20-01-0d-b8-00-00-00-00-00-00-00-00-00-00-00-01",
         "0x20:01:0d:b8:00:00:00:00:00:00:00:00:00:00:00:01"},
    };
    for (const Item& item : items) {
        SeedWriter usb;
        head(usb, 0, 0, 0);
        usb.u8(0).u8(item.index).u8(item.kind);
        ObserverScript(usb).sent().record(pjl(item.id, item.pjlValue));
        save(usb);
        SeedWriter net;
        head(net, 2, 1, 0);
        net.u8(0).u8(item.index).u8(item.kind);
        ObserverScript(net).text(item.snmpValue);
        save(net);
    }
    // Every ESC device-setting read: a plain three-byte reply, and the text replies.
    for (unsigned read = 0; read < 24; ++read) {
        SeedWriter w;
        head(w, 0, 2, 0);
        w.u8(read).u8(0);
        ObserverScript s(w);
        if (read == 0) {
            s.sent().record({4, 'n', 'a', 'm', 'e'});
        } else if (read == 11 || read == 12) {
            s.sent().record({3, 0, 'k', 'e', 'y'});
        } else if (read == 14) {
            s.text("1");
        } else if (read == 21 || read == 22) {
            Bytes block(36, 0);
            block[2] = 0x7D;
            block[4] = 48;
            s.exchange(block);
        } else {
            s.exchange({1, 0, 1});
        }
        save(w);
    }
    // Every power-off read: two ESC i U A replies (3 tens, 5 minutes, marked valid), an SNMP
    // code for the network forms, the FC block.
    Bytes tens(32, 0);
    tens[30] = 3;
    tens[31] = 1;
    Bytes units(32, 0);
    units[30] = 5;
    units[31] = 1;
    Bytes block(36, 0);
    block[12] = 30;
    block[13] = 60;
    for (unsigned read = 0; read < 13; ++read) {
        for (unsigned port : {0u, 2u}) {
            SeedWriter w;
            head(w, port, 3, 0);
            w.u8(read);
            ObserverScript s(w);
            if (read == 2 || read == 3 || (port == 2 && read < 2)) {
                s.text("21");
            } else if (read == 4 || read == 5) {
                s.exchange(block);
            } else {
                s.exchange(tens).exchange(units);
            }
            save(w);
        }
    }
    // The IPv6 address list: two entries by PJL and by SNMP.
    SeedWriter listUsb;
    head(listUsb, 0, 4, 0);
    ObserverScript(listUsb)
        .sent()
        .record(pjl("458983.2", "2"))
        .sent()
        .record(pjl("458985.2.1", "fe-80-00-00-00-00-00-00-00-00-00-00-00-00-00-01"))
        .sent()
        .record(pjl("458985.2.2", "20-01-0d-b8-00-00-00-00-00-00-00-00-00-00-00-02"));
    save(listUsb);
    SeedWriter listNet;
    head(listNet, 2, 4, 0);
    ObserverScript(listNet)
        .text("2")
        .text("0xfe:80:00:00:00:00:00:00:00:00:00:00:00:00:00:01")
        .text("0x20:01:0d:b8:00:00:00:00:00:00:00:00:00:00:00:02");
    save(listNet);
    // Get and set calls: a clean status, then the reads or the commit. Key indexes: 16
    // (key 17), 19 (20), 33 (35), 38 (40), 17 (18), 23 (24), 1 (2), 39 (254).
    const Bytes status = statusReply(HU_3650WB);
    SeedWriter get;
    head(get, 0, 5, 3);
    get.u8(16).shortText("").u8(19).shortText("").u8(38).shortText("");
    ObserverScript(get)
        .exchange(status)
        .sent()
        .sent()
        .record(pjl("458878", "2"))
        .sent()
        .record(pjl("458881", "16"))
        .sent()
        .record(pjl("459337", "3"))
        .exchange({0, 0, 3})
        .sent();
    save(get);
    SeedWriter set;
    head(set, 0, 6, 5);
    set.u8(17).shortText("MyNet").u8(23).shortText("user").u8(1).shortText("3");
    set.u8(33).shortText("25").u8(39).shortText("");
    ObserverScript(set).exchange(status).sent();
    save(set);
    // PJL text writes: item index, writer (0 and 1 hexadecimal, 2 raw), maxBytes, text.
    struct TextWrite {
        unsigned item;
        unsigned writer;
        std::string text;
    };
    const TextWrite writes[] = {
        {0, 0, "Cafe \"Bar\""},
        {10, 1, "my\"secret\"pass"},
        {0, 0, std::string("a\0b", 3)},
        {11, 2, "user 1"},
        {11, 2, "a\"b"},
        {12, 2, "pass\tword"},
    };
    for (const TextWrite& t : writes) {
        SeedWriter w;
        head(w, 0, 7, 0);
        w.u8(t.item).u8(t.writer).u8(64).shortText(t.text);
        save(w);
    }
}
}  // namespace

// A send-data header: marker, length byte (40 or 80), data kind, key; name from byte 32.
Bytes sendDataHeader(unsigned lengthByte, unsigned kind, unsigned key, const std::string& name) {
    Bytes h(lengthByte == 0x80 ? 128 : 64, 0);
    h[0] = 0x90;
    h[1] = static_cast<unsigned char>(lengthByte);
    h[2] = 0x30;
    h[3] = 0x66;
    h[6] = static_cast<unsigned char>(kind & 0xFF);
    h[7] = static_cast<unsigned char>(kind >> 8);
    h[12] = static_cast<unsigned char>(key & 0xFF);
    h[13] = static_cast<unsigned char>(key >> 8);
    for (size_t i = 0; i < name.size() && 32 + i < h.size(); ++i) {
        h[32 + i] = static_cast<unsigned char>(name[i]);
    }
    return h;
}

// A package record: ESC i F I ESC i F D, the header, the payload size, the payload.
Bytes packageRecord(const Bytes& header, const Bytes& payload) {
    Bytes r = {0x1B, 0x69, 0x46, 0x49, 0x1B, 0x69, 0x46, 0x44};
    r.insert(r.end(), header.begin(), header.end());
    const size_t n = payload.size();
    for (int i = 0; i < 4; ++i) {
        r.push_back(static_cast<unsigned char>((n >> (8 * i)) & 0xFF));
    }
    r.insert(r.end(), payload.begin(), payload.end());
    return r;
}

// The CSV decoder and database builder: delimiter choice, field-name flag, flags, name, text.
void databaseSeeds() {
    const std::vector<std::pair<unsigned, std::string>> files = {
        {0, "a,b\n1,2\n"},
        {0, "name,price\r\n\"tea, green\",3\r\n\"say \"\"hi\"\"\",4\r\n"},
        {0,
         "\xEF\xBB\xBF"
         "a,,c\n1,2\n\n3,4,5,6\n"},
        {1, "a\tb,c\n 1\t2\n"},
        {0, "a,b\n\"1\t2\",x!\x18y\n"},
    };
    int n = 0;
    for (const auto& file : files) {
        SeedWriter w;
        w.u8(file.first)
            .u8(1)
            .u8(0)
            .shortText("db")
            .bytes(Bytes(file.second.begin(), file.second.end()));
        writeSeed("database_fuzz", "csv-" + std::to_string(n++), w.data());
    }
}

// The transfer file formats: mode, then the mode's fields (see transfer_file_fuzz.cpp).
void transferFileSeeds() {
    Bytes firmware = sendDataHeader(0x80, 0x0600, 0, "FW");
    const std::string version = "V1.07";
    std::copy(version.begin(), version.end(), firmware.begin() + 64);
    Bytes gy = sendDataHeader(0x40, 0x0610, 0, "GY V1.07");
    gy.resize(128, 0);
    Bytes preamble(42, 'P');
    const std::string model = "KX-C270W";
    preamble.insert(preamble.end(), model.begin(), model.end());
    preamble.push_back(0);
    const Bytes templateRecord = packageRecord(sendDataHeader(0x40, 0x0100, 1, "T1"), Bytes(20, 7));
    const Bytes rawRecord = packageRecord(sendDataHeader(0x80, 0x0B00, 0, ""), Bytes(16, 9));
    Bytes package = preamble;
    package.insert(package.end(), templateRecord.begin(), templateRecord.end());
    package.insert(package.end(), rawRecord.begin(), rawRecord.end());

    SeedWriter scan128;
    scan128.u8(0).bytes(firmware);
    writeSeed("transfer_file_fuzz", "scan-128", scan128.data());
    SeedWriter scan64;
    scan64.u8(0).bytes(Bytes(5, 0x41)).bytes(gy);
    writeSeed("transfer_file_fuzz", "scan-64", scan64.data());
    SeedWriter grammar;
    grammar.u8(1).u8(static_cast<unsigned>(preamble.size())).bytes(package);
    writeSeed("transfer_file_fuzz", "grammar", grammar.data());
    SeedWriter templateHeader;
    templateHeader.u8(2).u8(0).bytes(sendDataHeader(0x40, 0x0100, 5, "K5"));
    writeSeed("transfer_file_fuzz", "template-header", templateHeader.data());
    for (unsigned flags : {0u, 4u}) {
        SeedWriter w;
        Bytes record = preamble;
        const Bytes& r = flags == 0 ? templateRecord : rawRecord;
        record.insert(record.end(), r.begin(), r.end());
        w.u8(3).u8(0).u8(flags).longBytes(record);
        ObserverScript(w).sent();
        writeSeed("transfer_file_fuzz", "record-" + std::to_string(flags), w.data());
    }
    SeedWriter file;
    file.u8(4).u8(0).u8(0).longBytes(package);
    ObserverScript(file).sent().sent();
    writeSeed("transfer_file_fuzz", "package-file", file.data());
    Bytes kd3 = sendDataHeader(0x80, 0x0200, 0, "db");
    kd3.insert(kd3.end(), 40, 0x31);
    SeedWriter database;
    database.u8(4).u8(0).u8(2 | 16).longBytes(kd3);
    ObserverScript(database).sent().sent().sent().sent();
    writeSeed("transfer_file_fuzz", "database-file", database.data());
}

// The transfer replies: port index, operation, flags, then the operation's fields and the
// answers (see transfer_reply_fuzz.cpp).
void transferReplySeeds() {
    Bytes list = {2, 0};
    for (unsigned key : {1u, 2u}) {
        Bytes h = sendDataHeader(0x80, 0x0100, key, "K" + std::to_string(key));
        h.resize(64);
        list.insert(list.end(), h.begin(), h.end());
    }
    for (unsigned direct : {0u, 1u}) {
        SeedWriter w;
        w.u8(0).u8(0).u8(0).u8(direct);
        ObserverScript(w).sent().sent().record(list);
        writeSeed("transfer_reply_fuzz", "list-esc-" + std::to_string(direct), w.data());
    }
    SeedWriter net;
    net.u8(2).u8(0).u8(0).u8(0);
    ObserverScript netAnswers(net);
    netAnswers.sent().exchange({2, 0});
    for (unsigned key : {1u, 2u}) {
        const Bytes h = sendDataHeader(0x40, 0x0100, key, "N");
        std::string text = "0x";
        for (size_t i = 0; i < h.size(); ++i) {
            const char* digits = "0123456789abcdef";
            text += (i > 0 ? ":" : "");
            text += digits[h[i] >> 4];
            text += digits[h[i] & 0x0F];
        }
        netAnswers.text(text);
    }
    writeSeed("transfer_reply_fuzz", "list-net", net.data());
    SeedWriter removal;
    removal.u8(0).u8(1).u8(0).u8(1).u8(1);  // one key: 1
    ObserverScript(removal).sent().sent().record(list).sent().sent().sent();
    writeSeed("transfer_reply_fuzz", "removal", removal.data());
    const std::vector<std::pair<unsigned, Bytes>> versions = {
        {1, {'1', '.', '0', '7', 0}},
        {2, {'V', 'e', 'r', ' ', '1', '.', '0', '7', 0, 0, 0, 0, 0, 0, 0, 0}},
        {4, {'V', '1', '.', '1', '0'}},
    };
    for (const auto& version : versions) {
        SeedWriter w;
        w.u8(0).u8(2).u8(0).u8(version.first);
        ObserverScript(w).exchange(version.second).sent();
        writeSeed("transfer_reply_fuzz", "version-" + std::to_string(version.first), w.data());
    }
    Bytes counted(80, 0x20);
    counted[0] = 79;
    counted[65] = '1';
    counted[66] = '.';
    counted[67] = '0';
    counted[68] = '7';
    SeedWriter method3;
    method3.u8(0).u8(2).u8(0).u8(3);
    ObserverScript(method3).sent().record(counted).sent();
    writeSeed("transfer_reply_fuzz", "version-3", method3.data());
    SeedWriter netVersion;
    netVersion.u8(2).u8(2).u8(0).u8(1);
    ObserverScript(netVersion).text("FIRMVER=\"1.07\"\r\n");
    writeSeed("transfer_reply_fuzz", "version-net", netVersion.data());
    Bytes info(32, 0);
    info[21] = 0x41;
    SeedWriter gate;
    gate.u8(0).u8(3).u8(8);
    ObserverScript(gate).exchange(info);
    writeSeed("transfer_reply_fuzz", "firmware-gate", gate.data());
    SeedWriter flag;
    flag.u8(0).u8(4).u8(0).u8(1);
    ObserverScript(flag).exchange({3});
    writeSeed("transfer_reply_fuzz", "boot-mode", flag.data());
}

const std::vector<std::function<void()>>& seedWriters() {
    static const std::vector<std::function<void()>> writers = {
        printerSpecSeeds,     statusSeeds,   utilSeeds,         deviceQuerySeeds,  customPaperSeeds,
        paperDefinitionSeeds, encoderSeeds,  pageSeeds,         prnSeeds,          bridgeSeeds,
        settingsSeeds,        databaseSeeds, transferFileSeeds, transferReplySeeds};
    return writers;
}

}  // namespace lumeko_fuzz
