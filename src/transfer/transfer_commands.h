#pragma once

// Commands of the file transfer, the template list and removal and the firmware queries.
namespace TransferCommand {

// ESC i F I (1B 69 46 49): start of a transfer
constexpr unsigned char kStart[] = {0x1B, 0x69, 0x46, 0x49};
// ESC i F D (1B 69 46 44): a database or one-model template file follows (header, chunks)
constexpr unsigned char kFileFollows[] = {0x1B, 0x69, 0x46, 0x44};
// ESC i F i 00 (1B 69 46 69 00): transfer mode query, 1-byte reply (1: switch needed)
constexpr unsigned char kTransferModeQuery[] = {0x1B, 0x69, 0x46, 0x69, 0x00};
// ESC i F M (1B 69 46 4D): switch to file-transfer mode, 32-byte reply (byte 18 is 1)
constexpr unsigned char kTransferModeSwitch[] = {0x1B, 0x69, 0x46, 0x4D};
// ESC i F t 01 n (1B 69 46 74 01 n): transfer timeout of n x 10 seconds, 00 resets it
constexpr unsigned char kTimeoutPrefix[] = {0x1B, 0x69, 0x46, 0x74, 0x01};
// ESC i F L 00 (1B 69 46 4C 00): template list
constexpr unsigned char kTemplateList[] = {0x1B, 0x69, 0x46, 0x4C, 0x00};
// ESC i F R (1B 69 46 52): template removal, the template's header follows
constexpr unsigned char kTemplateRemoval[] = {0x1B, 0x69, 0x46, 0x52};
// ESC i X S (1B 69 58 53): firmware information, 32-byte reply
constexpr unsigned char kFirmwareInformation[] = {0x1B, 0x69, 0x58, 0x53};
// ESC i F i 02 (1B 69 46 69 02): weak-battery flag, 1-byte reply
constexpr unsigned char kBatteryWeak[] = {0x1B, 0x69, 0x46, 0x69, 0x02};
// ESC i F i 01 (1B 69 46 69 01): boot mode, 1-byte reply
constexpr unsigned char kBootMode[] = {0x1B, 0x69, 0x46, 0x69, 0x01};
// ESC i a FA 55 0F 01 01: firmware version, method 1 (5-byte reply)
constexpr unsigned char kFirmwareVersion1[] = {0x1B, 0x69, 0x61, 0xFA, 0x55, 0x0F, 0x01, 0x01};
// ESC i a FA 55 0E 01: firmware version, methods 2 (16-byte reply) and 4 (5-byte reply)
constexpr unsigned char kFirmwareVersion2[] = {0x1B, 0x69, 0x61, 0xFA, 0x55, 0x0E, 0x01};
// ESC i a FA 55 0F 02 01: firmware version, method 3 (counted reply read afterwards)
constexpr unsigned char kFirmwareVersion3[] = {0x1B, 0x69, 0x61, 0xFA, 0x55, 0x0F, 0x02, 0x01};

// The separator of package records: ESC i F I ESC i F.
constexpr unsigned char kRecordSeparator[] = {0x1B, 0x69, 0x46, 0x49, 0x1B, 0x69, 0x46};

}  // namespace TransferCommand
