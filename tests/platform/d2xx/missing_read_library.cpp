// A device library that lacks FT_Read.
#include "platform/d2xx/d2xx_api.h"

extern "C" {
FT_STATUS FT_ListDevices(void *, void *, uint32_t) {
    return FT_OK;
}
FT_STATUS FT_Open(int, FT_HANDLE *) {
    return FT_OK;
}
FT_STATUS FT_Close(FT_HANDLE) {
    return FT_OK;
}
FT_STATUS FT_SetTimeouts(FT_HANDLE, uint32_t, uint32_t) {
    return FT_OK;
}
FT_STATUS FT_GetStatus(FT_HANDLE, uint32_t *, uint32_t *, uint32_t *) {
    return FT_OK;
}
FT_STATUS FT_Write(FT_HANDLE, const void *, uint32_t, uint32_t *) {
    return FT_OK;
}
FT_STATUS FT_ClrRts(FT_HANDLE) {
    return FT_OK;
}
}
