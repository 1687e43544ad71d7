#pragma once
/* Extra function of the station library (libd2xx_station.so) for tests: where device discovery
 * looks. By default the FTDI devices are found under "/sys" and opened under "/dev"; a test points
 * both at a tree of its own (a fake sysfs whose ttyUSB entries lead to pseudo-terminals). NULL
 * restores the default. The next FT_Open lists the devices again. */
#ifdef __cplusplus
extern "C" {
#endif

void d2xx_station_set_roots(const char *sysfs_root, const char *dev_root);

#ifdef __cplusplus
}
#endif
