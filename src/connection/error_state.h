#pragma once

// The process-wide error code and cancel flag as the operations read and set them. Include
// it from source files only: the names are meant for the file's own use.
namespace lumeko {

// PrinterStatus::error_code_.
int errorCode();
void setErrorCode(int code);
// True when the host has cancelled the operation (the flag only; the error code is left).
bool cancelled();

}  // namespace lumeko
