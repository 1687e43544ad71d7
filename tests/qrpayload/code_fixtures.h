#pragma once
// Registration-code fixtures made at run time: the text as UTF-16LE, compressed with libucl's NRV2E
// compressor, behind a 4-byte header, Base64-encoded.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

std::string Utf8ToUtf16Le(std::string_view utf8);
std::string Nrv2eCompress(std::string_view bytes);
std::string Base64Encode(std::string_view bytes);
// Base64 of the header and the compressed bytes.
std::string MakeRegistrationCode(std::string_view bytes);
// Reproducible pseudo-random bytes.
std::string PseudoRandomBytes(std::size_t count, std::uint32_t start);
// Thirty fields of a registration document (UTF-8): "XX" first, then a vehicle and its owner with
// Polish letters; every other field k reads "F<k>".
std::vector<std::string> DocumentFields();
// The fields joined as the document's text does: each followed by "|".
std::string Fields(const std::vector<std::string> &fields);
