#pragma once
/* Control interface of the device simulator (libd2xx_sim.so). Besides the D2XX functions the
 * simulator exports these, so a test can attach scripted devices, feed them bytes, inspect what
 * the program wrote, inject faults and run the whole library on the test's clock.
 *
 * Devices are numbered in the order they are added (0, 1, ...); FT_ListDevices counts the plugged
 * ones and FT_Open's index counts among them in that order. Functions taking a device return -1
 * for an unknown device, 0 otherwise, unless stated. Single-threaded use, like the program. */
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Device kinds. A device answers the identification exchange (0x02, then 0x0B) with its
 * identification reply, whose byte 6 is its kind; any other kind byte than these three makes a
 * device with a wrong identification. SIM_KIND_SILENT never answers. The interface and the
 * programmer also answer 'D' (0x44) with their 8-character version. */
#define SIM_KIND_INTERFACE 'K'
#define SIM_KIND_PROGRAMMER 'M'
#define SIM_KIND_METER 'L'
#define SIM_KIND_SILENT 0

/* Calls that can be counted and made to fail. */
enum { SIM_CALL_LIST = 0, SIM_CALL_STATUS = 1, SIM_CALL_READ = 2, SIM_CALL_WRITE = 3 };

typedef uint64_t (*sim_clock_fn)(void);
typedef void (*sim_sleep_fn)(uint32_t milliseconds);

/* Removes every device, handle, fault and counter. The installed clock stays. */
void sim_reset(void);

/* Installs the time source (milliseconds) and the way to let time pass while a read waits for its
 * time-out. With sleep NULL a read returns at once with what is queued; with now NULL the real
 * monotonic clock and a real sleep come back (the default). */
void sim_set_clock(sim_clock_fn now, sim_sleep_fn sleep);

/* The file descriptor on which an Enter releases a scenario's wait (standard input by default);
 * it stays set across sim_reset. sim_reset also makes the next FT_ListDevices load the scenario
 * again, as the program's first request for devices does. */
void sim_set_key_input(int fd);

/* Attaches a plugged device of the given kind; returns its number. Its identification reply is
 * "SIM-01" kind "001" (10 bytes) and its version "SIMV1.00". */
int sim_add_device(int kind);
int sim_set_identification(int dev, const uint8_t *bytes, size_t length);
int sim_set_version(int dev, const uint8_t *bytes, size_t length);
/* Automatic replies begin delay_ms after the request and come in pieces of fragment_bytes every
 * interval_ms (fragment_bytes 0: all at once); at most limit bytes of each reply are sent. */
int sim_set_reply_timing(int dev, uint32_t delay_ms, uint32_t fragment_bytes, uint32_t interval_ms);
int sim_set_reply_limit(int dev, uint32_t limit);

/* Bytes the device sends from now on, in order after what is queued. */
int sim_push(int dev, const uint8_t *bytes, size_t length);
/* A K-line frame (header, length and checksum added); -1 also for more than 255 data bytes. */
int sim_push_kline(int dev, uint8_t source, const uint8_t *data, size_t length);
/* A meter record 0x02 payload 0x03; -1 also for more than 254 payload bytes. */
int sim_push_record(int dev, const uint8_t *payload, size_t length);
/* A whole capture file; -1 also when the file cannot be read. */
int sim_push_file(int dev, const char *path);
/* Bytes the program can read now (0 for an unknown device). */
size_t sim_rx_queued(int dev);

/* The write log: copies up to capacity bytes the program wrote to the device and returns how many
 * it wrote in all (0 for an unknown device). */
size_t sim_written(int dev, uint8_t *buffer, size_t capacity);
/* Clock time of the index-th written byte (0 when there is none). */
uint64_t sim_write_time(int dev, size_t index);
int sim_clear_written(int dev);

/* While fail is set, opening the device fails with FT_DEVICE_NOT_OPENED. */
int sim_fail_open(int dev, int fail);
/* The k-th next call of the kind on the device (k >= 1) fails with FT_IO_ERROR, once; for
 * SIM_CALL_LIST the device is ignored and the k-th next FT_ListDevices fails. */
int sim_fail_call(int dev, int call, uint32_t k);
/* Unplugging drops the device from the list and its queued bytes; calls on its open handle fail
 * with FT_IO_ERROR until the handle is closed. Replugging lists it again, closed, with empty queues. */
int sim_unplug(int dev);
int sim_replug(int dev);

/* 1 while the device is open, 0 when not, -1 for an unknown device. */
int sim_is_open(int dev);
/* Calls of the kind made on the device (for SIM_CALL_LIST the device is ignored). */
uint32_t sim_call_count(int dev, int call);
/* Time-outs last set on the device. */
int sim_timeouts(int dev, uint32_t *read_timeout, uint32_t *write_timeout);
/* Calls made with a closed, unknown or null handle since the last reset. */
uint32_t sim_invalid_handle_calls(void);

#ifdef __cplusplus
}
#endif
