// The seeds of each target.
#include <string>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/model_record.h"
#include "fuzz_input.h"
#include "fuzzed_observer.h"
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
                w.u8(static_cast<unsigned>(model)).u8(operation == 9 ? 2 : 0).u8(operation);
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

}  // namespace

const std::vector<std::function<void()>>& seedWriters() {
    static const std::vector<std::function<void()>> writers = {printerSpecSeeds, statusSeeds,
                                                               utilSeeds};
    return writers;
}

}  // namespace lumeko_fuzz
