// The meter channel's course records in the window: the decoding step of Timer18, the live course
// display of Timer17 and the clearing of the current course column.
#include "app/form1.h"
#include "device/window/readout_texts.h"

namespace {

constexpr int kColumnLines = static_cast<int>(decoders::kKursLines);
const QString kLineBreak = QStringLiteral("\r\n");

using device_window::DeviceText;
QChar Latin1(char c) { return QChar::fromLatin1(c); }

// The current course column with "---" on each of its lines.
QString EmptyColumn() {
    QStringList lines;
    for (int line = 0; line < kColumnLines; ++line) lines << QStringLiteral("---");
    return lines.join(kLineBreak);
}

// The newest course's tariff group and unit counts, as the course store holds them, into the
// counts annex C prints; a count the meter has not given (-1) is the annex's "not given".
void TakeCourseCounts(TForm1 &w) {
    w.CourseTariffGroup[0] = w.KursTaryfa == decoders::kNoCourse ? decoders::kNoCourse : w.KursPageSel;
    for (size_t j = 0; j < w.KursUnits.size(); ++j)
        w.CourseTariffUnits[0][j] = static_cast<std::uint32_t>(w.KursUnits[j]);
    w.CourseSurchargeUnits[0] = static_cast<std::uint32_t>(w.KursSurchargeUnits);
}

}  // namespace

void TForm1::Timer18Timer(TObject *) { TimerDecodePacketTIV(); }
void TForm1::Timer17Timer(TObject *) { TimerDisplayDataTIV(); }

void TForm1::ClearMemoData() {
    Label468->SetCaption(EmptyColumn());
    decoders::CourseStore::ClearMemoData();
}

void TForm1::TimerDecodePacketTIV() {
    const std::uint32_t end = TivarRecordRing.WriteIndex;
    while (TivarRecordRing.ReadIndex != end) {
        const decoders::CourseContext context{
            {static_cast<char>(TariffPageCode2[0]), static_cast<char>(TariffPageCode2[1]),
             static_cast<char>(TariffPageCode2[2]), static_cast<char>(TariffPageCode2[3])},
            KlineModeFlags};
        const decoders::CourseRecordResult result = decoders::GetDataTivarTIV(*this, TivarRecordRing.Front(), context);
        TivarRecordRing.Pop();
        if (result.CourseBegun) {
            // The earlier courses move one column to the right; the current one starts empty (the
            // decoder has emptied the store before it took the new course's fields).
            Label470->SetCaption(Label469->Caption());
            Label469->SetCaption(Label468->Caption());
            Label467->SetCaption(Label466->Caption());
            Label466->SetCaption(Label465->Caption());
            Label468->SetCaption(EmptyColumn());
            ShiftCourseCounts();
        }
        if (result.Decoded) TakeCourseCounts(*this);
        if (result.Label465) Label465->SetCaption(DeviceText(*result.Label465));
        if (result.Label471) Label471->SetCaption(DeviceText(*result.Label471));
        if (result.Label471Color) Label471->Font().SetColor(static_cast<TColor>(*result.Label471Color));
    }
    Timer17->SetEnabled(true);
}

void TForm1::TimerDisplayDataTIV() {
    QStringList lines;
    for (int line = 0; line < kColumnLines; ++line) lines << DeviceText(KursData[line]);
    Label468->SetCaption(lines.join(kLineBreak));

    QString heading = Label465->Caption();
    if (heading == QStringLiteral("---")) return;
    heading = heading.section(kLineBreak, 0, 0);
    const bool systemKnown = KursSystem == 'S' || KursSystem == 'D';
    if (KursTaryfa != decoders::kNoCourse) {
        if (KursPageCodes[KursTaryfa & 3] != 0) {
            heading += kLineBreak + QStringLiteral("Taryfa: ") + Latin1(KursPageCodes[(KursTaryfa >> 4) & 3]) +
                       Latin1(static_cast<char>('1' + (KursTaryfa & 3)));
            if (systemKnown) heading += QStringLiteral("/System: ") + Latin1(static_cast<char>(KursSystem));
        }
    } else if (systemKnown) {
        heading += kLineBreak + QStringLiteral("System: ") + Latin1(static_cast<char>(KursSystem));
    }
    Label465->SetCaption(heading);
}
