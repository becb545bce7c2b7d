#pragma once

// Every error code the library leaves in the process-wide error code (PrinterStatus::error_code_),
// each named once. The values are part of the host interface: the host reads them after every
// call, so a value never changes. Where one value has several meanings, each meaning has its
// own name with that value, so that a site says which one it means.
//
// Codes the printer's status reply decodes to, whose meaning the printer alone knows, are named
// after the reply byte and value they come from.
namespace lumeko::error {

// 1: no error; the operation succeeded.
constexpr int kNone = 1;

// 2: the status reply names another series or model than the operation's.
constexpr int kOtherModel = 2;
// 3: a reply that is not a status reply: wrong head mark, size or fixed byte (80 20 42, or
// 81 20 42 for the transfer status).
constexpr int kNotStatusReply = 3;
// 4: no media: the printer reports no paper (error information 1 = 0x01 or 0x02, or media
// type 0 on a model that waits for paper). The paper wait waits while it lasts.
constexpr int kNoMedia = 4;
// 5: printer error reported as error information 1 = 0x08.
constexpr int kReplyErrorInfo1x08 = 5;
// 6: communication error: an exchange failed, a reply was short or malformed, the host
// answered false, or the printer reported an error that names no other code (also error
// information 1 = 0x20).
constexpr int kCommunication = 6;
// 7: printer notification 3, also reported as error information 2 = 0x20.
constexpr int kNotification3 = 7;
// 8: printer error reported as error information 1 = 0x04.
constexpr int kReplyErrorInfo1x04 = 8;
// 9: printer error reported as error information 1 = 0x40.
constexpr int kReplyErrorInfo1x40 = 9;
// 11: paper missing, reported as error information 2 = 0x40; the paper wait waits while it
// lasts, as for kNoMedia.
constexpr int kPaperMissing = 11;
// 12: the printer is busy (error information 1 or 2 = 0x80, or the transfer status says so).
constexpr int kPrinterBusy = 12;
// 12: busy: a host call made from inside a callback of this thread's own running call.
constexpr int kCallBusy = 12;
// 12: an automatic power-off reply that the printer did not mark valid (byte 31 not 1).
constexpr int kPowerOffReplyInvalid = 12;
// 13: the status reply gives no media information (width and length 0, or media type 0).
constexpr int kNoMediaInfo = 13;
// 14: an error about the media only. The library does not set it; the readiness gate lets it
// pass as it does kNoMedia, kNoMediaInfo and kMediaMismatch.
constexpr int kMediaOnly = 14;
// 21: the image does not fit the printable area with its margins (inside the raster
// pipeline; a print call reports it as kInvalidParameter).
constexpr int kImageOutsideMargins = 21;
// 23: fit to paper leaves no area to print.
constexpr int kNoPrintArea = 23;
// 23: data that cannot be sent: shorter than a header, without the bytes a transfer needs,
// or of a data kind the operation refuses.
constexpr int kUnsendableData = 23;
// 25: no custom paper for a custom-paper model: no command in the options, its file cannot
// be read, or neither holds a block for the model.
constexpr int kNoCustomPaper = 25;
// 28: a file cannot be read (prepared print file, media file, transfer file, empty path).
constexpr int kFileUnreadable = 28;
// 29: data made for another printer.
constexpr int kOtherPrinterData = 29;
// 30: the port offers neither firmware update nor template upload, whichever was asked.
constexpr int kTransferNotSupported = 30;
// 31: the printer is in its error phase (phase number 20, notification 1, or error
// information 2 = 0x10).
constexpr int kErrorPhase = 31;
// 32: the paper id is not in the model's paper list, or a custom width is not a multiple
// of 8.
constexpr int kPaperNotAvailable = 32;
// 32: the loaded media is not the job's paper (size, type or colour code; also error
// information 2 = 0x01).
constexpr int kMediaMismatch = 32;
// 34: a template object number below 1 or above the model's maximum.
constexpr int kTemplateObjectOutOfRange = 34;
// 34: none of the template keys to remove is stored in the printer.
constexpr int kTemplateKeyNotFound = 34;
// 35: printer error reported as error information 1 = 0x10.
constexpr int kReplyErrorInfo1x10 = 35;
// 36: the port does not offer template printing.
constexpr int kTemplatePrintNotSupported = 36;
// 37: cancelled by the host.
constexpr int kCancelled = 37;
// 38: the printer settings are not supported on the port, or the model has no status.
constexpr int kSettingsNotSupported = 38;
// 39: invalid parameter, or no observer to talk to the printer through.
constexpr int kInvalidParameter = 39;
// 40: a host class, field, method or object that is missing or cannot be made.
constexpr int kHostObject = 40;
// 40: the host refused a progress message; the operation stops.
constexpr int kProgressRefused = 40;
// 40: the bitmap file cannot be read.
constexpr int kBitmapUnreadable = 40;
// 40: the printer refuses the switch to file-transfer mode.
constexpr int kTransferModeRefused = 40;
// 41: template functions are not available: the port lacks them, the firmware is too old,
// or the printer refuses them.
constexpr int kTemplateFunctionsRefused = 41;
// 42: the printer holds no template.
constexpr int kNoTemplate = 42;
// 44: printer error reported as error information 2 = 0x02.
constexpr int kReplyErrorInfo2x02 = 44;
// 45: no tube: the tube byte of the status reply is 0 (also extended error 32).
constexpr int kNoTube = 45;
// 46: tube ribbon missing or at level 3 or 4 (also extended error 20).
constexpr int kTubeRibbon = 46;
// 49: printer error reported as extended error 29.
constexpr int kReplyExtendedError29 = 49;
// 50: printer error reported as extended error 30.
constexpr int kReplyExtendedError30 = 50;
// 51: printer error reported as extended error 31.
constexpr int kReplyExtendedError31 = 51;
// 52: the loaded media matches no paper of the list (also extended error 33).
constexpr int kLabelNotIdentified = 52;
// 53: printer error reported as extended error 34.
constexpr int kReplyExtendedError34 = 53;
// 54: printer error reported as extended error 35.
constexpr int kReplyExtendedError35 = 54;
// 55: printer error reported as extended error 36.
constexpr int kReplyExtendedError36 = 55;
// 56: the page is shorter than the paper's minimum label length.
constexpr int kLabelTooShort = 56;
// 57: the ink colour the printer reports is not the job's.
constexpr int kInkColorMismatch = 57;
// 58: the label colour the printer reports is not the job's.
constexpr int kLabelColorMismatch = 58;
// 59: the database package is empty: the CSV file gave nothing to send.
constexpr int kNoDatabasePackage = 59;

}  // namespace lumeko::error
