#include "connection/base_printer.h"

// Device queries: serial number, media versions, page counter, device status, system
// report and battery.

std::string BasePrinter::getSerialNumber() {
    return std::string();
}

std::string BasePrinter::getSerialNumberFromMIB() {
    return std::string();
}

std::string BasePrinter::getSerialNumberFromESCPCommand() {
    return std::string();
}

std::string BasePrinter::getMediaVer() {
    return std::string();
}

std::string BasePrinter::getMediaFileVer(std::string path) {
    (void)path;
    return std::string();
}

int BasePrinter::getPageCounter() {
    return 0;
}

std::string BasePrinter::getDeviceStatus() {
    return std::string();
}

std::string BasePrinter::getSystemReport() {
    return std::string();
}

bool BasePrinter::getBatteryInfo(PrinterBatteryInfo& info) {
    (void)info;
    return false;
}
