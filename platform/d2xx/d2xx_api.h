#pragma once
// The D2XX device-library interface as the station program calls it. Both device libraries of the
// project (the station library for FTDI USB-serial devices and the simulator) export exactly these
// functions with C linkage; the program resolves them at run time through d2xx::Library.
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void *FT_HANDLE;
typedef uint32_t FT_STATUS;

// Status codes of every call.
#define FT_OK 0u
#define FT_INVALID_HANDLE 1u
#define FT_DEVICE_NOT_FOUND 2u
#define FT_DEVICE_NOT_OPENED 3u
#define FT_IO_ERROR 4u
#define FT_INSUFFICIENT_RESOURCES 5u
#define FT_INVALID_PARAMETER 6u

// FT_ListDevices flag: *(uint32_t *)arg1 receives the number of attached devices; arg2 is unused.
#define FT_LIST_NUMBER_ONLY 0x80000000u

FT_STATUS FT_ListDevices(void *arg1, void *arg2, uint32_t flags);
// Opens the device at a 0-based index of the current device list; a device already open fails
// with FT_DEVICE_NOT_OPENED.
FT_STATUS FT_Open(int deviceNumber, FT_HANDLE *handle);
FT_STATUS FT_Close(FT_HANDLE handle);
// Milliseconds a read or a write may wait; 0 means it returns with what can be done at once.
FT_STATUS FT_SetTimeouts(FT_HANDLE handle, uint32_t readTimeout, uint32_t writeTimeout);
// Bytes waiting to be read, bytes waiting to be sent, and the event status (always 0 here).
FT_STATUS FT_GetStatus(FT_HANDLE handle, uint32_t *rxBytes, uint32_t *txBytes, uint32_t *eventStatus);
// Returns when bytesToRead bytes were read or the read time-out passed (then FT_OK with fewer).
FT_STATUS FT_Read(FT_HANDLE handle, void *buffer, uint32_t bytesToRead, uint32_t *bytesReturned);
FT_STATUS FT_Write(FT_HANDLE handle, const void *buffer, uint32_t bytesToWrite, uint32_t *bytesWritten);
FT_STATUS FT_ClrRts(FT_HANDLE handle);

#ifdef __cplusplus
}
#endif
