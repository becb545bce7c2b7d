#pragma once

// The configuration items of the settings service, each mapped to the printer's item id
// (decimal digits with an optional dotted suffix). 13..16 and 26..30 are not used.
enum _DeviceConfigID : int {
    DCID_WLanSSID = 0,                // network name, text as hex bytes
    DCID_WLanCommunicationMode = 1,   // integer
    DCID_WLanChannel = 2,             // integer
    DCID_WLanAuthMode = 3,            // integer, first of the authentication pair
    DCID_WLanAuthModeSecond = 4,      // integer, second of the authentication pair
    DCID_WLanEncryptionMode = 5,      // integer
    DCID_WLanWepKeyIndex = 6,         // integer, 1 with every WEP key
    DCID_WLanWepKeySize = 7,          // integer: 1 for 5 or 10 characters, 2 for 13 or 26
    DCID_WLanWepKeyType = 8,          // integer: 1 hexadecimal key, 2 text key
    DCID_WLanWepKey = 9,              // WEP key
    DCID_WLanPassphrase = 10,         // passphrase, text as hex bytes
    DCID_WLanUserId = 11,             // user id, raw text
    DCID_WLanPassword = 12,           // password, raw text
    DCID_NodeName = 17,               // node name, raw text
    DCID_DnsIPv4BootMethod = 18,      // integer
    DCID_PrimaryDnsIPv4Address = 19,  // IPv4 address
    DCID_SecondDnsIPv4Address = 20,   // IPv4 address
    DCID_IPv4BootMethod = 21,         // integer
    DCID_IPv4Address = 22,            // IPv4 address
    DCID_SubnetMask = 23,             // IPv4 address
    DCID_Gateway = 24,                // IPv4 address
    DCID_IPv4Unused = 25,             // no accessor uses it
    DCID_UsedIPv6 = 31,               // integer
    DCID_PriorityIPv6 = 32,           // integer
    DCID_IPv6AddressList = 33,        // IPv6 address list entries
    DCID_IPv6AddressCount = 34,       // integer, number of list entries
    DCID_StaticIPv6Address = 35,      // IPv6 address
    DCID_IPv6BootMethod = 36,         // integer
    DCID_PrimaryDnsIPv6Address = 37,  // IPv6 address
    DCID_SecondDnsIPv6Address = 38,   // IPv6 address
};

// One row of the item table.
struct DeviceConfigItem {
    _DeviceConfigID id;
    const char* itemId;
};

// clang-format off
constexpr DeviceConfigItem kDeviceConfigItems[] = {
    {DCID_WLanSSID, "458877"},
    {DCID_WLanCommunicationMode, "458878"},
    {DCID_WLanChannel, "458879"},
    {DCID_WLanAuthMode, "458881"},
    {DCID_WLanAuthModeSecond, "459337"},
    {DCID_WLanEncryptionMode, "458880"},
    {DCID_WLanWepKeyIndex, "458885"},
    {DCID_WLanWepKeySize, "458887.1"},
    {DCID_WLanWepKeyType, "458888.1"},
    {DCID_WLanWepKey, "458889.1"},
    {DCID_WLanPassphrase, "458890"},
    {DCID_WLanUserId, "458883"},
    {DCID_WLanPassword, "458884"},
    {DCID_NodeName, "458961.2"},
    {DCID_DnsIPv4BootMethod, "458950.2"},
    {DCID_PrimaryDnsIPv4Address, "458951.2"},
    {DCID_SecondDnsIPv4Address, "458952.2"},
    {DCID_IPv4BootMethod, "458970.2"},
    {DCID_IPv4Address, "458967.2"},
    {DCID_SubnetMask, "458968.2"},
    {DCID_Gateway, "458969.2"},
    {DCID_IPv4Unused, "458971.2"},
    {DCID_UsedIPv6, "458949"},
    {DCID_PriorityIPv6, "459010"},
    {DCID_IPv6AddressList, "458985.2"},
    {DCID_IPv6AddressCount, "458983.2"},
    {DCID_StaticIPv6Address, "458989.2.1"},
    {DCID_IPv6BootMethod, "458988.2.1"},
    {DCID_PrimaryDnsIPv6Address, "458991.2"},
    {DCID_SecondDnsIPv6Address, "458992.2"},
};
// clang-format on

// The wireless LAN switch (integer, 1 = on); it has no _DeviceConfigID.
constexpr char kWLanSwitchItemId[] = "459138.2";
// Entries of the IPv6 address list: this prefix, then the entry's index.
constexpr char kIPv6AddressListItemPrefix[] = "458985.2.";
