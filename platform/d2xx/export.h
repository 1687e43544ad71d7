#pragma once
// Marks a function exported by a device library; everything else in the libraries stays hidden.
#define D2XX_EXPORT extern "C" __attribute__((visibility("default")))
