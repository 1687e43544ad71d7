#pragma once
// The job tables as data: which file and password each table object serves, the field structure
// of every table, and for the ten job tables where the save takes each field from. The window
// side interprets a FieldSpec's source; nothing here knows the window.
#include <array>
#include <string_view>
#include <vector>

#include "platform/tables/structure.h"

namespace storage {

// The ten job tables, indexed by their table object's number minus one (Table1 .. Table10).
enum JobTable : int {
    kGenData = 0,
    kWynikiD,
    kWynikiC,
    kLicznikiD,
    kAddInt64,
    kGenData2,
    kWynikiD2,
    kWynikiC2,
    kLicznikiD2,
    kLegZU,
    kJobTableCount
};
inline constexpr int kZakres = 10;     // Table11
inline constexpr int kWymagania = 11;  // Table12
inline constexpr int kTableCount = 12;

struct TableFile {
    int object;  // n of Table<n>
    std::string_view file;
    std::string_view password;
};
// In the order the tables are named and their passwords registered at start-up.
extern const std::array<TableFile, kTableCount> kTableSet;
// The entry of kTableSet for Table<object>.
const TableFile &TableFileOf(int object);

// When the save writes a field: in every job, only outside the tariff-layout change procedure
// (optionally for one meter family only), only inside it, or never (read elsewhere).
enum class When : char { Always, NotChange, NotChangeNovitius, NotChangeOwn, Change, Never };

// Where a field's value comes from. `name` names a control; slot, row and column index stores.
enum class Source : char {
    None,             // not written by the save
    ControlText,      // text of the edit or memo `name`
    LabelCaption,     // caption of the label `name`
    PanelBlack,       // the option panel `name` is black
    PanelNotWhite,    // 0 when the option panel `name` is white, else 1
    Heading,          // station heading, four lines
    PageCodes,        // the four page-code characters
    RadioTivar,       // 1 when RadioButton1 is checked
    Plate,            // eight characters from Edit111, Edit457, Edit458
    SaveDate,         // today's date in the short date format
    CalcSystem,       // 0 when Edit12 is exactly "S", else 1
    ApplicantKind,    // 0/1/2 from Panel232..Panel234
    MemberText,       // member text `name`
    MemberInteger,    // member integer `name`
    Version,          // record version
    SlotActive,       // TariffActiveFlags[slot]
    SlotTicked,       // tick flag of slot
    TariffParam,      // TariffParams[row][slot]
    TariffParamList,  // line list of TariffParams[row] over `column` slots from `slot`
    StationConst,     // StalaStTaryf[slot]
    GroupUnit,        // TariffGroupUnits[row][0]
    GroupUnitList,    // line list of TariffGroupUnits[row] over groups 0..3
    JdoplList,        // line list of TariffJdoplaty over the 16 slots
    Checklist,        // line list of the 34 checklist captions
    GroupDates,       // line list of the eight dates of TariffGroupTexts
    MaxSurcharges,    // line list of the four groups' GroupMaxSurcharge
    TimeCounter,      // CounterStore of the time test: counter `column`, row `row`, slot `slot`
    DistanceCounter,  // the same of the distance test
    ResultNominal,    // FareRowStore nominal of test `column` (0 time, 1 distance), slot, row
    ResultUnits,      // FareGridStore column 1 of test `column`, slot, row
    KeptCount,        // LicznikiKeep[row] as decimal text
    KeptCountList,    // the same as a one-line line list
    SlotFactor,       // SlotFactor[slot] x 1000 truncated
    SlotDeviceByte,   // SlotDeviceByte[slot]
    Flag,             // switch `name` as 0/1
    RegimeZT,         // 1 for ZT, 0 for MID
    SaveYear,
    SaveMonth,
    SaveDay,
    GroupFlagsZero,  // bit g set when group flag g is zero
    ZakresRow,       // the row of the text the job form shows of table `row` (10 zakres, 11 wymagania)
    ProtocolDates,   // the check period and the protocol's date ("---" when it is not printed)
    ZmianaData,      // a field of the change procedure, named by `name`
    KeptCourses,     // the courses of the live course display
    OldChecklist,    // read only: the checklist of older records as a 24-bit mask
    Link,            // the job number
    AutoNumber,      // numbered by the table
};

struct FieldSpec {
    int field;
    tables::FieldType type;
    Source source = Source::None;
    When when = When::Always;
    std::string_view name = {};
    int slot = 0;
    int row = 0;
    int column = 0;
};

using RecordLayout = std::vector<FieldSpec>;

// The layout of one job table, in field order; each listed field once.
const RecordLayout &LayoutOf(int table);
// The number of fields of a table (highest field number + 1), job tables and text tables alike.
int FieldCountOf(int table);
// The structure a table file is created with; unlisted fields are text.
tables::TableStructure StructureOf(int table);

}  // namespace storage
