#pragma once

// The error codes that the bridge itself sets.
namespace bridge::jni {

constexpr int kNoError = 1;
// The host answered false, a negative count, or threw.
constexpr int kCommunicationError = 6;
// A host argument the call cannot use, or no observer.
constexpr int kInvalidParameter = 39;
// A host class, field, method or object that is missing or cannot be made.
constexpr int kHostObjectError = 40;
// Busy: a call made from inside a callback of this thread's own running call.
constexpr int kBusy = 12;

}  // namespace bridge::jni
