#pragma once

// The process-wide error code and stop state as the operations read and set them. Include
// it from source files only: the names are meant for the file's own use.
class CommunicationObserver;

namespace lumeko {

// PrinterStatus::error_code_.
int errorCode();
void setErrorCode(int code);
// True when the running operation must stop: the host cancelled it, or refused one of its
// progress messages. Only asks; the error code is left as it is.
bool stopRequested();
// The error code a stop ends the operation with: error::kCancelled (37) for a cancel,
// error::kProgressRefused (40) for a refused progress message (a cancel wins when both came); 0
// when nothing asked the operation to stop. The codes are named in common/error_code.h.
int stopCode();
// When a stop was requested, sets its code (a step may have put 1 over it since) and
// answers true.
bool settleStop();

// Gives a progress code to the host through target (nothing when it is null). A host that
// refuses it (false, or error code 40 left by its observer) stops the operation: the refusal
// is noted for stopRequested() and the error code is 40, unless a cancel came first.
void sendProgressTo(CommunicationObserver* target, int code);

}  // namespace lumeko
