#include "code_fixtures.h"

#include <openssl/evp.h>
#include <ucl/ucl.h>

#include <random>
#include <stdexcept>
#include <vector>

std::string Utf8ToUtf16Le(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        char32_t cp;
        int extra;
        if (b0 < 0x80) {
            cp = b0, extra = 0;
        } else if ((b0 & 0xE0) == 0xC0) {
            cp = b0 & 0x1F, extra = 1;
        } else {
            cp = b0 & 0x0F, extra = 2;
        }
        ++i;
        for (int k = 0; k < extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
        out += static_cast<char>(cp & 0xFF);
        out += static_cast<char>(cp >> 8);
    }
    return out;
}

std::string Nrv2eCompress(std::string_view bytes) {
    if (ucl_init() != UCL_E_OK) throw std::runtime_error("ucl_init failed");
    std::vector<unsigned char> out(bytes.size() + bytes.size() / 8 + 256);
    ucl_uint outLength = static_cast<ucl_uint>(out.size());
    const int rc = ucl_nrv2e_99_compress(reinterpret_cast<const unsigned char *>(bytes.data()),
                                         static_cast<ucl_uint>(bytes.size()), out.data(), &outLength, nullptr,
                                         10, nullptr, nullptr);
    if (rc != UCL_E_OK) throw std::runtime_error("ucl_nrv2e_99_compress failed");
    return std::string(reinterpret_cast<const char *>(out.data()), outLength);
}

std::string Base64Encode(std::string_view bytes) {
    std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char *>(out.data()),
                                       reinterpret_cast<const unsigned char *>(bytes.data()),
                                       static_cast<int>(bytes.size()));
    out.resize(static_cast<std::size_t>(length));
    return out;
}

std::string MakeRegistrationCode(std::string_view bytes) {
    return Base64Encode(std::string("\xDB\x06\x00\x00", 4) + Nrv2eCompress(bytes));
}

std::string PseudoRandomBytes(std::size_t count, std::uint32_t start) {
    std::mt19937 generator(start);
    std::string out(count, '\0');
    for (char &c : out) c = static_cast<char>(generator() & 0xFF);
    return out;
}

std::string Fields(const std::vector<std::string> &fields) {
    std::string text;
    for (const std::string &field : fields) text += field + "|";
    return text;
}

std::vector<std::string> DocumentFields() {
    std::vector<std::string> fields(30);
    for (std::size_t k = 0; k < fields.size(); ++k) fields[k] = "F" + std::to_string(k);
    fields[0] = "XX";
    fields[7] = "EL 5ŁW12";
    fields[8] = "ŠKODA";
    fields[13] = "TMBJJ7NE0J0123456";
    fields[16] = "Przedsiębiorstwo Taksówkowe ŻAK";
    fields[21] = "Łukasz";
    fields[22] = "Wąsowicz";
    fields[23] = "ul. Ogrodowa 5";
    fields[24] = "ul. Źródlana 12";
    fields[25] = "90-001 Łódź";
    return fields;
}
