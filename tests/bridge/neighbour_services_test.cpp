// What the host bridge relies on of the catalogue and the connection layer: types, widths and
// signatures, checked at compile time, and the few values it reads at run time.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "catalogue/model.h"
#include "catalogue/paper.h"
#include "catalogue/port.h"
#include "catalogue/printer_spec.h"
#include "catalogue/raster_print_option.h"
#include "connection/base_printer.h"
#include "connection/communication_observer.h"
#include "connection/printer_battery_info.h"
#include "connection/printer_mib_oids.h"
#include "connection/printer_status.h"
#include "connection/util.h"
#include "raster/bitmap_data.h"
#include "raster/raster_data.h"
#include "raster/raster_print.h"

namespace {

using tpes::PrinterMibOids;
using tpes::Util;

template <typename T, typename U>
constexpr bool same = std::is_same_v<T, U>;

// The model and port values the host passes as ints.
static_assert(same<std::underlying_type_t<Model>, int>);
static_assert(same<std::underlying_type_t<Port>, int>);
static_assert(NO_MODEL == 70);

// Option widths the marshalling narrows to.
static_assert(same<decltype(RasterPrintOption::paperId), unsigned short>);
static_assert(same<decltype(RasterPrintOption::halfThreshold), short>);
static_assert(same<decltype(RasterPrintOption::density), signed char>);
static_assert(same<decltype(RasterPrintOption::speed), unsigned char>);
static_assert(same<decltype(RasterPrintOption::scale), double>);
static_assert(same<decltype(RasterPrintOption::customPaperCommand), std::vector<unsigned char>>);
static_assert(same<decltype(RasterPrintOption::savePrnPath), std::string>);
static_assert(std::has_virtual_destructor_v<RasterPrintOption>);
static_assert(std::is_copy_constructible_v<RasterPrintOption>);

// Paper and PrinterSpec fields turned into host objects.
static_assert(same<decltype(Paper::paperId), unsigned short>);
static_assert(same<decltype(Paper::widthMm), float>);
static_assert(same<decltype(Paper::printableLengthDots), unsigned short>);
static_assert(same<decltype(Paper::mediaType), unsigned char>);
static_assert(same<decltype(Paper::mediaLengthMm), unsigned char>);
static_assert(same<decltype(PrinterSpec::modelCode), uint8_t>);
static_assert(same<decltype(PrinterSpec::seriesCode), uint8_t>);
static_assert(same<decltype(PrinterSpec::usbProductId), uint16_t>);
static_assert(same<decltype(PrinterSpec::tubeHeadDots), uint16_t>);
static_assert(same<decltype(PrinterSpec::speedCommand), bool>);
static_assert(same<decltype(PrinterSpec::modelName), std::string>);

// The last status: the cancel flag and the error code are atomics (another host thread cancels).
static_assert(same<decltype(PrinterStatus::error_code_), std::atomic<int>>);
static_assert(same<decltype(BasePrinter::cancel_flag), std::atomic<bool>>);
static_assert(same<decltype(PrinterStatus::status_byte_), unsigned char[32]>);
static_assert(same<decltype(PrinterStatus::label_color_), uint8_t>);
static_assert(same<decltype(PrinterStatus::label_id_), uint16_t>);
static_assert(same<decltype(PrinterStatus::label_type_), uint16_t>);
static_assert(same<decltype(PrinterStatus::tube_ribbon_ink_color_), uint8_t>);
static_assert(same<decltype(PrinterStatus::BatteryNormalized::healthLevel), int>);

// The transport, slot by slot.
static_assert(std::has_virtual_destructor_v<CommunicationObserver>);
static_assert(same<decltype(&CommunicationObserver::sendData),
                   bool (CommunicationObserver::*)(int, unsigned char*)>);
static_assert(same<decltype(&CommunicationObserver::sendDataReceiveData),
                   bool (CommunicationObserver::*)(int, unsigned char*, int, unsigned char*)>);
static_assert(same<decltype(&CommunicationObserver::receiveData),
                   int (CommunicationObserver::*)(int, unsigned char*, bool)>);
static_assert(same<decltype(&CommunicationObserver::sendStringReceiveString),
                   bool (CommunicationObserver::*)(std::string, std::string&)>);
static_assert(
    same<decltype(&CommunicationObserver::sendMessage), bool (CommunicationObserver::*)(int)>);

// The operation base's constructors and the queries the entry points call.
static_assert(std::is_constructible_v<BasePrinter, Model>);
static_assert(std::is_constructible_v<BasePrinter, Port, CommunicationObserver*, Model>);
static_assert(std::is_constructible_v<BasePrinter, Model, Port>);
static_assert(std::has_virtual_destructor_v<BasePrinter>);
static_assert(same<decltype(&BasePrinter::getPaperList),
                   std::vector<Paper> (BasePrinter::*)(RasterPrintOption&)>);
static_assert(
    same<decltype(&BasePrinter::getBatteryInfo), bool (BasePrinter::*)(PrinterBatteryInfo&)>);
static_assert(same<decltype(&BasePrinter::getPageCounter), int (BasePrinter::*)()>);
static_assert(
    same<decltype(&BasePrinter::getMediaFileVer), std::string (BasePrinter::*)(std::string)>);
static_assert(same<decltype(&Util::readFile), bool (*)(std::string, unsigned char*&, int&)>);
static_assert(same<decltype(&Util::toStr), std::string (*)(int)>);
static_assert(same<decltype(PrinterBatteryInfo::firstValue), int8_t>);

// The bitmap record and the print job.
static_assert(same<decltype(BitmapData::bitmapFile), std::string>);
static_assert(same<decltype(BitmapData::bitmapWidth), int>);
static_assert(same<decltype(BitmapData::isColor), bool>);
static_assert(std::has_virtual_destructor_v<BitmapData>);
static_assert(
    std::is_constructible_v<RasterPrint, Port, CommunicationObserver*, Model, RasterPrintOption&>);
static_assert(std::is_base_of_v<BasePrinter, RasterPrint>);
static_assert(
    same<decltype(&RasterPrint::printBitmap), bool (RasterPrint::*)(BitmapData&, int, int)>);
static_assert(
    same<decltype(&RasterPrint::createPrintData), bool (RasterPrint::*)(BitmapData&, int, int)>);
static_assert(same<decltype(&RasterPrint::printPrn), bool (RasterPrint::*)(std::string&)>);
static_assert(same<decltype(&RasterData::writeByteInFile), int (*)(int*&, int, std::string, bool)>);
static_assert(same<decltype(&RasterData::makeOneBitBitmap),
                   bool (RasterData::*)(BitmapData&, std::string, int, int, int)>);

TEST(NeighbourServices, BatteryInfoDefaultsAndObjectIdentifiers) {
    const PrinterBatteryInfo battery;
    EXPECT_EQ(battery.firstValue, -1);
    EXPECT_EQ(battery.secondValue, -1);
    EXPECT_EQ(battery.healthStatus, 7);

    EXPECT_STREQ(PrinterMibOids::oidIpv6AddressPrefix, "1.3.6.1.4.1.7741.2.4.4.1240.5.15.2.1.2.2.");
    EXPECT_STREQ(PrinterMibOids::oidWirelessOnBoot, "1.3.6.1.4.1.7741.3.3.9.1.1.4.0");
    EXPECT_STREQ(PrinterMibOids::oidAcAutoOff, "1.3.6.1.4.1.7741.3.3.9.1.1.3.0");
    EXPECT_STREQ(PrinterMibOids::oidBatteryAutoOff, "1.3.6.1.4.1.7741.3.3.9.1.1.5.0");
    EXPECT_STREQ(PrinterMibOids::oidTemplateStatusReply, "1.3.6.1.4.1.7741.3.3.9.1.6.3.0");
    EXPECT_STREQ(PrinterMibOids::oidTransferMode, "1.3.6.1.4.1.7741.3.3.9.1.6.6.0");
    EXPECT_STREQ(PrinterMibOids::oidTemplateCount, "1.3.6.1.4.1.7741.3.3.9.1.6.4.0");
    EXPECT_STREQ(PrinterMibOids::oidTemplateHeader, "1.3.6.1.4.1.7741.3.3.9.1.6.5.0");
    EXPECT_STREQ(PrinterMibOids::oidFirmwareVersion, "1.3.6.1.4.1.7741.2.4.3.99.3.1.6.1.2.5");
    EXPECT_STREQ(PrinterMibOids::oidInterpreterVersion, "1.3.6.1.2.1.43.15.1.1.6.1.1");
}

}  // namespace
