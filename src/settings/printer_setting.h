#pragma once

#include <map>
#include <string>

#include "catalogue/model.h"
#include "catalogue/port.h"
#include "connection/base_printer.h"
#include "settings/cws_connect.h"
#include "settings/device_config_id.h"
#include "settings/printer_setting_key.h"

// The operation object of one settings call: the host bridge builds it on its stack for
// the standing port, the call's observer and the standing model, runs getPrinterSetting or
// setPrinterSetting once, and destroys it.
//
// getPrinterSetting reads every key it knows, group by group, between the switch to raster
// mode and back. setPrinterSetting checks and queues every write first and sends them in
// one commit at the end; a refused value (error 39), a failed status check or a cancel
// sends nothing. Values are texts; the result tells success and the process-wide error
// code the reason of a failure.
//
// Both calls end through BasePrinter::endOperation: true leaves error code 1 and false
// never does. A cancel, or a refused progress message of the status reading, stops the call
// at the next exchange with false and 37 or 40; neither call has a final progress code, so
// a stop at any point of the call counts (a get still ends with the switch back to the
// default mode, a set sends no commit).
class PrinterSetting : public BasePrinter {
  public:
    PrinterSetting(Port port, CommunicationObserver* observer, Model model);
    ~PrinterSetting() override;

    // ---- the host's get and set calls (count keys and values at the same index)
    // A get that fails without a reason of its own (no group for the port, or an item the
    // port does not offer, as the AC power-off of the KX series on the network port)
    // reports 38, not supported.
    bool getPrinterSetting(const int* keys, std::string* values, int count);
    // A set that fails without a reason of its own (a text its encoder cannot take) reports
    // 39, invalid parameter.
    bool setPrinterSetting(const int* keys, const std::string* values, int count);

    // ---- group readers and writers (each walks all keys and handles those it knows)
    bool GetBluetoothConfigData_forWrite(const int* keys, std::string* values, int count);
    bool GetConfigData_forWrite(const int* keys, std::string* values, int count);
    bool GetAccessPointConfigData_forWrite(const int* keys, std::string* values, int count);
    bool GetWiFiConfigData_forWrite(const int* keys, std::string* values, int count);
    bool GetIPv6ConfigData_forWrite(const int* keys, std::string* values, int count);
    bool GetWDirectConfigData_forWrite(const int* keys, std::string* values, int count);
    bool GetPowerConfigData_forWrite(const int* keys, std::string* values, int count);
    bool GetPrintConfigData_forWrite(const int* keys, std::string* values, int count);
    bool AddBluetoothConfigData_forWrite(const int* keys, const std::string* values, int count);
    bool AddConfigData_forWrite(const int* keys, const std::string* values, int count);
    bool AddAccessPointConfigData_forWrite(const int* keys, const std::string* values, int count);
    bool AddWiFiConfigData_forWrite(const int* keys, const std::string* values, int count);
    bool AddIPv6ConfigData_forWrite(const int* keys, const std::string* values, int count);
    bool AddWDirectConfigData_forWrite(const int* keys, const std::string* values, int count);
    bool AddPowerConfigData_forWrite(const int* keys, const std::string* values, int count);
    bool AddPrintConfigData_forWrite(const int* keys, const std::string* values, int count);
    // True when some key is PRINTER_RESET.
    bool reset(const int* keys, int count);

    // ---- typed accessors of one configuration item (39 for an id without an item)
    bool getIntData(_DeviceConfigID id, std::string& text);
    bool setIntData(_DeviceConfigID id, std::string text);
    bool getStringData(_DeviceConfigID id, std::string& text);
    bool setStringData(_DeviceConfigID id, std::string text);
    bool getRawStringData(_DeviceConfigID id, std::string& text);
    bool setRawStringData(_DeviceConfigID id, std::string text);
    bool getBinaryData(_DeviceConfigID id, std::string& text);
    bool setBinaryData(_DeviceConfigID id, std::string text);
    bool sendGetBinaryDataHexToString(std::string itemId, std::string& text, bool isIPv6);
    // The IPv6 address list joined by ","; form must be 2.
    bool getIPv6AddressList(std::string& text, int form);
    bool isWLanEnabled();
    bool setWLan(bool on);

    // ---- one-item accessors of the ESC setting commands (texts in, texts out)
    bool getWirelessOnBoot(std::string& text);
    bool setWirelessOnBoot(std::string text);
    bool getBTDevName(std::string& text);
    bool setBTDevName(std::string text);
    bool getBTVisibility(std::string& text);
    bool setBTVisibility(std::string text);
    bool getBTOnBoot(std::string& text);
    bool setBTOnBoot(std::string text);
    bool getBluetoothReconnection(std::string& text);
    bool setBluetoothReconnection(std::string text);
    bool getWFDenable(std::string& text);
    bool setWFDenable(std::string text);
    bool getWFDAutoGeneration(std::string& text);
    bool setWFDAutoGeneration(std::string text);
    bool getWFDStaticSSID(std::string& text);
    bool setWFDStaticSSID(std::string text);
    bool setWFDStaticKey(std::string text);
    // Not used by the get and set calls: the PIN enable ("0" off, "1" on, "2" on with the
    // second flag), the PIN, the Wi-Fi Direct key read and the Wi-Fi Direct connection
    // method ("0", "1" or "2", as the enable).
    bool setBTPinCodeEE(std::string text);
    bool setBTPinCode(std::string text);
    bool getWFDStaticKey(std::string& text);
    bool setWFDConnectMethod(std::string text);
    bool getWFDConnectMethod(std::string& text);
    bool getJPEGHalf(std::string& text);
    bool setJPEGHalf(std::string text);
    bool getJPEGScale(std::string& text);
    bool setJPEGScale(std::string text);
    bool getSpeed(std::string& text);
    bool setSpeed(std::string text);
    bool getDensity(std::string& text);
    bool setDensity(std::string text);

    // ---- capability words of the writers (the network port counts as port 1; 0 when the
    //      model has no entry)
    unsigned getNetSettingSupportedList();
    unsigned getBluetoothSettingSupportedList();
    unsigned getPowerSettingSupportedList();
    unsigned getPrintSettingSupportedList();

    std::map<_DeviceConfigID, std::string> itemIdMap;
    // The WEP key is written in its hexadecimal form (set before each WEP key write).
    bool wepKeyIsHex = false;

  protected:
    // Fills itemIdMap.
    void getInnerMapReady();
    // The word of a capability map for the port of a reader; false when it has no entry.
    bool readerWord(const std::map<Port, uint32_t>& words, unsigned& word) const;
    // The word of a capability map for a writer.
    unsigned writerWord(const std::map<Port, uint32_t>& words) const;

    CWSConnect* cwsConnect = nullptr;

  private:
    // The get and set calls up to their ending.
    bool readSettings(const int* keys, std::string* values, int count);
    bool writeSettings(const int* keys, const std::string* values, int count);
    // The item id of a configuration item; 39 (and logLine, when given) without one.
    bool itemOf(_DeviceConfigID id, const char* logLine, std::string& itemId);
    // A one-byte item read as decimal text; 39 for a byte of limit or more.
    bool readByteBelow(bool (CWSConnect::*read)(unsigned char&), unsigned limit, std::string& text);
    // A one-byte item written from decimal text; 39 for a number outside 0..limit.
    bool writeByteUpTo(bool (CWSConnect::*write)(unsigned char), int limit,
                       const std::string& text);
    // Keys of the reader and writer groups that are more than one typed accessor.
    bool readAuthentication(std::string& value);
    bool writeAuthentication(const std::string& value);
    bool readInterface(std::string& value);
    bool writeInterface(const std::string& value);
    bool readIPv4BootMethod(std::string& value);
    bool writeIPv4BootMethod(const std::string& value);
    bool readIPv6AddressList(std::string& value);
    bool writeWepKey(const std::string& value);
    bool readACAutoOff(std::string& value);
    bool writeACAutoOff(const std::string& value);
    bool readLiAutoOff(std::string& value);
    bool writeLiAutoOff(const std::string& value);
};
