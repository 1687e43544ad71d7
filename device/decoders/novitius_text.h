#pragma once
// Text messages of a NOVITIUS taximeter: the line list and the identification, tariff and trip
// messages.
#include <optional>
#include <string>
#include <vector>

#include "device/decoders/field_conversion.h"

namespace decoders {

// Lines ended by CR, with "." turned into ","; text after the last CR is dropped.
class NovitiusLines {
public:
    explicit NovitiusLines(Bytes text);
    // Line `index` counted from 0; empty text beyond the last line.
    const std::string &operator[](size_t index) const;
    size_t size() const { return lines_.size(); }

private:
    std::vector<std::string> lines_;
};

// The presets of a model recognised by its type designation.
struct ModelPreset {
    std::string Edit24;   // software version
    std::string Edit434;  // checksum
    std::string Edit23;   // type-examination certificate
};

// The identification message (2E F2 00), in the order the window writes it. OplP, JT and JDOPŁ
// go to the edits of every tariff.
struct NovitiusIdentity {
    std::string OplP;
    std::string JT;       // Edit98 and Edit88
    std::string Jdopl;    // Edit100 and Edit112
    std::string Edit107;  // constant k
    std::string Edit110;  // registration number
    std::string Edit20;   // type designation
    std::optional<ModelPreset> Preset;
    std::string Edit21;                 // serial number
    std::string Edit25;                 // tariff in the cash register; "OSTATNIA AKTYWNA" for "0"
    std::optional<std::string> Edit12;  // calculation system "S" / "D"; nothing leaves it
};

NovitiusIdentity GetDataNovitius(Bytes text);

// A tariff message (2E F8 n).
struct NovitiusTariff {
    int Tariff = 0;  // 1..8
    std::string OplD;
    std::string OplC;
    bool Enabled = false;
    std::optional<std::string> Cps;  // nothing keeps the edit's text
    std::optional<std::string> Dps;
};

// Nothing for a tariff number outside 1..8.
std::optional<NovitiusTariff> GetTaryfyNovitius(Bytes text, int tariff);

// A trip message (2E F2 14): the tariff 0..7 of the trip and its date and time.
struct NovitiusTrip {
    int Tariff = 0;
    std::string TripTime;
};

NovitiusTrip GetKursNovitius(Bytes text);

}  // namespace decoders
