// Saving the job the main window shows: each field of the ten new records is taken from the
// control or member its layout names.
#include <stdexcept>

#include "app/form1.h"
#include "app/version.h"
#include "platform/runtime/datetime.h"
#include "storage/field_values.h"
#include "tariffchange/change_job_fields.h"

using storage::FieldSpec;
using storage::FieldValue;
using storage::Source;
using storage::When;

namespace {

std::string Utf8(const QString &text) {
    return text.toStdString();
}

template <class Strings>
std::string LinesOf(const Strings &texts, size_t first, size_t count) {
    std::vector<std::string> lines;
    for (size_t i = first; i < first + count; ++i) lines.push_back(std::string(texts[i]));
    return storage::LineList(lines);
}

int32_t Bit(bool set, int bit) {
    return set ? int32_t{1} << bit : 0;
}

}  // namespace

template <class T>
T *TForm1::Named(std::string_view name) const {
    auto *control =
        dynamic_cast<T *>(FindComponent(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))));
    if (!control) throw std::logic_error("the window has no control " + std::string(name));
    return control;
}

bool TForm1::ChangeProcedureOn() const {
    return Panel342->Color() == clWhite;
}

QString TForm1::ControlText(std::string_view name) const {
    if (auto *memo = dynamic_cast<TMemo *>(
            FindComponent(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))))
        return memo->Text();
    return Named<TEdit>(name)->Text();
}

QString TForm1::StationHeading() const {
    const TStrings &lines = Memo4->Lines();
    return Edit473->Text() + "\r\n" + lines.StringOrEmpty(0) + "\r\n" + lines.StringOrEmpty(1) + "\r\n" +
           lines.StringOrEmpty(2) + Edit482->Text() + "\r\n";
}

QString TForm1::PlateText() const {
    QString plate(8, QLatin1Char(' '));
    const auto place = [&plate](const QString &text, int at, int length) {
        for (int i = 0; i < length && i < text.size(); ++i) plate[at + i] = text[i];
    };
    place(Edit111->Text(), 0, 3);
    place(Edit457->Text(), 3, 2);
    place(Edit458->Text(), 5, 3);
    return plate;
}

// The check period is printed on every protocol, so it is kept as shown; the protocol's own date
// only when it is printed.
std::string TForm1::ProtocolDates() const {
    const QString none = QStringLiteral("---");
    return storage::LineList({Utf8(Edit483->Text()), Utf8(Edit484->Text()),
                              Utf8(Panel282->Color() == clBlack ? Edit485->Text() : none)});
}

int32_t TForm1::MemberInteger(std::string_view name) const {
    if (name == "ZmianaTestedMask") return static_cast<int32_t>(ZmianaTestedMask);
    if (name == "LayoutChangeTestMask") return static_cast<int32_t>(LayoutChangeTestMask);
    if (name == "MeterFamily") return MeterFamily;
    if (name == "ChangeProcedure") return ChangeProcedureOn() ? 1 : 0;
    if (name == "VehicleResults") return VehicleResults ? 1 : 0;
    if (name == "DistanceTestDone") return DistanceTestDone ? 1 : 0;
    if (name == "CzasX10") return CzasX10 ? 1 : 0;
    if (name == "CalcRelativeToK") return CalcRelativeToK ? 1 : 0;
    throw std::logic_error("no integer member " + std::string(name));
}

std::string TForm1::MemberText(std::string_view name) const {
    if (name == "NrBoczny") return Utf8(NrBoczny);
    if (name == "TrybFiskalny") return Utf8(TrybFiskalny);
    if (name == "MeterDateText") return Utf8(MeterDateText);
    throw std::logic_error("no text member " + std::string(name));
}

std::optional<FieldValue> TForm1::ChangeProcedureValue(const FieldSpec &fieldSpec) const {
    if (fieldSpec.name == "ProtocolPanelMask") {
        int32_t mask = 0;
        int bit = 0;
        for (TPanel *panel : {Panel347, Panel348, Panel349, Panel350, Panel354, Panel355, Panel356, Panel357,
                              Panel358, Panel359, Panel360, Panel361, Panel362})
            mask |= Bit(panel->Caption() == QStringLiteral("TAK"), bit++);
        for (TPanel *panel : {Panel363, Panel364, Panel365})
            mask |= Bit(panel->Caption() == QStringLiteral("NIE"), bit++);
        return mask;
    }
    if (fieldSpec.name == "ChangedTariffsMask") return static_cast<int32_t>(ChangedTariffsMask);
    if (fieldSpec.name == "LayoutPageCode")
        return int32_t{LayoutPageCodes[static_cast<size_t>(fieldSpec.slot)]};
    if (fieldSpec.name == "LegZU" && fieldSpec.column == 17) {
        std::vector<std::string> lines;
        for (int n = 498; n <= 507; ++n) lines.push_back(Utf8(ControlText("Edit" + std::to_string(n))));
        return storage::LineList(lines);
    }
    if (fieldSpec.name == "LegZU" && fieldSpec.column == 18) {
        std::vector<std::string> lines;
        for (int n = 518; n <= 524; ++n) lines.push_back(Utf8(ControlText("Edit" + std::to_string(n))));
        return storage::LineList(lines);
    }
    if (fieldSpec.name == "LegZU")
        return storage::LineList(tariffchange::LayoutFieldLines(*this, fieldSpec.column));
    if (fieldSpec.name == "GroupMask")
        return tariffchange::LayoutMask(*this, tariffchange::kSegmentMaskField);
    if (fieldSpec.name == "ActiveBeforeMask")
        return tariffchange::LayoutMask(*this, tariffchange::kEnabledBeforeField);
    if (fieldSpec.name == "ActiveAfterMask")
        return tariffchange::LayoutMask(*this, tariffchange::kEnabledAfterField);
    return std::nullopt;
}

std::optional<FieldValue> TForm1::JobFieldValue(const FieldSpec &fieldSpec, const SaveMoment &moment) const {
    const auto slot = static_cast<size_t>(fieldSpec.slot);
    const auto row = static_cast<size_t>(fieldSpec.row);
    const auto column = static_cast<size_t>(fieldSpec.column);
    switch (fieldSpec.source) {
        case Source::None:
        case Source::OldChecklist:
        case Source::Link:
        case Source::AutoNumber:
            return std::nullopt;
        case Source::ControlText:
            return Utf8(ControlText(fieldSpec.name));
        case Source::LabelCaption:
            return Utf8(Named<TLabel>(fieldSpec.name)->Caption());
        case Source::PanelBlack:
            return Named<TPanel>(fieldSpec.name)->Color() == clBlack;
        case Source::PanelNotWhite:
            return int32_t{Named<TPanel>(fieldSpec.name)->Color() != clWhite};
        case Source::Heading:
            return Utf8(StationHeading());
        case Source::PageCodes:
            return std::string(TariffPageCode.begin(), TariffPageCode.end());
        case Source::RadioTivar:
            return int32_t{RadioButton1->Checked()};
        case Source::Plate:
            return Utf8(PlateText());
        case Source::SaveDate:
            return moment.dateText;
        case Source::CalcSystem:
            return int32_t{Edit12->Text() != QStringLiteral("S")};
        case Source::ApplicantKind:
            return GetWnioskodawce();
        case Source::MemberText:
            return MemberText(fieldSpec.name);
        case Source::MemberInteger:
        case Source::Flag:
            return MemberInteger(fieldSpec.name);
        case Source::Version:
            return std::string(kProductVersion);
        case Source::SlotActive:
            return TariffEnabledFlags[slot] == 1;
        case Source::SlotTicked:
            return TariffCheckFlags[slot] != 0;
        case Source::TariffParam:
            return TariffParams[row][slot];
        case Source::TariffParamList:
            return LinesOf(TariffParams[row], slot, column);
        case Source::StationConst:
            return StalaStTaryf[slot];
        case Source::GroupUnit:
            return TariffGroupUnits[row][slot];
        case Source::GroupUnitList:
            return LinesOf(TariffGroupUnits[row], 0, evaluation::kGroups);
        case Source::JdoplList:
            return LinesOf(TariffJdoplaty, 0, evaluation::kSlots);
        case Source::Checklist: {
            std::vector<std::string> lines;
            for (TPanel *panel : InspectionItemPanels) lines.push_back(Utf8(panel->Caption()));
            return storage::LineList(lines);
        }
        case Source::GroupDates: {
            std::vector<std::string> lines;
            for (size_t k = 0; k < 2; ++k)
                for (const auto &pair : TariffGroupTexts) lines.push_back(Utf8(pair[k]));
            return storage::LineList(lines);
        }
        case Source::MaxSurcharges:
            return LinesOf(GroupMaxSurcharge, 0, GroupMaxSurcharge.size());
        case Source::TimeCounter:
            return CounterStore[evaluation::kTimeTest][row][column][slot];
        case Source::DistanceCounter:
            return CounterStore[evaluation::kDistanceTest][row][column][slot];
        case Source::ResultNominal:
            return FareRowStore[column == 0 ? evaluation::kTimeNom : evaluation::kDistanceNom][slot][row];
        case Source::ResultUnits:
            return FareGridStore[column][evaluation::kUnits][slot][row];
        case Source::KeptCount:
            return std::to_string(LicznikiKeep[row]);
        case Source::KeptCountList:
            return storage::LineList({std::to_string(LicznikiKeep[row])});
        case Source::SlotFactor:
            return storage::Thousandths(SlotFactor[slot]);
        case Source::SlotDeviceByte:
            return int32_t{SlotDeviceByte[slot]};
        case Source::RegimeZT:
            return int32_t{ApprovalRegime == 0};
        case Source::SaveYear:
            return moment.year;
        case Source::SaveMonth:
            return moment.month;
        case Source::SaveDay:
            return moment.day;
        case Source::GroupFlagsZero: {
            int32_t mask = 0;
            for (int g = 0; g < evaluation::kGroups; ++g)
                mask |= Bit(TariffGroupFlag[static_cast<size_t>(g)] == 0, g);
            return mask;
        }
        case Source::ZakresRow:
            return (fieldSpec.row == storage::kZakres ? ZakresTexts : WymaganiaTexts).ShownRow;
        case Source::ProtocolDates:
            return ProtocolDates();
        case Source::ZmianaData:
            return ChangeProcedureValue(fieldSpec);
        case Source::KeptCourses:
            return KeptCoursesText();
    }
    return std::nullopt;
}

storage::JobRecord TForm1::CollectJob() const {
    const bool change = ChangeProcedureOn();
    const auto applies = [&](When when) {
        switch (when) {
            case When::Always:
                return true;
            case When::NotChange:
                return !change;
            case When::NotChangeNovitius:
                return !change && MeterFamily == 0;
            case When::NotChangeOwn:
                return !change && MeterFamily == 1;
            case When::Change:
                return change;
            case When::Never:
                return false;
        }
        return false;
    };
    SaveMoment moment;
    const TDateTime today = Date();
    moment.dateText = DateToStr(today);
    DecodeDate(today, moment.year, moment.month, moment.day);

    storage::JobRecord job;
    for (int t = 0; t < storage::kJobTableCount; ++t)
        for (const FieldSpec &fieldSpec : storage::LayoutOf(t)) {
            if (!applies(fieldSpec.when)) continue;
            if (std::optional<FieldValue> value = JobFieldValue(fieldSpec, moment))
                job[static_cast<size_t>(t)][fieldSpec.field] = std::move(*value);
        }
    return job;
}

std::vector<storage::DictionaryEntry> TForm1::CollectDictionary() const {
    std::vector<storage::DictionaryEntry> entries;
    for (int n = 0; n < 6; ++n) {
        entries.push_back({storage::kDeviceField, Utf8(Memo8->Lines().StringOrEmpty(n))});
        entries.push_back({storage::kSealField, Utf8(Memo9->Lines().StringOrEmpty(n))});
    }
    entries.push_back(
        {storage::kPersonField, Utf8(Edit10->Text()), storage::kPositionField, Utf8(Edit9->Text())});
    entries.push_back({storage::kManufacturerField, Utf8(Memo3->Text())});
    entries.push_back({storage::kPlaceField, Utf8(Memo2->Text())});
    entries.push_back({storage::kApplicantField, Utf8(Memo5->Text())});
    return entries;
}

void TForm1::write_gen_db() {
    storage::SaveJob(TTable::Session(), JobTables(), CollectJob(), CollectDictionary());
}
