// Scanned text: the registration document's code (Base64, decompression, field conversion) and the
// body line reader of the QR text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "qrpayload/aztec_code.h"
#include "qrpayload/qr_text.h"
#include "qrpayload/registration_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    const qrpayload::AztecDecoding decoding = GetCodeAztec(text);
    if (decoding.out.size() > qrpayload::kMaxAztecOutputBytes) std::abort();
    if (decoding.shown.size() > 2 * decoding.out.size()) std::abort();

    const qrpayload::RegistrationDocument document(qrpayload::ConvertRegistrationText(decoding.out));
    if (document.DisplayLines().size() != 7) std::abort();

    static qrpayload::QrPayloadState state;
    if (state.ReadQR(text).size() != 8) std::abort();
    return 0;
}
