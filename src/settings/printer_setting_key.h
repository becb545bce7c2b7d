#pragma once

// The keys by which the host names configuration items in its get and set calls. Each
// value crosses the host interface as text.
enum PrinterSettingKey : int {
    NET_WIRELESS_ONBOOT = 1,
    NET_INTERFACE = 2,
    NET_USED_IPV6 = 3,
    NET_PRIORITY_IPV6 = 4,
    NET_IPV4_BOOTMETHOD = 5,
    NET_IPV4ADDRESS = 6,
    NET_SUBNETMASK = 7,
    NET_GATEWAY = 8,
    NET_DNS_IPV4_BOOTMETHOD = 9,
    NET_PRIMARY_DNS_IPV4ADDRESS = 10,
    NET_SECOND_DNS_IPV4ADDRESS = 11,
    NET_IPV6_BOOTMETHOD = 12,
    NET_STATIC_IPV6ADDRESS = 13,
    NET_PRIMARY_DNS_IPV6ADDRESS = 14,
    NET_SECOND_DNS_IPV6ADDRESS = 15,
    NET_IPV6ADDRESS_LIST = 16,
    NET_COMMUNICATION_MODE = 17,
    NET_SSID = 18,
    NET_CHANNEL = 19,
    NET_AUTHENTICATION_METHOD = 20,
    NET_ENCRYPTIONMODE = 21,
    NET_WEPKEY = 22,
    NET_PASSPHRASE = 23,
    NET_USER_ID = 24,
    NET_PASSWORD = 25,
    NET_NODENAME = 26,
    WIRELESSDIRECT_KEY_CREATE_MODE = 27,
    WIRELESSDIRECT_SSID = 28,
    WIRELESSDIRECT_KEY = 29,
    BT_ISDISCOVERABLE = 30,
    BT_DEVICENAME = 31,
    BT_BOOTMODE = 34,
    BT_RECONNECTION = 44,
    PRINTER_POWEROFFTIME = 35,
    PRINTER_POWEROFFTIME_BATTERY = 36,
    PRINT_JPEG_HALFTONE = 37,
    PRINT_JPEG_SCALE = 38,
    PRINT_DENSITY = 39,
    PRINT_SPEED = 40,
    PRINTER_RESET = 254,
};

// Capability bits that gate the groups and keys.
enum PrinterSettingGate : unsigned {
    NET_GATE_IPV6 = 0x01 | 0x02,        // both bits: the IPv6 keys
    NET_GATE_WIRELESS_ONBOOT = 0x04,    // key 1
    NET_GATE_INTERFACE = 0x08,          // key 2
    NET_GATE_INTERFACE_DIRECT = 0x10,   // key 2 includes the Wi-Fi Direct enable
    NET_GATE_GROUP = 0x20,              // the network group at all
    NET_GATE_NODENAME = 0x40,           // key 26
    NET_GATE_WIRELESS_DIRECT = 0x2000,  // keys 27..29
    BT_GATE_DISCOVERABLE = 0x10,        // key 30
    BT_GATE_DEVICENAME = 0x20,          // key 31
    BT_GATE_BOOTMODE = 0x200,           // key 34
    BT_GATE_RECONNECTION = 0x4000,      // key 44
    POWER_GATE_AC = 0x01,               // key 35
    POWER_GATE_BATTERY = 0x02,          // key 36
    PRINT_GATE_JPEG_HALFTONE = 0x1,     // key 37
    PRINT_GATE_JPEG_SCALE = 0x2,        // key 38
    PRINT_GATE_DENSITY = 0x4,           // key 39
    PRINT_GATE_SPEED = 0x8,             // key 40
};
