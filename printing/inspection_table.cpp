#include "printing/inspection_table.h"

#include <algorithm>

#include "printing/page_lines.h"
#include "printing/page_units.h"

namespace printing {
namespace {

struct Item {
    const char *text;  // "+" stands for the next checklist mark
    double x;          // from the left margin plus 0.1 units
    double dy;         // the next item stands 0.5 + dy lower
};

// The one-page form: the heading, then the points "pkt 1" to "pkt 13" with their questions,
// sub-letters and marks. Index sets below refer to positions in this list.
const Item kItems[] = {
    {"Załącznik A", 0.0, -0.5},                                                                     // 0
    {"Oględziny zewnętrzne i sprawdzenie działania taksometru. ", 2.2, 0.0},                        // 1
    {"Taksometr: Oznaczenie typu", 0.0, -0.5},                                                      // 2
    {"", 4.2, -0.5},                                                                                // 3
    {"Numer fabryczny", 9.0, -0.5},                                                                 // 4
    {"", 11.5, 0.0},                                                                                // 5
    {"Spełnia (+)", 17.2, -0.1},                                                                    // 6
    {"nie spełnia (-)", 17.1, -0.1},                                                                // 7
    {"nie dotyczy (ND)", 16.9, -0.5},                                                               // 8
    {"UWAGI", 14.4, -0.1},                                                                          // 9
    {"Wymagania i zakres sprawdzeń zgodnie z § 26 rozporządzenia Ministra Gospodarki", 0.2, -0.1},  // 10
    {"z dnia 27 grudnia 2007 r. (Dz. U. z 2019 r. poz. 1173)", 0.2, -0.1},                          // 11
    {"", 0.0, -0.5},                                                                                // 12
    {"", 0.0, -0.1},                                                                                // 13
    {"Czy na taksometrze znajdują się wymagane oznaczenia:", 2.2, -0.1},                            // 14
    {"1) nazwa lub znak producenta,", 2.2, -0.1},                                                   // 15
    {"2) oznakowanie CE i następujące po nim dodatkowe oznakowanie", 2.2, -0.1},                    // 16
    {"    metrologiczne, numer jednostki notyfikowanej,", 2.2, -0.1},                               // 17
    {"3) jednostka miary lub jej oznaczenie,", 2.2, -0.1},                                          // 18
    {"4) numer certyfikatu badania typu WE", 2.2, -0.1},                                            // 19
    {"    albo certyfikatu badania projektu UE.", 2.2, -0.4},                                       // 20
    {"", 2.2, -0.5},                                                                                // 21
    {"pkt 1", 0.4, -0.5},                                                                           // 22
    {"+", 17.9, 0.0},                                                                               // 23
    {"", 2.2, -0.5},                                                                                // 24
    {"", 2.2, -0.5},                                                                                // 25
    {"", 2.2, -0.5},                                                                                // 26
    {"", 2.2, -0.5},                                                                                // 27
    {"", 0.0, -0.5},                                                                                // 28
    {"", 0.0, -0.5},                                                                                // 29
    {"Czy wszelkie oznakowania i napisy są wyraźnie widoczne    lub łatwo dostępne,", 2.2, -0.4},   // 30
    {"pkt 2", 0.4, -0.5},                                                                           // 31
    {"+", 17.9, -0.1},                                                                              // 32
    {"trwałe, jednoznaczne i niemożliwe do przeniesienia na inny obiekt.", 2.2, 0.0},               // 33
    {"", 0.0, -0.5},                                                                                // 34
    {"", 0.0, -0.5},                                                                                // 35
    {"", 0.0, -0.5},                                                                                // 36
    {"Czy wszystkie wyświetlane dla pasażera wartości są możliwe do właściwego", 2.2, -0.4},        // 37
    {"pkt 3", 0.4, -0.5},                                                                           // 38
    {"+", 17.9, -0.1},                                                                              // 39
    {"zidentyfikowania, a ich odczyt i identyfikacja są łatwe w dzień i w nocy.", 2.2, -0.5},       // 40
    {"", 0.0, 0.0},                                                                                 // 41
    {"", 0.0, -0.5},                                                                                // 42
    {"", 0.0, -0.5},                                                                                // 43
    {"", 0.0, -0.5},                                                                                // 44
    {"Czy wskazania taksometru są wyrażone w legalnych jednostkach miary, a ", 2.2, -0.4},          // 45
    {"pkt 4", 0.4, -0.5},                                                                           // 46
    {"+", 17.9, -0.1},                                                                              // 47
    {"jednostki te lub symbole są umieszczone obok odpowiednich wartości", 2.2, -0.1},              // 48
    {"liczbowych (czas: s, min, h; długość: m, km).", 2.2, -0.5},                                   // 49
    {"", 0.0, 0.0},                                                                                 // 50
    {"", 0.0, -0.5},                                                                                // 51
    {"pkt 5", 0.4, -0.5},                                                                           // 52
    {"Czy położenia pracy są rozróżnialne za pomocą następujących wskazań:", 2.2, -0.5},            // 53
    {"", 0.0, 0.0},                                                                                 // 54
    {"a", 0.7, -0.5},                                                                               // 55
    {"+", 17.9, -0.5},                                                                              // 56
    {"WOLNY - położenie pracy, w którym wyłączone jest obliczanie opłaty,", 2.2, -0.5},             // 57
    {"", 0.0, 0.0},                                                                                 // 58
    {"", 0.0, -0.5},                                                                                // 59
    {"b", 0.7, -0.5},                                                                               // 60
    {"+", 17.9, -0.5},                                                                              // 61
    {"TARYFA - położenie pracy, w którym ma miejsce obliczanie opłaty", 2.2, -0.1},                 // 62
    {"na podstawie opłaty początkowej i taryfy za drogę lub czas kursu,", 2.2, 0.0},                // 63
    {"", 0.0, -0.5},                                                                                // 64
    {"KASA - położenie pracy, w którym jest wskazywana opłata i wyłączone", 2.2, -0.4},             // 65
    {"", 0.0, -0.5},                                                                                // 66
    {"c", 0.7, -0.5},                                                                               // 67
    {"+", 17.9, -0.1},                                                                              // 68
    {"jest obliczanie opłaty na podstawie czasu trwania kursu.", 2.2, 0.0},                         // 69
    {"", 0.0, -0.5},                                                                                // 70
    {"pkt 6", 0.4, -0.5},                                                                           // 71
    {"Czy taksometr w położeniu pracy:", 2.2, 0.0},                                                 // 72
    {"", 0.0, -0.5},                                                                                // 73
    {"TARYFA - oblicza i wyświetla opłatę wzrastającą skokowo o określoną wartość,", 2.2, -0.5},    // 74
    {"a", 0.7, -0.5},                                                                               // 75
    {"+", 17.9, -0.5},                                                                              // 76
    {"", 0.0, 0.0},                                                                                 // 77
    {"", 0.0, -0.5},                                                                                // 78
    {"b", 0.7, -0.5},                                                                               // 79
    {"+", 17.9, -0.5},                                                                              // 80
    {"KASA - wyświetla wartość opłaty.", 2.2, 0.0},                                                 // 81
    {"", 0.0, -0.5},                                                                                // 82
    {"Czy w przypadku stosowania dopłaty, wprowadzonej ręcznie przez kierowcę, jest", 2.2, -0.4},   // 83
    {"pkt 7", 0.4, -0.5},                                                                           // 84
    {"+", 17.9, -0.1},                                                                              // 85
    {"ona wyłączona z wyświetlanej opłaty oraz czy taksometr może chwilowo", 2.2, -0.1},            // 86
    {"wyświetlać opłatę łącznie z tą wartością dopłaty.", 2.2, 0.0},                                // 87
    {"", 0.0, -0.5},                                                                                // 88
    {"Czy  taksometr ma ustawiony jeden zwykły tryb obliczania", 2.2, -0.1},                        // 89
    {"S - pojedyncze zastosowanie taryfy: opłata za czas poniżej prędkości", 2.2, -0.1},            // 90
    {"granicznej i za drogę powyżej prędkości granicznej, albo", 2.2, -0.1},                        // 91
    {"D - podwójne zastosowanie taryfy: taryfa za czas i taryfa za drogę", 2.2, -0.4},              // 92
    {"pkt 8", 0.4, -0.5},                                                                           // 93
    {"+", 17.9, -0.1},                                                                              // 94
    {"stosowane jednocześnie w ciągu całego kursu,", 2.2, -0.1},                                    // 95
    {"a wybranie jednego z tych trybów jest możliwe poprzez", 2.2, -0.1},                           // 96
    {"odpowiednie ustawienie podlegające zabezpieczeniu.", 2.2, -0.5},                              // 97
    {"", 0.0, 0.0},                                                                                 // 98
    {"", 0.0, -0.5},                                                                                // 99
    {"Czy taksometr jest właściwie przygotowany do nałożenia cech zabezpieczających ", 2.2, -0.4},  // 100
    {"pkt 9", 0.4, -0.5},                                                                           // 101
    {"+", 17.9, -0.1},                                                                              // 102
    {"w miejscach określonych w certyfikacie badania typu WE lub UE albo", 2.2, -0.1},              // 103
    {"w certyfikacie badania projektu WE lub UE.", 2.2, 0.0},                                       // 104
    {"", 0.0, -0.5},                                                                                // 105
    {"Czy istotne dla charakterystyk metrologicznych oprogramowanie jest", 2.2, -0.4},              // 106
    {"pkt 10", 0.4, -0.5},                                                                          // 107
    {"+", 17.9, -0.1},                                                                              // 108
    {"identyfikowane przez taksometr.", 2.2, 0.0},                                                  // 109
    {"", 0.0, -0.5},                                                                                // 110
    {"Czy taksometr zapewnia przekazywanie przez właściwie zabezpieczony interfejs ", 2.2, -0.1},   // 111
    {"lub interfejsy następujących informacji i danych:", 2.2, -0.1},                               // 112
    {"1) informacji o położeniu pracy - WOLNY, TARYFA lub KASA,", 2.2, -0.1},                       // 113
    {"2) danych liczników sumujących,", 2.2, -0.1},                                                 // 114
    {"3) informacji ogólnych: stała k, data zabezpieczenia, symbol taksówki,", 2.2, -0.4},          // 115
    {"pkt 11", 0.4, -0.5},                                                                          // 116
    {"+", 17.9, -0.1},                                                                              // 117
    {"    czas rzeczywisty, dane identyfikujące taryfę,", 2.2, -0.1},                               // 118
    {"4) informacji o opłacie za kurs: opłata całkowita, obliczenie opłaty,", 2.2, -0.1},           // 119
    {"    dopłata, data, czas początkowy i końcowy kursu, przebyta droga,", 2.2, -0.1},             // 120
    {"5) informacji o parametrach taryfy (lub taryf).", 2.2, -0.5},                                 // 121
    {"", 0.0, -0.5},                                                                                // 122
    {"", 0.0, 0.0},                                                                                 // 123
    {"", 0.0, -0.5},                                                                                // 124
    {"pkt 12", 0.4, -0.5},                                                                          // 125
    {"Czy w przypadku podłączenia do interfejsu lub interfejsów taksometru innych urządzeń:", 2.2,
     0.0},                                                                                      // 126
    {"", 0.0, -0.5},                                                                            // 127
    {"a", 0.7, -0.5},                                                                           // 128
    {"+", 17.9, -0.5},                                                                          // 129
    {"nie zakłócają one jego działania,", 2.2, 0.0},                                            // 130
    {"", 0.0, -0.5},                                                                            // 131
    {"istnieje możliwość, aby praca taksometru była automatycznie blokowana", 2.2, -0.4},       // 132
    {"b", 0.7, -0.5},                                                                           // 133
    {"+", 17.9, -0.1},                                                                          // 134
    {"w przypadku, gdy nie ma tego urządzenia lub gdy działa ono nieprawidłowo.", 2.2, 0.0},    // 135
    {"", 0.0, -0.5},                                                                            // 136
    {"Czy wskazanie zegara czasu rzeczywistego taksometru nie różni się od czasu", 2.2, -0.4},  // 137
    {"pkt 13", 0.4, -0.5},                                                                      // 138
    {"+", 17.9, -0.1},                                                                          // 139
    {"urzędowego więcej niż o 2 minuty i data wskazana na taksometrze nie różni", 2.2, -0.1},   // 140
    {"się od daty rzeczywistej.", 2.2, 0.0},                                                    // 141
    {"", 0.0, -0.5},                                                                            // 142
};
static_assert(std::size(kItems) == 143);

constexpr int kBold[] = {1,  3,  5,  6,  8,  9,  10, 12,  19,  22,  31,  38,  46,  52, 55,
                         60, 67, 71, 75, 79, 84, 93, 101, 107, 116, 125, 128, 133, 138};
constexpr int kItalic[] = {16, 21,  25,  27,  50,  90,  91,  92,  95,  96, 97,
                           98, 113, 114, 115, 118, 119, 120, 121, 122, 123};
constexpr int kMarkCells[] = {23, 32, 39,  47,  56,  61,  68,  76, 80,
                              85, 94, 102, 108, 117, 129, 134, 139};  // x 1.5
constexpr int kLabels[] = {1,  9,  22, 31, 38,  46,  52,  55,  60,  67,  71,
                           75, 79, 84, 93, 101, 107, 116, 125, 128, 133, 138};  // x 1.4
constexpr int kHeadingLegend[] = {7, 11};                                       // x 1.2
constexpr int kRules[] = {6,  14, 28, 34, 42,  51,  55,  59,  64,  70, 73,
                          78, 82, 88, 99, 105, 110, 124, 127, 131, 136};
constexpr int kRunEnds[] = {51, 70, 124, 142};
constexpr int kRunStarts[] = {6, 55, 73, 127};
constexpr int kLast = 142;
constexpr int kFirstQuestion = 14;
constexpr double kMargin = 0.8;

template <size_t N>
bool In(const int (&set)[N], int index) {
    return std::find(std::begin(set), std::end(set), index) != std::end(set);
}

}  // namespace

void DrawInspectionTable(TCanvas &canvas, int m, const InspectionTableData &data) {
    const int u = m;
    const auto px = [u](long double units) { return ToPixels(units, u); };
    const int left = px(kMargin), right = TruncPixel(21.0L * m - kMargin * u);
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetWidth(m / 50);
    const int baseSize = canvas.Font().Size();
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetName("MS Sans Serif");

    double y = kMargin;
    double tableTop = y, firstQuestion = y, runStart = y;
    size_t mark = 0;
    for (int i = 0; i < static_cast<int>(std::size(kItems)); ++i) {
        const Item &item = kItems[i];
        TFont &font = canvas.Font();
        if (In(kBold, i)) font.SetStyle(fsBold);
        if (In(kItalic, i)) font.SetStyle(fsItalic);
        double size = baseSize;
        if (In(kMarkCells, i)) size *= 1.5;
        if (In(kLabels, i)) size *= 1.4;
        if (In(kHeadingLegend, i)) size *= 1.2;
        font.SetSize(TruncPixel(size));

        if (i == 0) tableTop = y;
        if (i == kFirstQuestion) firstQuestion = y;
        if (In(kRunStarts, i)) runStart = y;

        if (In(kRules, i)) DrawHorizLine(px(y), left, right, canvas);
        if (In(kRunEnds, i)) {
            for (const double x : {14.3, 17.5}) DrawVertLine(px(x), px(runStart), px(y), canvas);
        }
        if (i == kLast) {
            DrawRect(px(tableTop), right, px(y), left, canvas);
            DrawVertLine(px(2.8), px(firstQuestion), px(y), canvas);
        }

        QString text = QString::fromUtf8(item.text);
        if (text == "+") text = mark < data.marks.size() ? data.marks[mark++] : QString();
        const int x = px(kMargin + 0.1 + item.x), top = px(y + 0.1);
        canvas.TextOut(x, top, text);

        if (i == 3) {
            if (data.ownFamily) {
                canvas.TextOut(x, top, " TIVAR ");
                font.SetSize(TruncPixel(baseSize * 0.7));
                canvas.TextOut(px(kMargin + 1.25 + 4.2), top, "2");
                font.SetSize(baseSize);
            } else {
                canvas.TextOut(x, top, " " + data.typeDesignation + " ");
            }
        }
        if (i == 5) canvas.TextOut(x, top, " " + data.serialNumber + " ");

        canvas.Brush().SetStyle(bsClear);
        font.SetStyle(0);
        canvas.Pen().SetColor(clBlack);
        font.SetColor(clBlack);
        font.SetSize(baseSize);
        y += 0.5 + item.dy;
    }
}

}  // namespace printing
