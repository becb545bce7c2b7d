#pragma once

// Bits of a PrinterSpec supportFunctions mask: the functions a model offers on a port.
enum PSSupportFunc : int {
    PS_SUPPORT_PRINT = 1,
    PS_SUPPORT_TEMPLATE_PRINT = 2,
    PS_SUPPORT_TEMPLATE_TRANSFER = 4,
    PS_SUPPORT_TEMPLATE_MANAGE = 8,
    PS_SUPPORT_PRINTER_SETTING = 16,
    PS_SUPPORT_FIRMWARE_UPDATE = 32,
};
