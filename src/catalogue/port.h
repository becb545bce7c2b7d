#pragma once

// The ports a printer can be reached on. The underlying type is fixed so that any byte
// read from a model record (or any int) is a valid value.
enum Port : int {
    PORT_USB = 1,
    PORT_BLUETOOTH = 2,
    PORT_NET = 4,
    PORT_BLE = 8,
};
