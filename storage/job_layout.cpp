#include "storage/job_layout.h"

#include <algorithm>
#include <stdexcept>

#include "storage/job_save.h"

namespace storage {

using tables::FieldType;
constexpr FieldType T = FieldType::Text;
constexpr FieldType I = FieldType::Integer;
constexpr FieldType B = FieldType::Boolean;

const std::array<TableFile, kTableCount> kTableSet = {{
    {1, "GenData.db", "Hq4TnwZpk27cs"},
    {6, "GenData2.db", "Hq4TnwZpk27cs"},
    {2, "WynikiD.db", "bR2mYtuk8sdjLE"},
    {7, "WynikiD2.db", "bR2mYtuk8sdjLE"},
    {3, "WynikiC.db", "wan5cKrzPMytQ7"},
    {8, "WynikiC2.db", "wan5cKrzPMytQ7"},
    {4, "LicznikiD.db", "zk37OdfgR21jTV"},
    {9, "LicznikiD2.db", "zk37OdfgR21jTV"},
    {5, "AddInt64.db", "m4Pw81XabnfQ"},
    {10, "LegZU.db", "yuS6cNrwHbtmE8"},
    {11, "zakres.db", "w3R9K.&pqM452"},
    {12, "wymagania.db", "j461Ta$kmv7Pc"},
}};

const TableFile &TableFileOf(int object) {
    for (const TableFile &entry : kTableSet)
        if (entry.object == object) return entry;
    throw std::out_of_range("no table object " + std::to_string(object));
}

namespace {

// Counters 0..6 of both rows of eight slots from `base`, at first + 14i + 7j + k.
void AddCounterBlock(RecordLayout &layout, int first, Source source, int base, When when) {
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 2; ++j)
            for (int k = 0; k < 7; ++k)
                layout.push_back({first + 14 * i + 7 * j + k, T, source, when, {}, base + i, j, k});
}

// Tariff blocks of nine fields from field 50: active flag, tick flag (first record only),
// parameter rows 1..5 and the station constant.
void AddTariffBlocks(RecordLayout &layout, int base, When stationConstWhen) {
    for (int i = 0; i < 8; ++i) {
        const int f = 50 + 9 * i;
        const int slot = base + i;
        layout.push_back({f, B, Source::SlotActive, When::Always, {}, slot});
        if (base == 0) layout.push_back({f + 1, B, Source::SlotTicked, When::Always, {}, slot});
        for (int j = 0; j < 5; ++j)
            layout.push_back({f + 2 + j, T, Source::TariffParam, When::Always, {}, slot, j + 1});
        layout.push_back({f + 7, T, Source::StationConst, stationConstWhen, {}, slot});
    }
}

RecordLayout GenDataLayout() {
    auto text = [](int field, std::string_view control) {
        return FieldSpec{field, T, Source::ControlText, When::Always, control};
    };
    RecordLayout layout = {
        {1, T, Source::Heading},
        {2, T, Source::PageCodes},
        text(3, "Edit102"),
        text(4, "Edit23"),
        {5, I, Source::RadioTivar},
        text(6, "Edit20"),
        text(7, "Edit21"),
        text(9, "Edit24"),
        text(10, "Edit107"),
        text(11, "Edit109"),
        text(12, "Edit25"),
        text(13, "Memo3"),
        {14, T, Source::MemberText, When::Always, "NrBoczny"},
        text(15, "Edit110"),
        {16, T, Source::Plate},
        text(17, "Edit108"),
        text(18, "Edit7"),
        {19, B, Source::PanelBlack, When::Always, "Panel28"},
        {20, B, Source::PanelBlack, When::Always, "Panel29"},
        text(21, "Memo5"),
        {22, T, Source::OldChecklist, When::Never},
        text(23, "Edit28"),
        text(24, "Edit29"),
        text(26, "Edit35"),
        text(27, "Edit9"),
        text(28, "Edit10"),
        text(29, "Memo1"),
        {30, T, Source::SaveDate},
        text(31, "Edit11"),
        text(32, "Edit437"),
        text(33, "Edit27"),
        text(34, "Edit434"),
        text(35, "Edit22"),
        text(36, "Edit38"),
        text(37, "Edit14"),
        text(38, "Edit15"),
        text(39, "Memo13"),
        {40, I, Source::AutoNumber, When::Never},
        {41, I, Source::CalcSystem},
        {42, T, Source::None, When::Never},
        {43, I, Source::MemberInteger, When::Always, "ZmianaTestedMask"},
        {44, I, Source::MemberInteger, When::Always, "MeterFamily"},
        {45, I, Source::MemberInteger, When::Always, "LayoutChangeTestMask"},
        {46, I, Source::ApplicantKind},
        {47, I, Source::None, When::Never},
        {48, I, Source::None, When::Never},
        {49, I, Source::PanelNotWhite, When::Always, "Panel278"},
    };
    AddTariffBlocks(layout, 0, When::Always);
    layout.push_back({122, T, Source::GroupUnit, When::Always, {}, 0, 0});
    layout.push_back({123, T, Source::GroupUnit, When::Always, {}, 0, 1});
    layout.push_back({124, T, Source::GroupUnit, When::Always, {}, 0, 2});
    layout.push_back({125, T, Source::TariffParam, When::NotChangeNovitius, {}, 0, 0});
    AddCounterBlock(layout, 126, Source::TimeCounter, 0, When::NotChange);
    layout.push_back(text(238, "Memo2"));
    layout.push_back(text(239, "Memo8"));
    layout.push_back(text(240, "Memo9"));
    // The free-running distances of all 16 slots (a reader of the first eight lines finds them first).
    layout.push_back({241, T, Source::TariffParamList, When::Always, {}, 0, 6, 16});
    layout.push_back({242, T, Source::Version});
    layout.push_back({243, T, Source::LabelCaption, When::Always, "Label155"});
    return layout;
}

RecordLayout GenData2Layout() {
    RecordLayout layout = {
        {1, T, Source::ControlText, When::Always, "Edit486"},
        {2, T, Source::KeptCourses},  // a field the table holds free
        {7, T, Source::MemberText, When::Always, "TrybFiskalny"},
        {13, T, Source::JdoplList},
        {14, T, Source::MaxSurcharges, When::NotChange},
        {21, T, Source::Checklist},
        {30, T, Source::TariffParamList, When::NotChangeOwn, {}, 0, 0, 16},
        {31, T, Source::GroupDates},
        {32, T, Source::GroupUnitList, When::NotChangeOwn, {}, 0, 0},
    };
    for (int f = 33; f <= 39; ++f) layout.push_back({f, T, Source::None, When::Never});
    layout.push_back({41, I, Source::Link});
    layout.push_back({42, I, Source::None, When::Never});
    layout.push_back({44, I, Source::MemberInteger, When::Change, "ChangeProcedure"});
    AddTariffBlocks(layout, 8, When::NotChange);
    AddCounterBlock(layout, 126, Source::TimeCounter, 8, When::NotChange);
    return layout;
}

// Results of one test: nominal values at 2 + 10i + j, unit counts at 82 + 10i + j.
RecordLayout ResultsLayout(int test, int base, When when) {
    RecordLayout layout = {{1, I, Source::Link}};
    for (Source source : {Source::ResultNominal, Source::ResultUnits}) {
        const int first = source == Source::ResultNominal ? 2 : 82;
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 10; ++j)
                layout.push_back({first + 10 * i + j, T, source, when, {}, base + i, j, test});
    }
    return layout;
}

RecordLayout CountersLayout(int base) {
    RecordLayout layout = {{1, I, Source::Link}};
    AddCounterBlock(layout, 2, Source::DistanceCounter, base, When::NotChange);
    for (Source source : {Source::TimeCounter, Source::DistanceCounter}) {
        const int first = source == Source::TimeCounter ? 129 : 145;
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 2; ++j)
                layout.push_back({first + 2 * i + j, T, source, When::NotChange, {}, base + i, j, 7});
    }
    if (base == 0) {
        layout.push_back({161, T, Source::KeptCount, When::Always, {}, 0, 2});
        layout.push_back({170, T, Source::KeptCountList, When::NotChange, {}, 0, 0});
        layout.push_back({171, T, Source::KeptCount, When::NotChange, {}, 0, 1});
    }
    return layout;
}

RecordLayout AddInt64Layout() {
    RecordLayout layout = {{1, I, Source::Link}};
    for (int s = 0; s < 16; ++s) layout.push_back({2 + s, I, Source::SlotFactor, When::Always, {}, s});
    layout.push_back({18, I, Source::Flag, When::Always, "VehicleResults"});
    layout.push_back({19, I, Source::RegimeZT});
    layout.push_back({20, I, Source::SaveYear});
    layout.push_back({21, I, Source::SaveMonth});
    layout.push_back({22, I, Source::SaveDay});
    layout.push_back({23, I, Source::ZmianaData, When::Change, "GroupMask"});
    layout.push_back({24, I, Source::ZmianaData, When::Change, "ActiveBeforeMask"});
    layout.push_back({25, I, Source::ZmianaData, When::Change, "ActiveAfterMask"});
    for (int b = 0; b < 8; ++b)
        layout.push_back({26 + b, I, Source::ZmianaData, When::Change, "LayoutPageCode", b});
    layout.push_back({34, I, Source::ZmianaData, When::Change, "ProtocolPanelMask"});
    layout.push_back({35, I, Source::ZmianaData, When::Change, "ChangedTariffsMask"});
    layout.push_back({36, I, Source::GroupFlagsZero});
    layout.push_back({37, I, Source::Flag, When::Always, "DistanceTestDone"});
    layout.push_back({38, I, Source::Flag, When::Always, "CzasX10"});
    for (int s = 0; s < 16; ++s) layout.push_back({39 + s, I, Source::SlotDeviceByte, When::Always, {}, s});
    layout.push_back({55, I, Source::Flag, When::Always, "CalcRelativeToK"});
    layout.push_back({56, I, Source::ZakresRow, When::Always, {}, 0, kWymagania});
    layout.push_back({57, I, Source::ZakresRow, When::Always, {}, 0, kZakres});
    return layout;
}

RecordLayout LegZULayout() {
    RecordLayout layout = {{1, I, Source::Link}};
    for (int f = 2; f <= 18; ++f)
        layout.push_back({f, T, Source::ZmianaData, When::Change, "LegZU", 0, 0, f});
    layout.push_back({19, T, Source::ProtocolDates});
    layout.push_back({20, T, Source::MemberText, When::Always, "MeterDateText"});
    return layout;
}

std::array<RecordLayout, kJobTableCount> BuildLayouts() {
    return {GenDataLayout(),
            ResultsLayout(0, 0, When::NotChange),
            ResultsLayout(1, 0, When::NotChange),
            CountersLayout(0),
            AddInt64Layout(),
            GenData2Layout(),
            ResultsLayout(1, 8, When::NotChangeOwn),
            ResultsLayout(0, 8, When::NotChangeOwn),
            CountersLayout(8),
            LegZULayout()};
}

// Highest field number + 1 of each table; the record layouts leave some trailing fields unlisted.
constexpr std::array<int, kTableCount> kFieldCounts = {244, 162, 162, 172, 58, 238, 162, 162, 172, 21, 7, 7};

}  // namespace

const RecordLayout &LayoutOf(int table) {
    static const std::array<RecordLayout, kJobTableCount> layouts = BuildLayouts();
    return layouts.at(static_cast<size_t>(table));
}

int FieldCountOf(int table) {
    return kFieldCounts.at(static_cast<size_t>(table));
}

tables::TableStructure StructureOf(int table) {
    tables::TableStructure structure;
    structure.fieldTypes.assign(static_cast<size_t>(FieldCountOf(table)), T);
    if (table >= kJobTableCount) {
        // Named texts: name, three parts of the text, the current flag and the slot number.
        structure.fieldTypes[5] = B;
        structure.fieldTypes[6] = I;
        return structure;
    }
    for (const FieldSpec &fieldSpec : LayoutOf(table)) {
        structure.fieldTypes.at(static_cast<size_t>(fieldSpec.field)) = fieldSpec.type;
        if (fieldSpec.source == Source::AutoNumber) structure.autoNumberField = fieldSpec.field;
    }
    // Looked up by: a job's records by its number, the dictionaries by their values.
    if (table != kGenData) structure.Index(LinkFieldOf(table));
    if (table == kGenData2)
        for (int field :
             {kPersonField, kManufacturerField, kPlaceField, kApplicantField, kSealField, kDeviceField})
            structure.Index(field);
    return structure;
}

}  // namespace storage
