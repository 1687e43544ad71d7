#include "printing/test_report.h"

#include <vector>

#include "platform/gui/graphic.h"
#include "printing/page_units.h"
#include "printing/unit_page.h"

namespace printing {
namespace {

constexpr unsigned char kRegular = 0, kBold = 1, kBoldRight = 129;
constexpr int kThin = 1, kThick = 2;

const char *const kStages[] = {"badanie dokładności generatora impulsów czasu taksometru",
                               "wyznaczenie błędów wskazań dla okresów czasu,",
                               "wyznaczenie błędów wskazań dla odcinków drogi,",
                               "wyznaczenie błędów wskazań dla obliczenia opłaty,",
                               "badanie właściwości metrologicznych - liczniki sumujące"};

QString YesNo(bool yes) {
    return yes ? QStringLiteral("TAK") : QStringLiteral("NIE");
}

QString Letter(std::uint8_t code) {
    return code == 0 ? QString() : QString(QChar(code));
}

// The five test stages as bulleted lines from y, 0.4 apart.
void Stages(UnitPage &page, double y) {
    for (const char *stage : kStages) {
        page.Text(kRegular, 1.0, y, 9, "-");
        page.Text(kRegular, 1.7, y, 9, stage);
        y += 0.4;
    }
}

void Picture(UnitPage &page, const TGraphic *picture, double left, double top, double right, double bottom) {
    if (picture == nullptr || picture->Empty()) return;
    page.Canvas().StretchDraw({page.Px(left), page.Px(top), page.Px(right), page.Px(bottom)}, *picture);
}

void Header(UnitPage &page, const TestReportData &data) {
    page.Text(kBold, 7.0, 2.0, 11, "PROTOKÓŁ BADAŃ TAKSOMETRU");
    page.Text(kRegular, 1.1, 2.8, 10, ReportDateLine(data.today));
    page.Line(3.3, {{1.1, "Zgłaszający:", kRegular, 10}, {3.0, data.applicant, kBold, 10}});
    page.Line(3.8, {{1.1, "Miejsce sprawdzenia:", kRegular, 10},
                    {4.3, "Stacja Legalizacji Taksometrów, ul. Pomiarowa 7, 00-950 Warszawa", kBold, 10}});
    page.Line(4.3, {{1.1, "Przedmiot sprawdzenia:", kRegular, 10}, {4.6, "taksometr", kBold, 10}});
    page.Line(4.8, {{1.1, "Nazwa lub znak producenta:", kRegular, 10}, {5.3, data.maker, kBold, 10}});
    page.Line(5.3, {{1.1, "Znak fabryczny:", kRegular, 10},
                    {3.7, "TIVAR", kBold, 10},
                    {5.0, "2", kBold, 6},
                    {7.9, "Nr fabryczny:", kRegular, 10},
                    {10.1, data.serialNumber, kBold, 10},
                    {14.0, "Rok produkcji:", kRegular, 10},
                    {16.4, data.productionDate.left(4), kBold, 10}});
    page.Line(5.8, {{1.1, "Nr certyfikaty typu UE:", kRegular, 10},
                    {4.6, data.certificate, kBold, 10},
                    {7.9, "Wersja oprogramowania / suma kontrolna:", kRegular, 10},
                    {14.2, data.software, kBold, 10}});
}

void TariffTable(UnitPage &page, const TestReportData &data, int right) {
    page.Text(kRegular, 1.0, 7.3, 10, "1.");
    page.Text(kRegular, 1.7, 7.3, 10, "UKŁAD TARYF:");
    page.HorizRule(7.8, page.Px(1.0), right, kThick);

    struct Head {
        double x, y, size;
        const char *text;
    };
    static const Head kHeads[] = {
        {8.8, 7.85, 8, "OPŁATA"},      {12.0, 8.0, 6, "PIERWSZY"},   {13.2, 8.0, 6, "PIERWSZY"},
        {14.5, 8.05, 8, "JEDNOSTKA"},  {16.3, 8.05, 8, "JEDNOSTKA"}, {18.4, 8.05, 8, "MAX."},
        {1.7, 8.2, 13, "UKŁAD TARYF"}, {12.05, 8.2, 6, "ODCINEK"},   {13.4, 8.2, 6, "OKRES"},
        {14.6, 8.3, 8, "DOPŁATY"},     {16.3, 8.3, 8, "TARYFOWA"},   {18.1, 8.3, 8, "DOPŁATY"},
        {6.9, 8.35, 8, "POCZĄTKOWA"},  {9.2, 8.35, 8, "za 1 km"},    {10.6, 8.35, 8, "za 1 godz."},
        {12.2, 8.4, 6, "DROGI"},       {13.4, 8.4, 6, "CZASU"},
    };
    Picture(page, data.headPicture, 6.35, 7.95, 6.65, 9.05);
    for (const Head &head : kHeads) page.Text(kRegular, head.x, head.y, head.size, head.text);
    page.HorizRule(8.2, page.Px(6.8), page.Px(11.9), kThin);
    page.HorizRule(8.8, page.Px(6.8), right, kThin);
    static const std::pair<double, const char *> kUnits[] = {{7.7, "[zł]"},  {9.5, "[zł]"}, {10.9, "[zł]"},
                                                             {12.3, "[m]"},  {13.5, "[s]"}, {15.05, "[zł]"},
                                                             {16.9, "[zł]"}, {18.6, "[zł]"}};
    for (const auto &[x, unit] : kUnits) page.Text(kRegular, x, 8.8, 8, unit);
    page.HorizRule(9.2, page.Px(1.0), right, kThick);
    Picture(page, data.sidePicture, 1.2, 11.8, 1.55, 16.5);

    double y = 9.2;
    for (int slot = 0; slot < 16; ++slot) {
        const int group = slot / 4, place = slot % 4;
        static const double kColumns[] = {8.0, 9.8, 11.3, 12.6, 13.8};
        std::vector<RowText> texts{
            {6.3, Letter(data.pageCode[group]) + QString::number(place + 1), kBold, 9}};
        for (int row = 0; row < 5; ++row)
            texts.push_back({kColumns[row], data.tariffParams[row][slot], kBoldRight, 9});
        texts.push_back({15.35, data.surchargeUnit[slot], kBoldRight, 9});
        y = page.Row(y + 0.15, 0.5, texts, page.Px(6.2), page.Px(16.2), kThin);
        if (place != 3) continue;

        // The group's block beside its four slots.
        const double e = y, y0 = e - 2.2, y1 = y0 + 0.56, y2 = y1 + 0.28, y3 = y2 + 0.28, y4 = y3 + 0.28;
        const bool active = data.groupDates[2 * group].left(4) != "2000";
        page.Text(kRegular, 3.3, y0, 8, "UKŁAD TARYF JEST");
        page.Text(kRegular, 3.8, y0 + 0.28, 8, "AKTYWNY:");
        if (active) {
            page.Text(kRegular, 3.7, y1, 8, "od");
            page.Text(kBold, 4.1, y1, 8, data.groupDates[2 * group]);
        } else {
            page.Text(kBold, 4.1, y1, 8, "NIE");
        }
        page.Text(kBold, 2.5, y1 + 0.1, 12, Letter(data.pageCode[group]));
        page.Text(kRegular, 1.9, y1 + 0.1, 12, QString::number(group + 1));
        page.Text(kBoldRight, 17.2, y1 + 0.1, 9, data.tariffUnit[group]);
        page.Text(kBoldRight, 18.9, y1 + 0.1, 9, data.groupMaxSurcharge[group]);
        if (active) {
            page.Text(kRegular, 3.7, y2, 8, "do");
            page.Text(kBold, 4.1, y2, 8, data.groupDates[2 * group + 1]);
        }
        page.Text(kRegular, 3.4, y3, 8, "Odc. pocz. wł.:");
        page.Text(kBold, 5.2, y3, 8, YesNo(data.initialSegmentFlag[group] != 0));
        page.Text(kRegular, 3.3, y4, 8, "Ilość tar. aktywnych:");
        if (data.groupActiveTariffs[group] < 5)
            page.Text(kBold, 5.75, y4, 8, active ? QString::number(data.groupActiveTariffs[group]) : "0");
        page.HorizRule(e, page.Px(2.3), right, kThick);
        page.HorizRule(e, page.Px(1.7), page.Px(2.3), kThin);
    }

    // The column lines down to the end of the table.
    struct Column {
        double x, top;
        int weight;
    };
    static const Column kColumnLines[] = {{1.0, 7.8, kThick}, {1.7, 9.2, kThick},   {2.3, 9.2, kThick},
                                          {3.0, 9.2, kThin},  {6.2, 7.8, kThick},   {6.8, 7.8, kThick},
                                          {8.9, 8.2, kThin},  {10.4, 8.2, kThin},   {11.9, 7.8, kThick},
                                          {13.1, 7.8, kThin}, {14.35, 7.8, kThick}, {16.2, 7.8, kThick},
                                          {18.0, 7.8, kThick}};
    for (const Column &column : kColumnLines) page.VertRule(page.Px(column.x), column.top, y, column.weight);
    page.VertRule(right, 7.8, y, kThick);
    page.HorizRule(y, page.Px(1.0), right, kThick);
}

}  // namespace

QString ReportDateLine(TDateTime today) {
    int year = 0, month = 0, day = 0;
    DecodeDate(today, year, month, day);
    return QString("Data: %1-%2-%3").arg(year).arg(month, 2, 10, QChar('0')).arg(day, 2, 10, QChar('0'));
}

void DrawTestReportPage1(TCanvas &canvas, int m, const TestReportData &data) {
    UnitPage page(canvas, m, WidenedUnit(m));
    const int right = TruncPixel(21.0L * m - page.Unit());
    Header(page, data);
    TariffTable(page, data, right);

    page.Text(kRegular, 1.0, 20.2, 9, "2.");
    page.Text(kRegular, 1.7, 20.2, 9,
              "PARAMETRY OGÓLNE - USTAWIENIA OBOWIĄZUJĄCE DLA WSZYSTKICH UKŁADÓW TARYF.");
    page.Line(20.6, {{1.9, "TRYB FISKALNY:", kRegular, 8},
                     {5.3, data.fiscalMode, kBold, 8},
                     {6.8, "ZMIANA TARYFY PODCZAS KURSU:", kRegular, 8},
                     {11.7, YesNo(data.optionFlags[1] != 0), kBold, 8},
                     {13.4, "WYBÓR TARYFY W STANIE WOLNY:", kRegular, 8},
                     {18.4, YesNo(data.optionFlags[0] != 0), kBold, 8}});
    page.Line(21.0, {{1.9, "UDZIELANIE RABATU:", kRegular, 8},
                     {5.3, YesNo(data.discount), kBold, 8},
                     {6.8, "CENA UMOWNA:", kRegular, 8},
                     {11.7, YesNo(data.contractPrice), kBold, 8},
                     {13.4, "TRYB OBLICZANIA OPŁATY:", kRegular, 8},
                     {18.4, data.calculationMode, kBold, 10}});
    page.Line(21.4, {{1.9, "STAŁA \"k\"[imp/km]:", kRegular, 8},
                     {5.3, data.meterConstant, kBold, 8},
                     {6.8, "TARYFA W KASIE:", kRegular, 8},
                     {9.8, data.cashRegisterTariff, kBold, 8}});
    page.Text(kRegular, 1.0, 22.2, 9, "3.");
    page.Text(kRegular, 1.7, 22.2, 9, "Zastosowane stanowisko pomiarowe -");
    page.Text(kBold, 6.8, 22.2, 8, data.station);
    page.Text(kRegular, 1.0, 23.0, 9, "4.");
    page.Text(kRegular, 1.7, 23.0, 9, "Wyniki badań etapów:");
    page.Text(kRegular, 1.0, 23.4, 9, "-");
    page.Text(kRegular, 1.7, 23.4, 9, "kontrola wizualna,");
    page.Text(kRegular, 1.0, 23.8, 9, "-");
    page.Text(kRegular, 1.7, 23.8, 9, "kontrola urządzeń zewnętrznych,");
    page.Text(kBold, 1.7, 24.2, 9, "zwykły tryb obliczania S");
    Stages(page, 24.6);
    page.Text(kRegular, 10.0, 28.0, 9, "STRONA 1/2");
}

void DrawTestReportPage2(TCanvas &canvas, int m, const TestReportData &data) {
    UnitPage page(canvas, m, WidenedUnit(m));
    page.Text(kBold, 1.7, 2.0, 9, "zwykły tryb obliczania D");
    Stages(page, 2.4);
    page.Text(kBold, 1.7, 4.4, 9,
              "są wykazane w postaci wydruków ze stanowiska kontrolnego i stanowią załączniki do niniejszego "
              "protokołu.");
    page.Text(kRegular, 1.0, 5.2, 9, "5.");
    page.Text(kRegular, 1.7, 5.2, 9, "Umiejscowienie cech zabezpieczających i oznaczeń.");
    page.Text(kRegular, 1.0, 5.6, 9, "-");
    page.Text(kRegular, 1.7, 5.6, 9,
              "Oznaczenia CE, dodatkowe oznaczenie metrologiczne oraz numer Jednostki Notyfikowanej \"1446\" "
              "umieszczono na:");
    page.Text(kRegular, 1.7, 6.0, 9, "tabliczce na przedniej części obudowy taksometru.");
    page.Text(kRegular, 1.0, 6.4, 9, "-");
    page.Text(kRegular, 1.7, 6.4, 9,
              "Cechy zabezpieczające o wizerunku  „tq”  umieszczono w miejscach: na plombie zatrzaskowej "
              "zabezpieczającej");
    page.Text(kRegular, 1.7, 6.8, 9, "dostęp do śruby dwuczęściowej obudowy taksometru - 1 szt.");
    page.Text(kRegular, 1.0, 7.6, 9, "6.");
    page.Text(kRegular, 1.7, 7.6, 9, "Załączniki:");
    for (int i = 0; i < 3; ++i)
        page.Text(kRegular, 1.7, 8.0 + 0.4 * i, 9, data.annexes[static_cast<size_t>(i)]);
    page.Text(kRegular, 1.0, 9.8, 9, "Wynik badań: pozytywny / negatywny *");
    page.Text(kRegular, 1.0, 13.8, 9, QString(67, '.'));
    page.Text(kRegular, 11.0, 13.8, 9, QString(67, '.'));
    page.Text(kRegular, 2.0, 14.3, 9, "Pomiary wykonał (data, podpis)");
    page.Text(kRegular, 12.0, 14.3, 9, "Pomiary sprawdził (data, podpis)");
    page.Text(kRegular, 1.0, 26.0, 9, "* - niepotrzebne skreślić");
    page.Text(kRegular, 10.0, 28.0, 9, "STRONA 2/2");
}

}  // namespace printing
