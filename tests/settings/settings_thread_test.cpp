// Settings calls of two host threads at once, each with its own printer: every command a
// call builds is its own, so each printer receives exactly the bytes of its own call.
// scripts/test.sh also runs this under ThreadSanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "connection/printer_status.h"
#include "settings_printer.h"

using Reply = SimulatedPrinter::Reply;

namespace {

struct Side {
    Model model;
    std::string value;       // written for key 1 (wireless on boot)
    Bytes expectedWrite;     // the command queued for it
    Bytes expectedReadHead;  // the read command of the same item
    bool ok = true;
};

bool contains(const Bytes& haystack, const Bytes& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
           haystack.end();
}

// Writes and reads the wireless-on-boot item many times and checks each commit and read
// request; the object was built on the main thread (its construction resets the
// process-wide status).
void run(TestPrinterSetting& setting, SettingsPrinter& printer, Side& side) {
    const int keys[] = {NET_WIRELESS_ONBOOT};
    for (int round = 0; round < 200 && side.ok; ++round) {
        setting.transport().clearsetData();
        side.ok = setting.setPrinterSetting(keys, &side.value, 1) &&
                  contains(printer.sentData().back(), side.expectedWrite);
        unsigned char value = 0;
        side.ok = side.ok && setting.transport().getWirelessOnBoot(value) &&
                  printer.calls().back().bytes == side.expectedReadHead;
    }
}

TEST(SettingsThreadTest, TwoPrintersOnTwoThreadsEachReceiveTheirOwnBytes) {
    Side hu = {HU_3650WB,
               "1",
               {0x1B, 0x69, 0x58, 0x4B, 0x32, 0x01, 0x00, 0x01},
               {0x1B, 0x69, 0x58, 0x4B, 0x31, 0x01, 0x00}};
    Side vz = {VZ_310W,
               "2",
               {0x1B, 0x69, 0x58, 0x4B, 0x32, 0x00, 0x00, 0x02},
               {0x1B, 0x69, 0x58, 0x4B, 0x31, 0x00, 0x00}};
    SettingsPrinter huPrinter;
    SettingsPrinter vzPrinter;
    TestPrinterSetting huSetting(PORT_USB, &huPrinter, hu.model);
    TestPrinterSetting vzSetting(PORT_USB, &vzPrinter, vz.model);
    for (TestPrinterSetting* s : {&huSetting, &vzSetting}) {
        // Settings on port 1 with the wireless-on-boot key; no status request, so that the
        // two calls share no process-wide state but the error code and cancel flag.
        s->editSpecs([](PrinterSpec& spec) {
            spec.statusSupported = false;
            spec.supportFunctions[PORT_USB] = 0xFFFF;
            spec.netSettings[PORT_USB] = 0x24;
        });
    }
    huPrinter.onExchange({0x1B, 0x69, 0x58, 0x4B, 0x31}, {Reply(Bytes{0, 0, 1})});
    vzPrinter.onExchange({0x1B, 0x69, 0x58, 0x4B, 0x31}, {Reply(Bytes{0, 0, 2})});

    std::thread other([&] { run(vzSetting, vzPrinter, vz); });
    run(huSetting, huPrinter, hu);
    other.join();

    EXPECT_TRUE(hu.ok);
    EXPECT_TRUE(vz.ok);
    EXPECT_EQ(PrinterStatus::error_code_, 1);
}

}  // namespace
