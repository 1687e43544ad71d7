// Loading a saved job into the main window: the general data, the family, regime and procedure of
// the job, and the texts every path shows; the tariffs and results are in tariff_loading.cpp.
#include "app/form1.h"
#include "app/scoped_flag.h"
#include "device/kline_dispatch.h"
#include "platform/runtime/datetime.h"
#include "storage/field_values.h"
#include "tariffchange/change_job_fields.h"

using storage::LoadedJob;

namespace {

const QString kNone = QStringLiteral("---");

QString Q(const std::string &utf8) {
    return QString::fromStdString(utf8);
}

// One part of the stored tyre size, which the save cut to its width and padded with blanks: the
// blanks go, and a part that held "---" (no value) shows "---" again, not the dashes that fitted.
QString TyrePart(const QString &plate, int at, int length) {
    QString part = plate.mid(at, length);
    while (part.endsWith(QLatin1Char(' '))) part.chop(1);
    if (part == kNone.left(length)) return kNone;
    return part;
}

// Closes the table however the operation ends.
struct TableClosed {
    TTable &table;
    ~TableClosed() { table.Close(); }
};

}  // namespace

storage::JobTables TForm1::JobTables() const {
    storage::JobTables tables{};
    const auto objects = TableObjects();
    for (size_t t = 0; t < tables.size(); ++t) tables[t] = &objects[t]->Table();
    return tables;
}

void TForm1::ReadRec(int recNo) {
    RadioButton2->SetChecked(true);
    Panel162->SetColor(clInactiveCaptionText);
    Legalizacja(1);
    Panel162->SetColor(clInactiveCaptionText);
    Panel162->Font().SetColor(clWhite);
    TestedTariffNames.fill(QString());  // the loaded job's own results mark its tested tariffs
    Edit8->SetText(QString());

    const LoadedJob job = storage::ReadJob(JobTables(), recNo);
    Panel13->Font().SetColor(clBlack);

    Panel118->SetColor(clBtnShadow);
    if (Panel409->Color() == clBlack) {  // the distances relative to k shown: the nominal values back first
        WstawWyniki(1);
        Panel409->SetColor(clWhite);
    }

    CalcRelativeToK = job.Integer(storage::kAddInt64, 55) != 0 ? 1 : 0;
    DistanceTestDone = job.Integer(storage::kAddInt64, 37) == 1 ? 1 : 0;
    CzasX10 = job.Integer(storage::kAddInt64, 38) == 1 ? 1 : 0;
    for (int s = 0; s < evaluation::kSlots; ++s)
        SlotDeviceByte[static_cast<size_t>(s)] =
            static_cast<uint8_t>(job.Integer(storage::kAddInt64, 39 + s));
    RecordSaveDate = {job.Integer(storage::kAddInt64, 20), job.Integer(storage::kAddInt64, 21),
                      job.Integer(storage::kAddInt64, 22)};
    const std::string codes = job.Text(storage::kGenData, 2);
    for (size_t i = 0; i < TariffPageCode.size(); ++i)
        TariffPageCode[i] = i < codes.size() ? static_cast<uint8_t>(codes[i]) : 0;

    const bool changeJob = job.Integer(storage::kGenData2, 44) == 1;
    SetJobFamilyAndRegime(job, changeJob);
    LoadGeneralData(job);
    if (job.Integer(storage::kGenData2, 44) != 0)
        LoadChangeProcedureJob(job);
    else
        LoadNormalJob(job);

    MeterDateText = Q(job.Text(storage::kLegZU, 20));
    if (MeterDateText.isEmpty()) MeterDateText = Q(DateToStr(Date()) + "/" + TimeToStr(Time()));
    const std::vector<std::string> dates = job.Lines(storage::kLegZU, 19);
    Edit483->SetText(Q(storage::LineOf(dates, 0)));
    Edit484->SetText(Q(storage::LineOf(dates, 1)));
    Edit485->SetText(Q(storage::LineOf(dates, 2)));
    ShowKeptCourses(job.Text(storage::kGenData2, 2));
    if (CalcRelativeToK == 1) FillRelativeToK();
    ShowLegalBasisText(*Table11, ZakresTexts, job.Integer(storage::kAddInt64, 57), Memo10);
    ShowLegalBasisText(*Table12, WymaganiaTexts, job.Integer(storage::kAddInt64, 56), Memo22);
    Memo1->SetText(Q(job.Text(storage::kGenData, 29)));
}

// A job of the change procedure switches it on and shows the job's family; any other job switches
// it off and shows its family and regime. The family preset runs in full even when the family is
// already shown, in either regime: an own-family ZT job stays in its family, so that its per-slot
// initial fees, units and surcharge units come back and its tests evaluate as they did when it was
// saved, and a NOVITIUS job never keeps the tariff screen of an own-family job shown before it.
void TForm1::SetJobFamilyAndRegime(const LoadedJob &job, bool changeJob) {
    const auto forceFamily = [this] {
        if (MeterFamily == 0) {
            MeterFamily = 1;
            SetTaxiNovitius();
        } else {
            MeterFamily = 0;
            SetTaxiTivar();
            SetPageTivar();
        }
    };
    const auto family = static_cast<uint8_t>(job.Integer(storage::kGenData, 44));
    if (changeJob) {
        MeterFamily = family;
        forceFamily();
        if (!Lit(Panel342)) ZmianaUkladow(1);
        SetLit(Panel342, true);
        return;
    }
    if (Lit(Panel342)) ZmianaUkladow(0);
    SetLit(Panel342, false);
    MeterFamily = family;
    ApprovalRegime = job.Integer(storage::kAddInt64, 19) == 0 ? 1 : 0;
    forceFamily();
    SetPaneleTaryf(MeterFamily, 0, 1);
    SetTaksometr(ApprovalRegime == 0);
}

void TForm1::LoadGeneralData(const LoadedJob &job) {
    using storage::kGenData;
    const auto show = [&job](TControl *control, int table, int field) {
        const QString text = Q(job.Text(table, field));
        if (auto *memo = dynamic_cast<TMemo *>(control))
            memo->SetText(text);
        else
            static_cast<TEdit *>(control)->SetText(text);
    };
    const std::vector<std::string> heading = job.Lines(kGenData, 1);
    Edit473->SetText(Q(storage::LineOf(heading, 0)));
    Memo4->Lines().Clear();
    Memo4->Lines().Add(Q(storage::LineOf(heading, 1)));
    Memo4->Lines().Add(Q(storage::LineOf(heading, 2)));
    Edit482->SetText(Q(storage::LineOf(heading, 3)));
    show(Edit486, storage::kGenData2, 1);
    for (const auto &[edit, field] :
         {std::pair{Edit35, 26}, {Edit102, 3}, {Edit23, 4}, {Edit20, 6}, {Edit21, 7}})
        show(edit, kGenData, field);
    TrybFiskalny = Q(job.Text(storage::kGenData2, 7));
    for (const auto &[edit, field] : {std::pair{Edit22, 35}, {Edit24, 9}, {Edit107, 10}, {Edit109, 11}})
        show(edit, kGenData, field);
    const std::string tillTariff = job.Text(kGenData, 12);
    Edit25->SetText(tillTariff == "0" ? QStringLiteral("OSTATNIA AKTYWNA") : Q(tillTariff));
    show(Memo3, kGenData, 13);
    show(Edit110, kGenData, 15);
    NrBoczny = Q(job.Text(kGenData, 14));
    const QString plate = Q(job.Text(kGenData, 16));
    Edit111->SetText(TyrePart(plate, 0, 3));
    Edit457->SetText(TyrePart(plate, 3, 2));
    Edit458->SetText(TyrePart(plate, 5, 3));
    show(Edit108, kGenData, 17);
    show(Edit7, kGenData, 18);
    Panel28->SetColor(job.Boolean(kGenData, 19) ? clBlack : clWhite);
    Panel29->SetColor(job.Boolean(kGenData, 20) ? clBlack : clWhite);
    const std::pair<TControl *, int> texts[] = {
        {Memo5, 21},   {Edit27, 33}, {Edit28, 23}, {Edit29, 24}, {Edit9, 27},  {Edit10, 28}, {Edit437, 32},
        {Edit434, 34}, {Edit38, 36}, {Memo2, 238}, {Memo8, 239}, {Memo9, 240}, {Memo13, 39}};
    for (const auto &[control, field] : texts) {
        if (field == 238) Label155->SetCaption(Q(job.Text(kGenData, 243)));
        show(control, kGenData, field);
    }
    // The job description too, so that saving the loaded job again keeps it.
    show(Edit11, kGenData, 31);
    // The mark and device edits from the job's own lines: each edit's writer empties its memo while
    // a job loads, so the memos get the job's lines back afterwards and saving it again keeps them.
    const std::pair<const std::array<TEdit *, 6> *, int> lists[] = {
        {&MarkNameEdits, 240}, {&MarkCountEdits, 39}, {&ExtraDeviceEdits, 239}};
    {
        const ScopedFlag loading(MarksLoading);
        for (int i = 0; i < 6; ++i)
            for (const auto &[edits, field] : lists) {
                const std::vector<std::string> lines = job.Lines(kGenData, field);
                (*edits)[static_cast<size_t>(i)]->SetText(
                    static_cast<size_t>(i) < lines.size() ? Q(lines[static_cast<size_t>(i)]) : kNone);
            }
    }
    for (const auto &[memo, field] : {std::pair{Memo9, 240}, {Memo13, 39}, {Memo8, 239}})
        show(memo, kGenData, field);
    show(Edit14, kGenData, 37);
    show(Edit15, kGenData, 38);
    LayoutChangeTestMask = static_cast<uint32_t>(job.Integer(kGenData, 45));
    Edit12->SetText(job.Integer(kGenData, 41) == 0 ? QStringLiteral("S") : QStringLiteral("D"));
    SetWnioskodawce(job.Integer(kGenData, 46));
}

// The layout-change answers, protocol texts and totalisers of a job saved in the change procedure.
void TForm1::LoadChangeProcedureJob(const LoadedJob &job) {
    for (int field = tariffchange::kFirstLayoutField; field <= tariffchange::kLastLayoutField; ++field)
        tariffchange::LoadLayoutFieldLines(*this, field, job.Lines(storage::kLegZU, field));
    for (int field : {tariffchange::kSegmentMaskField, tariffchange::kEnabledBeforeField,
                      tariffchange::kEnabledAfterField})
        tariffchange::LoadLayoutMask(*this, field, job.Integer(storage::kAddInt64, field));
    const std::vector<std::string> protocol = job.Lines(storage::kLegZU, 17);
    for (int i = 0; i < 10; ++i)
        Named<TEdit>("Edit" + std::to_string(498 + i))
            ->SetText(Q(storage::LineOf(protocol, static_cast<size_t>(i))));
    const std::vector<std::string> totals = job.Lines(storage::kLegZU, 18);
    for (int i = 0; i < 7; ++i)
        Named<TEdit>("Edit" + std::to_string(518 + i))
            ->SetText(Q(storage::LineOf(totals, static_cast<size_t>(i))));
    for (size_t b = 0; b < LayoutPageCodes.size(); ++b)
        LayoutPageCodes[b] = static_cast<uint8_t>(job.Integer(storage::kAddInt64, 26 + static_cast<int>(b)));
    const int32_t answers = job.Integer(storage::kAddInt64, 34);
    for (int k = 0; k < 16; ++k) {
        const bool set = (answers >> k & 1) != 0;
        ButtonPanels[static_cast<size_t>(39 + k)]->SetCaption(set == (k < 13) ? QStringLiteral("TAK")
                                                                              : QStringLiteral("NIE"));
    }
    ChangedTariffsMask = static_cast<uint8_t>(job.Integer(storage::kAddInt64, 35));
    Edit8->SetText(QString::fromStdString(device::GetChangeTar(static_cast<uint8_t>(ChangedTariffsMask))));
    ZmianaView = 1;
    Label423->SetCaption(QStringLiteral("Po zmianie"));
    SetCenterPositionHorizontal(Label423, Panel343);
    CopyEditBufZmiana(false);
}

// The text of row `row` of a legal-basis table (0 gives the first row) into `memo`, which then
// shows that row of the set; a row beyond the table leaves the memo as it is.
void TForm1::ShowLegalBasisText(TTable &table, storage::ZakresRecord &record, int32_t row, TMemo *memo) {
    const TableClosed closer{table};
    table.Open();
    if (row < 0 || row > table.RecordCount() || table.RecordCount() == 0) return;
    record.ShownRow = row == 0 ? 1 : row;
    table.SetRecNo(record.ShownRow);
    memo->SetText(table.FieldText(2) + table.FieldText(3) + table.FieldText(4));
}
