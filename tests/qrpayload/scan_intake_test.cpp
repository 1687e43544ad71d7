#include "qrpayload/scan_intake.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "code_fixtures.h"
#include "fake_scan_screen.h"
#include "platform/runtime/cp1250.h"
#include "qrpayload/registration_document.h"

namespace {

using namespace qrpayload;

class ScanIntake : public ::testing::Test {
protected:
    void SetUp() override { StartScan(state, screen); }

    // One tick of the intake timer; the seconds timer ticks every 20th while it runs.
    void Tick() {
        ScanStep(state, screen, cipher);
        if (++ticks % 20 == 0 && screen.counting) ++state.ScanTick;
    }
    void Ticks(int n) {
        for (int k = 0; k < n; ++k) Tick();
    }
    // Types the text a chunk at a time, one tick after each chunk.
    void Type(std::string_view text, std::size_t chunk) {
        for (std::size_t at = 0; at < text.size(); at += chunk) {
            screen.input += text.substr(at, chunk);
            Tick();
        }
    }

    FakeScreen screen;
    ScanIntakeState state;
    QrPayloadState cipher;
    int ticks = 0;
};

// An identity text as the documents carry it, in code page 1250, with CR LF between its lines.
std::string IdentityData() {
    return Utf8ToCp1250(
        "TIVAR\r\nNr:12345\r\nNr cert.:PL 07 001\r\nOzn. typu:T-77\r\nVIN:WF0XXXGCDX1234567\r\n"
        "Marka poj.:Dacia\r\nStała k:1234\r\nRozm. opon kół napędowych:195/65R15\r\nSystem obl.:D\r\n"
        "Data prod.:2024-05-01\r\nNr rej.:WA 12345\r\nZlec.:Z/17\r\nData:2026-12-01");
}

TEST_F(ScanIntake, OwnTextTypedInAnyChunksIsReadWholeAndLoadedAtItsEnd) {
    for (const int mode : {1, 0}) {
        for (const std::size_t chunk : {1u, 3u, 17u, 4096u}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " chunk " << chunk);
            screen = FakeScreen{};
            state = ScanIntakeState{};
            StartScan(state, screen);
            screen.fields[ScanField::MeterSerial] = {"---", true};
            screen.fields[ScanField::Vin] = {"", false};  // disabled: never written
            screen.fields[ScanField::VehicleMake] = {"Fiat", true};
            screen.fields[ScanField::RegistrationNumber] = {"KR 1", true};  // holds a value: kept

            const std::string text = cipher.WriteQR(IdentityData(), 0, mode);
            Type(text, chunk);
            Ticks(60);

            EXPECT_EQ(state.QrScanState, 0);
            EXPECT_EQ(screen.input, "");
            EXPECT_EQ(SplitMemoLines(screen.read), SplitMemoLines(IdentityData()));
            std::vector<std::string> kept;  // from "LEG:0" to "END", empty lines left out
            for (const std::string &line : SplitMemoLines(text))
                if (!line.empty()) kept.push_back(line);
            EXPECT_EQ(SplitMemoLines(state.ScannedQrText), kept);

            EXPECT_EQ(screen.ownFamilyPresets, 1);
            EXPECT_EQ(screen.FieldText(ScanField::MeterSerial), "12345");
            EXPECT_EQ(screen.FieldText(ScanField::CertificateNumber), "PL 07 001");
            EXPECT_EQ(screen.FieldText(ScanField::TypeDesignation), "T-77");
            EXPECT_EQ(screen.FieldText(ScanField::Vin), "");
            EXPECT_EQ(screen.FieldText(ScanField::VehicleMake), "Dacia");
            EXPECT_EQ(screen.FieldText(ScanField::MeterConstant), "1234");
            EXPECT_EQ(screen.FieldText(ScanField::TyreWidth), "195");
            EXPECT_EQ(screen.FieldText(ScanField::TyreProfile), "65");
            EXPECT_EQ(screen.FieldText(ScanField::TyreRim), "15");
            EXPECT_EQ(screen.FieldText(ScanField::CalculationSystem), "D");
            EXPECT_EQ(screen.FieldText(ScanField::ProductionDate), "2024-05-01");
            EXPECT_EQ(screen.FieldText(ScanField::RegistrationNumber), "KR 1");
            EXPECT_EQ(screen.FieldText(ScanField::OrderNumber), "Z/17");
            EXPECT_EQ(screen.FieldText(ScanField::OrderDate), "2026-12-01");
            EXPECT_TRUE(screen.orderLabelHidden);
        }
    }
}

TEST_F(ScanIntake, LinesTypedSlowlyAreTakenOnlyOnceComplete) {
    const std::string text = cipher.WriteQR("abcdefgh12345678", 0, 1);
    const std::size_t body = text.find("START:\n") + 7;
    Type(text.substr(0, body + 5), 1);
    Ticks(200);  // the scanner stalls in the middle of the first block's line
    EXPECT_EQ(state.QrScanState, 3);
    EXPECT_EQ(screen.read, "");
    Type(text.substr(body + 5, 11), 1);  // the line's rest
    EXPECT_EQ(screen.read, "");
    Type("\n", 1);
    EXPECT_EQ(screen.read, "abcdefgh");
    Type(text.substr(body + 17, text.size() - 1 - (body + 17)), 1);  // all but "D" of "END"
    Ticks(200);
    EXPECT_EQ(state.QrScanState, 3);
    EXPECT_EQ(screen.read, "abcdefgh12345678");
    Type("D", 1);
    EXPECT_EQ(state.QrScanState, 0);
}

TEST_F(ScanIntake, TextWithoutEndWaitsAndLoadsNothing) {
    const std::string text = cipher.WriteQR("Nr:777", 0, 0);
    Type(text.substr(0, text.size() - 3), 5);
    Ticks(500);
    EXPECT_EQ(state.QrScanState, 3);
    EXPECT_EQ(screen.read, "Nr:777\r\n");
    EXPECT_EQ(screen.FieldText(ScanField::MeterSerial), "");
    EXPECT_EQ(state.ScannedQrText, "");
    StartScan(state, screen);  // "KOD" again starts afresh
    EXPECT_EQ(state.QrScanState, 0);
    EXPECT_EQ(screen.input, "");
}

TEST_F(ScanIntake, FrameLinesMustMatchWholly) {
    for (const std::string text :
         {"\nLEG:1\nSZYFR:NONE\nSTART:\nNr:1\nEND", "\nLEG:0 \nSZYFR:NONE\nSTART:\nNr:1\nEND"}) {
        StartScan(state, screen);
        Type(text, 4);
        Ticks(20);
        EXPECT_EQ(state.QrScanState, 0) << text;
        EXPECT_EQ(screen.FieldText(ScanField::MeterSerial), "");
    }
    // The cipher and start lines are found anywhere after "LEG:0"; the first "START:" counts.
    StartScan(state, screen);
    Type("\nSTART:\nLEG:0\nX\nSZYFR:NONE\nNr:1\nEND", 40);
    Ticks(5);
    EXPECT_EQ(SplitMemoLines(screen.read), (std::vector<std::string>{"LEG:0", "X", "SZYFR:NONE", "Nr:1"}));
    EXPECT_EQ(screen.FieldText(ScanField::MeterSerial), "1");
}

TEST_F(ScanIntake, ShownOnlyWhenLoadingWasNotAskedFor) {
    for (const auto &[options, load] : {std::pair{true, false}, std::pair{false, true}}) {
        screen = FakeScreen{};
        screen.options = options;
        screen.load = load;
        StartScan(state, screen);
        Type(cipher.WriteQR(IdentityData() + "\r\nOplata poczatkowa:5,00", 0, 0), 64);
        Ticks(40);
        EXPECT_EQ(state.QrScanState, 0);
        EXPECT_EQ(SplitMemoLines(screen.read).size(), 14u);
        EXPECT_TRUE(screen.fields.empty());
        EXPECT_TRUE(screen.tariffEdits.empty());
        EXPECT_EQ(screen.ownFamilyPresets, 0);
    }
}

TEST_F(ScanIntake, IdentityCaptionsFillTheirFieldsByTheirRules) {
    const struct {
        std::string line;  // UTF-8
        ScanField field;
        ScanFieldState before;
        std::string after;
        int family = 0;
    } cases[] = {
        {"Nr rej.:WA 1", ScanField::RegistrationNumber, {"", true}, "WA 1"},
        {"Nr rej.:WA 1", ScanField::RegistrationNumber, {"KR 9", true}, "KR 9"},
        {"Nr rej.:WA 1", ScanField::RegistrationNumber, {"---", false}, "---"},
        {"Marka poj.:Opel", ScanField::VehicleMake, {"Fiat", true}, "Opel"},
        {"System obl.:S", ScanField::CalculationSystem, {"D", true}, "S"},
        {"System obl.:S", ScanField::CalculationSystem, {"D", false}, "D"},
        {"System obl.:", ScanField::CalculationSystem, {"D", true}, ""},  // an empty value is written too
        {"VIN", ScanField::Vin, {"---", true}, ""},  // line ends at the caption: empty, into a vacant field
        {"VIN", ScanField::Vin, {"WVW1", true}, "WVW1"},
        {"Rozm. opon kół napędowych:195/65R15", ScanField::TyreSize, {"", true}, "195/65R15", 1},
        {"Rozm. opon kół napędowych:205", ScanField::TyreWidth, {"", true}, "205"},
        {"Rozm. opon kół napędowych:205", ScanField::TyreProfile, {"", true}, ""},
        {"Data prod.:2020", ScanField::OrderDate, {"", true}, ""},  // "Data prod." decides first
        {"Nr cert.:C1", ScanField::MeterSerial, {"", true}, ""},
    };
    for (const auto &c : cases) {
        FakeScreen fresh;
        fresh.family = c.family;
        fresh.fields[c.field] = c.before;
        screen = fresh;
        Type(cipher.WriteQR(Utf8ToCp1250(c.line), 0, 0), 4096);
        Ticks(5);
        EXPECT_EQ(screen.FieldText(c.field), c.after) << c.line;
        EXPECT_FALSE(screen.orderLabelHidden);
    }
}

// A plain tariff text: base values and the four per-tariff sections, one of them without "T8".
std::string TariffData() {
    std::string data =
        "Nr rejestracyjny:WX 99\nOplata poczatkowa:8,00\nStala taryf C:2,5\n"
        "Wartosc jednostki taryfowej:0,10\nWartosc jednostki doplaty:0,20\n"
        "Oplata za 1 kilometr drogi:\n";
    for (int t = 1; t <= 8; ++t) data += "T" + std::to_string(t) + ":" + std::to_string(t) + ",00\n";
    data += "Oplata za 1 godzine postoju:\nT9:9\nT0:0\nx\nT2:60,00\nT8:80,00\n";
    data += "Odcinek poczatkowy drogi:\nT1:100\nT8:\nOkres poczatkowy czasu:\nT3:30";
    return data;
}

TEST_F(ScanIntake, PlainTariffTextLoadsLineByLineAndShowsLongTextsInTwoMemos) {
    screen.fields[ScanField::RegistrationNumber] = {"KR 1", true};
    Type(cipher.WriteQR(TariffData(), 0, 0), 25);
    Ticks(60);
    EXPECT_EQ(state.QrScanState, 0);

    EXPECT_EQ(screen.FieldText(ScanField::RegistrationNumber), "WX 99");  // enabled: replaced
    EXPECT_EQ(screen.FieldText(ScanField::TariffConstantC), "2,5");
    EXPECT_EQ(screen.FieldText(ScanField::TariffUnit), "0,10");
    EXPECT_EQ(screen.FieldText(ScanField::TariffUnit2), "0,10");
    EXPECT_EQ(screen.FieldText(ScanField::SurchargeUnit2), "0,20");
    using R = ScanTariffRow;
    std::map<std::pair<R, int>, std::string> expected = {
        {{R::InitialFee, 0}, "8,00"},  {{R::InitialFee, 4}, "8,00"},     {{R::FeePerHour, 1}, "60,00"},
        {{R::FeePerHour, 7}, "80,00"}, {{R::InitialDistance, 0}, "100"}, {{R::InitialDistance, 7}, ""},
        {{R::InitialTime, 2}, "30"}};
    for (int t = 0; t < 8; ++t) expected[{R::FeePerKm, t}] = std::to_string(t + 1) + ",00";
    EXPECT_EQ(screen.tariffEdits, expected);
    EXPECT_EQ(std::vector<int>(screen.selected.begin(), screen.selected.begin() + 10),
              (std::vector<int>{0, 1, 2, 3, 0, 4, 5, 6, 7, 4}));
    EXPECT_EQ(screen.activeMarks, 13);

    // Input lines 0..23 are shown in the read memo, the later ones in the further memo.
    const std::vector<std::string> dataLines = SplitMemoLines(TariffData());
    const std::vector<std::string> read = SplitMemoLines(screen.read),
                                   further = SplitMemoLines(screen.further);
    ASSERT_EQ(read.size(), 20u);  // the body starts at input line 4
    EXPECT_EQ(read.back(), dataLines[19]);
    EXPECT_EQ(further, std::vector<std::string>(dataLines.begin() + 20, dataLines.end()));
}

TEST_F(ScanIntake, RegistrationCodeIsProbedWaitedForDecodedAndLoaded) {
    screen.user = true;
    const std::string code = MakeRegistrationCode(Utf8ToUtf16Le(Fields(DocumentFields())));
    // A slow scanner: the code arrives over about 8 s, longer than the 4 s wait.
    const std::size_t chunk = code.size() / 150 + 1;
    Type(code, chunk);
    EXPECT_EQ(state.AztecStart, 0);
    EXPECT_LT(ticks, 200);
    EXPECT_EQ(state.QrScanState, 4);
    EXPECT_TRUE(screen.read.starts_with("AZTEC......"));
    for (int k = 0; k < 40 && state.QrScanState == 4; ++k) Tick();
    EXPECT_EQ(state.QrScanState, 5);
    EXPECT_FALSE(screen.counting);
    EXPECT_EQ(screen.interval, 3000);
    EXPECT_EQ(screen.input, "");

    const RegistrationDocument document = ReadRegistrationDocument(code);
    EXPECT_EQ(screen.documentFields, document.FieldText());
    EXPECT_EQ(SplitMemoLines(screen.read), document.DisplayLines());
    EXPECT_EQ(Cp1250ToUtf8(screen.FieldText(ScanField::RegistrationNumber)), "EL 5ŁW12");
    EXPECT_EQ(screen.FieldText(ScanField::Vin), "TMBJJ7NE0J0123456");
    EXPECT_EQ(screen.FieldText(ScanField::VehicleMake), "KODA");
    EXPECT_EQ(screen.applicant, document.ApplicantLines());

    Tick();  // the pause's end
    EXPECT_EQ(state.QrScanState, 0);
    EXPECT_EQ(screen.interval, 50);
}

TEST_F(ScanIntake, RegistrationCodeTypedQuicklyIsReadAfterFourSeconds) {
    screen.load = false;
    Type("noise " + MakeRegistrationCode(Utf8ToUtf16Le(Fields(DocumentFields()))), 4096);
    EXPECT_EQ(state.QrScanState, 4);
    EXPECT_EQ(state.AztecStart, 6);
    Ticks(4 * 20 - 1);  // 4 s after the recognising tick
    EXPECT_EQ(state.QrScanState, 4);
    Tick();
    EXPECT_EQ(state.QrScanState, 5);
    EXPECT_EQ(screen.read.substr(0, 20), "Numer rejstracyjny: ");
    EXPECT_TRUE(screen.fields.empty());
}

TEST_F(ScanIntake, GarbageAndHugePastesAreReadOnceAndLoadNothing) {
    // Random bytes typed in bursts, then a huge paste of Base64-like text with frame lines in it:
    // every character is taken from the memo once, however long the input grows.
#ifdef STATION_SANITIZED
    constexpr std::uint32_t kGarbageRuns = 3;
    constexpr std::size_t kPasteBytes = 50'000;
#else
    constexpr std::uint32_t kGarbageRuns = 20;
    constexpr std::size_t kPasteBytes = 500'000;
#endif
    for (std::uint32_t start = 1; start <= kGarbageRuns; ++start) {
        screen = FakeScreen{};
        state = ScanIntakeState{};
        Type(PseudoRandomBytes(3000, start), 97);
        Ticks(10);
        EXPECT_TRUE(screen.fields.empty());
        EXPECT_LE(screen.inputRead, 3000u);
    }
    screen = FakeScreen{};
    state = ScanIntakeState{};
    std::string paste;
    while (paste.size() < kPasteBytes)
        paste += "QUJDREVGR0hJSktMTU5PUFFSU1RVVldY\nLEG:0\nSZYFR:3DES\nSTART:\n0123\n";
    Type(paste, 4096);
    const auto lines = static_cast<std::int32_t>(std::count(paste.begin(), paste.end(), '\n'));
    Ticks(lines / kBodyLinesPerTick + 2);
    EXPECT_EQ(screen.inputRead, paste.size());
    EXPECT_EQ(state.QrScanState, 3);
    EXPECT_EQ(state.QrLineIndex, lines);
    EXPECT_TRUE(screen.fields.empty());
}

// Line breaks split across ticks (CR in one, LF in the next) and text replaced by a shorter one
// read as the whole text would.
TEST_F(ScanIntake, LinesSplitAcrossTicksAndReplacedInputAreReadAsAWhole) {
    for (const std::size_t chunk : {1u, 2u, 5u}) {
        SCOPED_TRACE(chunk);
        screen = FakeScreen{};
        state = ScanIntakeState{};
        StartScan(state, screen);
        Type("noise\r\nLEG:0\r\nSZYFR:NONE\r\nSTART:\r\nA\r\n\r\nB\r\nEND", chunk);
        Ticks(3);
        EXPECT_EQ(state.QrScanState, 0);
        EXPECT_EQ(SplitMemoLines(screen.read), (std::vector<std::string>{"A", "", "B"}));
        EXPECT_EQ(state.ScannedQrText, "LEG:0\r\nSZYFR:NONE\r\nSTART:\r\nA\r\nB\r\nEND\r\n");
    }
    // The operator replaced a half-typed text by a shorter one: the new one is read from its start.
    screen = FakeScreen{};
    state = ScanIntakeState{};
    StartScan(state, screen);
    Type("garbage garbage\nLEG", 100);
    screen.input = "LEG:0\n";
    Tick();
    EXPECT_EQ(state.QrScanState, 1);
    EXPECT_EQ(state.QrLegLine, 0);
}

}  // namespace
