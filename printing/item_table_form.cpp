#include "printing/item_table_form.h"

#include <algorithm>
#include <functional>
#include <span>
#include <vector>

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
// sub-letters and marks. The index sets below refer to positions in this list.
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

// The long form: six spacers and the heads, then per row the check, the requirement and the
// remark line by line, the row's number and its mark on one of its lines; spacers keep the index
// sets below in step.
const Item kRows9To15[] = {
    {"", 0.0, -0.5},                                     // 0
    {"", 0.0, -0.5},                                     // 1
    {"", 0.0, -0.5},                                     // 2
    {"", 0.0, -0.5},                                     // 3
    {"", 0.0, -0.5},                                     // 4
    {"", 0.0, -0.5},                                     // 5
    {"Spełnia (+)", 17.0, -0.5},                         // 6
    {"Zakres sprawdzeń", 0.2, -0.5},                     // 7
    {"Odpowiadające wymaganie", 6.2, -0.5},              // 8
    {"Uwagi", 11.7, -0.5},                               // 9
    {"Nr", 16.0, -0.1},                                  // 10
    {"nie spełnia (-)", 17.0, -0.1},                     // 11
    {"nie dotyczy (ND)", 17.0, 0.0},                     // 12
    {"", 0.0, -0.5},                                     // 13
    {"Sprawdzić, czy", 0.2, -0.5},                       // 14
    {"§ 6. Taksometr powinien realizować", 6.2, -0.5},   // 15
    {"Sprawdzić i ocenić.", 11.7, -0.1},                 // 16
    {"położenia pracy są", 0.2, -0.5},                   // 17
    {"różne funkcje z zakresu swoich", 6.2, -0.1},       // 18
    {"rozróżnialne za pomocą", 0.2, -0.5},               // 19
    {"możliwych działań, które są", 6.2, -0.1},          // 20
    {"następujących wskazań:", 0.2, -0.5},               // 21
    {"rozróżniane za pomocą następujących", 6.2, -0.1},  // 22
    {"a) WOLNY - położenie", 0.2, -0.5},                 // 23
    {"9.", 16.0, -0.5},                                  // 24
    {"+", 18.0, -0.5},                                   // 25
    {"położeń pracy:", 6.2, -0.1},                       // 26
    {"pracy, w którym wyłączone", 0.2, -0.5},            // 27
    {"1) WOLNY - przy którym", 6.2, -0.1},               // 28
    {"jest obliczanie opłaty,", 0.2, -0.5},              // 29
    {"wyłączone jest obliczanie opłaty;", 6.2, 0.0},     // 30
    {"b) TARYFA - ", 0.2, -0.5},                         // 31
    {"2) TARYFA - przy którym", 6.2, -0.5},              // 32
    {"Sprawdzić i ocenić", 11.7, -0.1},                  // 33
    {"położenie pracy, w którym", 0.2, -0.5},            // 34
    {"obliczanie opłaty odbywa się", 6.2, -0.1},         // 35
    {"ma miejsce obliczanie", 0.2, -0.5},                // 36
    {"na podstawie ewentualnej opłaty", 6.2, -0.1},      // 37
    {"opłaty na podstawie", 0.2, -0.5},                  // 38
    {"początkowej oraz taryfy za", 6.2, -0.1},           // 39
    {"+", 18.0, -0.5},                                   // 40
    {"ewentualnej opłaty", 0.2, -0.5},                   // 41
    {"przebytą długość drogi lub", 6.2, -0.5},           // 42
    {"10.", 16.0, -0.1},                                 // 43
    {"początkowej oraz taryfy,", 0.2, -0.5},             // 44
    {"czas trwania kursu;", 6.2, 0.0},                   // 45
    {"", 0.0, -0.5},                                     // 46
    {"", 0.0, -0.5},                                     // 47
    {"", 0.0, -0.5},                                     // 48
    {"", 0.0, -0.5},                                     // 49
    {"", 0.0, -0.5},                                     // 50
    {"", 0.0, -0.5},                                     // 51
    {"", 0.0, -0.5},                                     // 52
    {"c) KASA - położenie", 0.2, -0.5},                  // 53
    {"3) KASA - przy którym jest", 6.2, -0.5},           // 54
    {"Sprawdzić i ocenić.", 11.7, -0.1},                 // 55
    {"pracy, w którym jest", 0.2, -0.5},                 // 56
    {"wskazywana opłata za kurs", 6.2, -0.1},            // 57
    {"wskazywana opłata", 0.2, -0.5},                    // 58
    {"i wyłączone jest co najmniej", 6.2, -0.1},         // 59
    {"+", 18.0, -0.5},                                   // 60
    {"za kurs,", 0.2, -0.5},                             // 61
    {"obliczanie opłaty na podstawie", 6.2, -0.5},       // 62
    {"11.", 16.0, -0.1},                                 // 63
    {"czasu trwania kursu.", 6.2, 0.0},                  // 64
    {"", 0.0, -0.5},                                     // 65
    {"", 0.0, -0.5},                                     // 66
    {"", 0.0, -0.5},                                     // 67
    {"", 0.0, -0.5},                                     // 68
    {"Sprawdzić, czy", 0.2, -0.5},                       // 69
    {"§ 7. W położeniu pracy TARYFA", 6.2, -0.5},        // 70
    {"Sprawdzić i ocenić.", 11.7, -0.1},                 // 71
    {"taksometr w położeniu", 0.2, -0.5},                // 72
    {"taksometr oblicza i wyświetla", 6.2, -0.1},        // 73
    {"pracy:", 0.2, -0.5},                               // 74
    {"opłatę wzrastającą skokowo", 6.2, -0.1},           // 75
    {"+", 18.0, -0.5},                                   // 76
    {"a) TARYFA oblicza i", 0.2, -0.5},                  // 77
    {"o określoną wartość,", 6.2, -0.5},                 // 78
    {"12.", 16.0, -0.1},                                 // 79
    {"wyświetla opłatę,", 0.2, 0.0},                     // 80
    {"", 0.0, -0.5},                                     // 81
    {"", 0.0, -0.5},                                     // 82
    {"", 0.0, -0.5},                                     // 83
    {"", 0.0, -0.5},                                     // 84
    {"", 0.0, -0.5},                                     // 85
    {"b) KASA wyświetla", 0.2, -0.5},                    // 86
    {"§ 7. W położeniu pracy TARYFA", 6.2, -0.5},        // 87
    {"Sprawdzić i ocenić.", 11.7, -0.1},                 // 88
    {"wartość opłaty.", 0.2, -0.5},                      // 89
    {"a w położeniu KASA wyświetla", 6.2, -0.1},         // 90
    {"wartość opłaty za kurs.", 6.2, -0.5},              // 91
    {"", 0.0, -0.5},                                     // 92
    {"+", 18.0, -0.5},                                   // 93
    {"", 0.0, -0.5},                                     // 94
    {"13.", 16.0, 0.0},                                  // 95
    {"", 0.0, -0.5},                                     // 96
    {"", 0.0, -0.5},                                     // 97
    {"", 0.0, -0.5},                                     // 98
    {"Sprawdzić, czy w", 0.2, -0.5},                     // 99
    {"§ 9. Jeżeli taksometr ma", 6.2, -0.5},             // 100
    {"Sprawdzić i ocenić.", 11.7, -0.1},                 // 101
    {"przypadku stosowania", 0.2, -0.5},                 // 102
    {"możliwość stosowania dopłaty,", 6.2, -0.1},        // 103
    {"dopłaty jest ona", 0.2, -0.5},                     // 104
    {"wprowadzanej ręcznie przez", 6.2, -0.1},           // 105
    {"wyłączona z wyświetlanej", 0.2, -0.5},             // 106
    {"kierowcę, jest ona wyłączona", 6.2, -0.1},         // 107
    {"opłaty,", 0.2, -0.5},                              // 108
    {"z wyświetlanej opłaty.", 6.2, -0.5},               // 109
    {"14.", 16.0, -0.5},                                 // 110
    {"+", 18.0, 0.0},                                    // 111
    {"", 0.0, -0.5},                                     // 112
    {"", 0.0, -0.5},                                     // 113
    {"", 0.0, -0.5},                                     // 114
    {"", 0.0, -0.5},                                     // 115
    {"", 0.0, -0.5},                                     // 116
    {"", 0.0, -0.5},                                     // 117
    {"", 0.0, -0.5},                                     // 118
    {"", 0.0, -0.5},                                     // 119
    {"", 0.0, -0.5},                                     // 120
    {"", 0.0, -0.5},                                     // 121
    {"Sprawdzić, czy", 0.2, -0.5},                       // 122
    {"§ 8. 1. Taksometr powinien", 6.2, -0.5},           // 123
    {"Zidentyfikować", 11.7, -0.1},                      // 124
    {"taksometr ma ustawiony", 0.2, -0.5},               // 125
    {"mieć ustawiony jeden zwykły", 6.2, -0.5},          // 126
    {"zaprogramowany", 11.7, -0.1},                      // 127
    {"jeden zwykły tryb", 0.2, -0.5},                    // 128
    {"tryb obliczania:", 6.2, -0.5},                     // 129
    {"tryb pracy", 11.7, -0.1},                          // 130
    {"obliczania,", 0.2, -0.5},                          // 131
    {"1) S - pojedyncze zastosowanie", 6.2, -0.5},       // 132
    {"taksometru.", 11.7, -0.1},                         // 133
    {"15.", 16.0, -0.5},                                 // 134
    {"+", 18.0, -0.5},                                   // 135
    {"taryfy,", 6.2, 0.0},                               // 136
    {"", 0.0, -0.5},                                     // 137
    {"", 0.0, -0.5},                                     // 138
    {"", 0.0, -0.5},                                     // 139
    {"", 0.0, -0.5},                                     // 140
};

const Item kRows16To22[] = {
    {"", 0.0, -0.5},                                     // 0
    {"", 0.0, -0.5},                                     // 1
    {"", 0.0, -0.5},                                     // 2
    {"", 0.0, -0.5},                                     // 3
    {"", 0.0, -0.5},                                     // 4
    {"", 0.0, -0.5},                                     // 5
    {"Spełnia (+)", 17.0, -0.5},                         // 6
    {"Zakres sprawdzeń", 0.2, -0.5},                     // 7
    {"Odpowiadające wymaganie", 6.2, -0.5},              // 8
    {"Uwagi", 11.7, -0.5},                               // 9
    {"Nr", 16.0, -0.1},                                  // 10
    {"nie spełnia (-)", 17.0, -0.1},                     // 11
    {"nie dotyczy (ND)", 17.0, 0.0},                     // 12
    {"2) D - podwójne zastosowanie", 6.2, -0.5},         // 13
    {"", 0.0, -0.5},                                     // 14
    {"", 0.0, -0.5},                                     // 15
    {"16.", 16.0, -0.5},                                 // 16
    {"+", 18.0, -0.1},                                   // 17
    {"taryfy: taryfa za czas i taryfa", 6.2, -0.1},      // 18
    {"za drogę w ciągu całego kursu.", 6.2, 0.0},        // 19
    {"", 0.0, -0.5},                                     // 20
    {"2. Wybranie jednego z powyższych", 6.2, -0.5},     // 21
    {"Dokonać oceny", 11.7, -0.1},                       // 22
    {"trybów powinno być możliwe", 6.2, -0.5},           // 23
    {"miejsc nałożenia", 11.7, -0.1},                    // 24
    {"przez odpowiednie ustawienie", 6.2, -0.5},         // 25
    {"cech", 11.7, -0.5},                                // 26
    {"17.", 16.0, -0.5},                                 // 27
    {"+", 18.0, -0.1},                                   // 28
    {"podlegające zabezpieczeniu.", 6.2, -0.5},          // 29
    {"zabezpieczających.", 11.7, 0.0},                   // 30
    {"", 0.0, -0.5},                                     // 31
    {"Sprawdzić, czy istotne", 0.2, -0.5},               // 32
    {"§ 5. Oprogramowanie istotne dla", 6.2, -0.5},      // 33
    {"Sprawdzić czy", 11.7, -0.1},                       // 34
    {"dla charakterystyk", 0.2, -0.5},                   // 35
    {"charakterystyk metrologicznych", 6.2, -0.5},       // 36
    {"zidentyfikowane", 11.7, -0.1},                     // 37
    {"metrologicznych", 0.2, -0.5},                      // 38
    {"powinno być identyfikowane", 6.2, -0.5},           // 39
    {"oprogramowanie", 11.7, -0.1},                      // 40
    {"oprogramowanie jest", 0.2, -0.5},                  // 41
    {"przez taksometr.", 6.2, -0.5},                     // 42
    {"jest zgodne", 11.7, -0.1},                         // 43
    {"identyfikowane.", 0.2, -0.5},                      // 44
    {"z certyfikatem.", 11.7, -0.5},                     // 45
    {"", 0.0, -0.5},                                     // 46
    {"18.", 16.0, -0.5},                                 // 47
    {"+", 18.0, 0.0},                                    // 48
    {"", 0.0, -0.5},                                     // 49
    {"", 0.0, -0.5},                                     // 50
    {"", 0.0, -0.5},                                     // 51
    {"", 0.0, -0.5},                                     // 52
    {"", 0.0, -0.5},                                     // 53
    {"", 0.0, -0.5},                                     // 54
    {"", 0.0, -0.5},                                     // 55
    {"", 0.0, -0.5},                                     // 56
    {"", 0.0, -0.5},                                     // 57
    {"", 0.0, -0.5},                                     // 58
    {"Sprawdzić, czy", 0.2, -0.5},                       // 59
    {"§ 10. 1. Taksometr powinien", 6.2, -0.5},          // 60
    {"Prawidłowy wydruk", 11.7, -0.1},                   // 61
    {"taksometr zapewnia", 0.2, -0.5},                   // 62
    {"zapewniać przekazywanie przez", 6.2, -0.5},        // 63
    {"lub odczyt danych", 11.7, -0.1},                   // 64
    {"przekazywanie przez", 0.2, -0.5},                  // 65
    {"właściwie zabezpieczony interfejs", 6.2, -0.5},    // 66
    {"z interfejsu.", 11.7, -0.1},                       // 67
    {"zabezpieczony interfejs", 0.2, -0.5},              // 68
    {"informacji i danych:", 6.2, -0.1},                 // 69
    {"informacji i danych:", 0.2, -0.5},                 // 70
    {"19.", 16.0, -0.5},                                 // 71
    {"+", 18.0, -0.5},                                   // 72
    {"1) informacji o położeniu pracy -", 6.2, -0.1},    // 73
    {"WOLNY, TARYFA lub KASA,", 6.2, 0.0},               // 74
    {"", 0.0, -0.5},                                     // 75
    {"", 0.0, -0.5},                                     // 76
    {"", 0.0, -0.5},                                     // 77
    {"", 0.0, -0.5},                                     // 78
    {"2) danych liczników sumujących,", 6.2, -0.1},      // 79
    {"3) informacji ogólnych o: stałej", 6.2, -0.1},     // 80
    {"\"k\", dacie zabezpieczenia,", 6.2, -0.5},         // 81
    {"", 0.0, -0.5},                                     // 82
    {"", 0.0, -0.5},                                     // 83
    {"", 0.0, -0.5},                                     // 84
    {"", 0.0, -0.5},                                     // 85
    {"", 0.0, -0.5},                                     // 86
    {"", 0.0, -0.5},                                     // 87
    {"", 0.0, -0.5},                                     // 88
    {"", 0.0, -0.5},                                     // 89
    {"", 0.0, -0.5},                                     // 90
    {"20.", 16.0, -0.5},                                 // 91
    {"+", 18.0, -0.1},                                   // 92
    {"symbolu taksówki, czasie", 6.2, -0.1},             // 93
    {"rzeczywistym i taryfie,", 6.2, 0.0},               // 94
    {"", 0.0, -0.5},                                     // 95
    {"", 0.0, -0.5},                                     // 96
    {"", 0.0, -0.5},                                     // 97
    {"", 0.0, -0.5},                                     // 98
    {"", 0.0, -0.5},                                     // 99
    {"", 0.0, -0.5},                                     // 100
    {"", 0.0, -0.5},                                     // 101
    {"4) informacji o opłacie za kurs:", 6.2, -0.5},     // 102
    {"", 0.0, -0.5},                                     // 103
    {"", 0.0, -0.5},                                     // 104
    {"", 0.0, -0.5},                                     // 105
    {"21.", 16.0, -0.5},                                 // 106
    {"+", 18.0, -0.1},                                   // 107
    {"opłacie całkowitej i dopłacie,", 6.2, 0.0},        // 108
    {"", 0.0, -0.5},                                     // 109
    {"5) informacji o parametrach taryfy ", 6.2, -0.5},  // 110
    {"", 0.0, -0.5},                                     // 111
    {"+", 18.0, -0.5},                                   // 112
    {"22.", 16.0, 0.0},                                  // 113
    {"", 0.0, -0.5},                                     // 114
    {"", 0.0, -0.5},                                     // 115
    {"", 0.0, -0.5},                                     // 116
    {"", 0.0, -0.5},                                     // 117
    {"", 0.0, -0.5},                                     // 118
    {"", 0.0, -0.5},                                     // 119
    {"", 0.0, -0.5},                                     // 120
    {"", 0.0, -0.5},                                     // 121
    {"", 0.0, -0.5},                                     // 122
    {"", 0.0, -0.5},                                     // 123
};

const Item kRows23To24[] = {
    {"", 0.0, -0.5},                                  // 0
    {"", 0.0, -0.5},                                  // 1
    {"", 0.0, -0.5},                                  // 2
    {"", 0.0, -0.5},                                  // 3
    {"", 0.0, -0.5},                                  // 4
    {"", 0.0, -0.5},                                  // 5
    {"Spełnia (+)", 17.0, -0.5},                      // 6
    {"Zakres sprawdzeń", 0.2, -0.5},                  // 7
    {"Odpowiadające wymaganie", 6.2, -0.5},           // 8
    {"Uwagi", 11.7, -0.5},                            // 9
    {"Nr", 16.0, -0.1},                               // 10
    {"nie spełnia (-)", 17.0, -0.1},                  // 11
    {"nie dotyczy (ND)", 17.0, 0.0},                  // 12
    {"Sprawdzić, czy w", 0.2, -0.5},                  // 13
    {"§ 10.2. Jeżeli do interfejsu lub", 6.2, -0.5},  // 14
    {"Podczas całego", 11.7, -0.1},                   // 15
    {"przypadku podłączenia", 0.2, -0.5},             // 16
    {"interfejsów taksometru są", 6.2, -0.5},         // 17
    {"sprawdzenia", 11.7, -0.1},                      // 18
    {"innych urządzeń:", 0.2, -0.5},                  // 19
    {"podłączone inne urządzenia,", 6.2, -0.5},       // 20
    {"obserwować pracę", 11.7, -0.1},                 // 21
    {"23.", 16.0, -0.5},                              // 22
    {"+", 18.0, -0.5},                                // 23
    {"a) nie zakłócają one jego", 0.2, -0.5},         // 24
    {"to nie powinny one zakłócać", 6.2, -0.5},       // 25
    {"taksometru.", 11.7, -0.1},                      // 26
    {"działania,", 0.2, -0.5},                        // 27
    {"jego działania,", 6.2, 0.0},                    // 28
    {"", 0.0, -0.5},                                  // 29
    {"", 0.0, -0.5},                                  // 30
    {"", 0.0, -0.5},                                  // 31
    {"", 0.0, -0.5},                                  // 32
    {"", 0.0, -0.5},                                  // 33
    {"", 0.0, -0.5},                                  // 34
    {"", 0.0, -0.5},                                  // 35
    {"", 0.0, -0.5},                                  // 36
    {"", 0.0, -0.5},                                  // 37
    {"", 0.0, -0.5},                                  // 38
    {"", 0.0, -0.5},                                  // 39
    {"b) istnieje możliwość,", 0.2, -0.5},            // 40
    {"§ 10.2. Jeżeli do interfejsu lub", 6.2, -0.5},  // 41
    {"W przypadku układu ", 11.7, -0.1},              // 42
    {"aby praca taksometru", 0.2, -0.5},              // 43
    {"interfejsów taksometru są", 6.2, -0.5},         // 44
    {"dwóch urządzeń - tj.", 11.7, -0.1},             // 45
    {"była automatycznie", 0.2, -0.5},                // 46
    {"podłączone inne urządzenia,", 6.2, -0.5},       // 47
    {"taksometru i kasy", 11.7, -0.1},                // 48
    {"blokowana w przypadku,", 0.2, -0.5},            // 49
    {"praca taksometru powinna być", 6.2, -0.5},      // 50
    {"- odłączyć kasę", 11.7, -0.1},                  // 51
    {"gdy nie ma tego", 0.2, -0.5},                   // 52
    {"automatycznie blokowana, gdy", 6.2, -0.5},      // 53
    {"i sprawdzić blokadę", 11.7, -0.1},              // 54
    {"urządzenia lub działa", 0.2, -0.5},             // 55
    {"nie ma tego urządzenia lub", 6.2, -0.5},        // 56
    {"pracy taksometru.", 11.7, -0.1},                // 57
    {"24.", 16.0, -0.5},                              // 58
    {"+", 18.0, -0.5},                                // 59
    {"ono nieprawidłowo.", 0.2, -0.5},                // 60
    {"działa ono nieprawidłowo.", 6.2, 0.0},          // 61
    {"", 0.0, -0.5},                                  // 62
    {"", 0.0, -0.5},                                  // 63
    {"", 0.0, -0.5},                                  // 64
    {"", 0.0, -0.5},                                  // 65
    {"", 0.0, -0.5},                                  // 66
    {"", 0.0, -0.5},                                  // 67
    {"", 0.0, -0.5},                                  // 68
    {"", 0.0, -0.5},                                  // 69
    {"", 0.0, -0.5},                                  // 70
    {"", 0.0, -0.5},                                  // 71
    {"", 0.0, -0.5},                                  // 72
    {"", 0.0, -0.5},                                  // 73
    {"", 0.0, -0.5},                                  // 74
    {"", 0.0, -0.5},                                  // 75
    {"", 0.0, -0.5},                                  // 76
    {"", 0.0, -0.5},                                  // 77
    {"", 0.0, -0.5},                                  // 78
    {"", 0.0, -0.5},                                  // 79
    {"", 0.0, -0.5},                                  // 80
    {"", 0.0, -0.5},                                  // 81
    {"", 0.0, -0.5},                                  // 82
    {"", 0.0, -0.5},                                  // 83
};

constexpr double kMargin = 0.8;

bool In(std::span<const int> set, int index) {
    return std::find(set.begin(), set.end(), index) != set.end();
}

struct SizeSet {
    std::span<const int> items;
    double factor;
};

// What differs between the pages: their items, styles, sizes and rules.
struct Form {
    std::span<const Item> items;
    std::span<const int> bold, italic;
    std::vector<SizeSet> sizes;  // applied in this order
    // Called for every item before its text, with its index and y in units.
    std::function<void(int index, double y)> rules;
    // Called after an item's text, with its index and place in pixels.
    std::function<void(int index, int x, int top)> after;
};

// Draws the items one under the other; the canvas keeps the face it has.
void DrawForm(TCanvas &canvas, int m, const Form &form, std::span<const QString> marks) {
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetWidth(m / 50);
    const int baseSize = canvas.Font().Size();
    canvas.Brush().SetStyle(bsClear);

    double y = kMargin;
    size_t mark = 0;
    for (int i = 0; i < static_cast<int>(form.items.size()); ++i) {
        const Item &item = form.items[static_cast<size_t>(i)];
        TFont &font = canvas.Font();
        if (In(form.bold, i)) font.SetStyle(fsBold);
        if (In(form.italic, i)) font.SetStyle(fsItalic);
        double size = baseSize;
        for (const SizeSet &set : form.sizes)
            if (In(set.items, i)) size *= set.factor;
        font.SetSize(TruncPixel(size));

        form.rules(i, y);

        QString text = QString::fromUtf8(item.text);
        if (text == "+") text = mark < marks.size() ? marks[mark++] : QString();
        const int x = ToPixels(kMargin + 0.1 + item.x, m), top = ToPixels(y + 0.1, m);
        canvas.TextOut(x, top, text);
        if (form.after) form.after(i, x, top);

        canvas.Brush().SetStyle(bsClear);
        font.SetStyle(0);
        canvas.Pen().SetColor(clBlack);
        font.SetColor(clBlack);
        font.SetSize(baseSize);
        y += 0.5 + item.dy;
    }
}

constexpr int kOneBold[] = {1,  3,  5,  6,  8,  9,  10, 12,  19,  22,  31,  38,  46,  52, 55,
                            60, 67, 71, 75, 79, 84, 93, 101, 107, 116, 125, 128, 133, 138};
constexpr int kOneItalic[] = {16, 21,  25,  27,  50,  90,  91,  92,  95,  96, 97,
                              98, 113, 114, 115, 118, 119, 120, 121, 122, 123};
constexpr int kOneMarkCells[] = {23, 32, 39, 47, 56, 61, 68, 76, 80, 85, 94, 102, 108, 117, 129, 134, 139};
constexpr int kOneLabels[] = {1,  9,  22, 31, 38,  46,  52,  55,  60,  67,  71,
                              75, 79, 84, 93, 101, 107, 116, 125, 128, 133, 138};
constexpr int kOneLegend[] = {7, 11};
constexpr int kOneRules[] = {6,  14, 28, 34, 42,  51,  55,  59,  64,  70, 73,
                             78, 82, 88, 99, 105, 110, 124, 127, 131, 136};
constexpr int kOneRunEnds[] = {51, 70, 124, 142};
constexpr int kOneRunStarts[] = {6, 55, 73, 127};

constexpr int kLongHeads[] = {1, 3, 5, 6, 7, 8, 9, 10, 11, 12};

// A long-form page: full-width rules at the tops of its rows, the outline and the column lines
// closing the table half a unit below the last item.
struct LongPage {
    std::span<const Item> items;
    std::vector<int> bold, marks, fullRules, partRules;
    int lineAfterHeads;  // a line from the requirement column to the right edge; -1 for none
    int outlineAt;       // the item after which the table is closed
};

void DrawLongPage(TCanvas &canvas, int m, const LongPage &page, std::span<const QString> marks) {
    const auto px = [m](long double units) { return ToPixels(units, m); };
    const int left = px(kMargin), right = TruncPixel(21.0L * m - kMargin * m);
    double tableTop = kMargin;
    Form form;
    form.items = page.items;
    form.bold = page.bold;
    form.sizes = {{page.marks, 2}};
    form.rules = [&](int i, double y) {
        if (i == 6) tableTop = y;
        if (In(page.fullRules, i)) DrawHorizLine(px(y), left, right, canvas);
        if (i == page.lineAfterHeads) DrawHorizLine(px(y), px(6.8), right, canvas);
        if (In(page.partRules, i)) {
            DrawHorizLine(px(y + 0.1), px(6.8), px(12.3), canvas);
            DrawHorizLine(px(y + 0.1), px(16.6), right, canvas);
        }
        if (i == page.outlineAt) {
            const int bottom = px(y + 0.5);
            DrawRect(px(tableTop), right, bottom, left, canvas);
            for (const double x : {6.8, 12.3, 17.6, 16.6}) DrawVertLine(px(x), px(tableTop), bottom, canvas);
        }
    };
    DrawForm(canvas, m, form, marks);
}

std::vector<int> LongBold(std::initializer_list<int> numbers) {
    std::vector<int> bold(std::begin(kLongHeads), std::end(kLongHeads));
    bold.insert(bold.end(), numbers);
    return bold;
}

}  // namespace

void DrawInspectionTable(TCanvas &canvas, int m, const InspectionTableData &data) {
    const auto px = [m](long double units) { return ToPixels(units, m); };
    const int left = px(kMargin), right = TruncPixel(21.0L * m - kMargin * m);
    const int baseSize = canvas.Font().Size();
    canvas.Font().SetName("MS Sans Serif");

    double tableTop = kMargin, firstQuestion = kMargin, runStart = kMargin;
    Form form;
    form.items = kItems;
    form.bold = kOneBold;
    form.italic = kOneItalic;
    form.sizes = {{kOneMarkCells, 1.5}, {kOneLabels, 1.4}, {kOneLegend, 1.2}};
    form.rules = [&](int i, double y) {
        if (i == 0) tableTop = y;
        if (i == 14) firstQuestion = y;
        if (In(kOneRunStarts, i)) runStart = y;
        if (In(kOneRules, i)) DrawHorizLine(px(y), left, right, canvas);
        if (In(kOneRunEnds, i)) {
            for (const double x : {14.3, 17.5}) DrawVertLine(px(x), px(runStart), px(y), canvas);
        }
        if (i == 142) {
            DrawRect(px(tableTop), right, px(y), left, canvas);
            DrawVertLine(px(2.8), px(firstQuestion), px(y), canvas);
        }
    };
    // The type and the serial number stand on the places of items 3 and 5, bold.
    form.after = [&](int i, int x, int top) {
        if (i == 3 && data.ownFamily) {
            canvas.TextOut(x, top, " TIVAR ");
            canvas.Font().SetSize(TruncPixel(baseSize * 0.7));
            canvas.TextOut(px(kMargin + 1.25 + 4.2), top, "2");
            canvas.Font().SetSize(baseSize);
        } else if (i == 3) {
            canvas.TextOut(x, top, " " + data.typeDesignation + " ");
        }
        if (i == 5) canvas.TextOut(x, top, " " + data.serialNumber + " ");
    };
    DrawForm(canvas, m, form, data.marks);
}

void DrawInspectionTableRows9To15(TCanvas &canvas, int m, const std::array<QString, 7> &marks) {
    DrawLongPage(canvas, m,
                 {kRows9To15,
                  LongBold({24, 43, 63, 79, 95, 110, 134}),
                  {25, 40, 60, 76, 93, 111, 135},
                  {14, 31, 53, 69, 86, 99, 122},
                  {},
                  -1,
                  140},
                 marks);
}

void DrawInspectionTableRows16To22(TCanvas &canvas, int m, const std::array<QString, 7> &marks) {
    DrawLongPage(canvas, m,
                 {kRows16To22,
                  LongBold({16, 27, 47, 71, 91, 106, 113}),
                  {17, 28, 48, 72, 92, 107, 112},
                  {13, 32, 59},
                  {79, 102, 110},
                  21,
                  114},
                 marks);
}

void DrawInspectionTableRows23To24(TCanvas &canvas, int m, const std::array<QString, 2> &marks) {
    DrawLongPage(canvas, m, {kRows23To24, LongBold({22, 58}), {23, 59}, {13, 40}, {}, -1, 83}, marks);
}

}  // namespace printing
