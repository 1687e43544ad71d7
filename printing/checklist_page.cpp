#include "printing/checklist_page.h"

#include "printing/page_units.h"
#include "printing/unit_page.h"

namespace printing {
namespace {

enum class Op { Text, Number, Rule, FullRule, Vertical, Mark };

// One step of the form: a text (regular, size 8) or an item number (bold) at (x, y); a rule at y
// from x (or from the frame's left edge) to the right edge; a vertical rule at x from y to `to`;
// the mark of item panel `mark` at y.
struct Step {
    Op op;
    double y;
    double x = 0;
    const char *text = nullptr;
    double to = 0;
    int mark = 0;
};

Step T(double y, double x, const char *text) {
    return {Op::Text, y, x, text};
}
Step N(double y, double x, const char *text) {
    return {Op::Number, y, x, text};
}
Step R(double y, double x) {
    return {Op::Rule, y, x};
}
Step F(double y) {
    return {Op::FullRule, y};
}
Step V(double x, double y1, double y2) {
    return {Op::Vertical, y1, x, nullptr, y2};
}
Step K(double y, int panel) {
    return {Op::Mark, y, 0, nullptr, 0, panel};
}

const Step kForm[] = {
    // 1
    T(3.85, 6.1, "a. nazwa lub znak producenta,"),
    K(3.85, 0),
    R(4.2, 6.0),
    T(4.25, 2.3, "Czy na taksometrze "),
    T(4.25, 6.1, "b. oznakowanie CE i następujące po nim dodatkowe oznakowanie metrologiczne, numer "),
    K(4.45, 1),
    N(4.65, 1.4, "1."),
    T(4.65, 2.3, "znajdują się wymagane"),
    T(4.65, 6.1, "jednostki notyfikowanej,"),
    R(5.0, 6.0),
    T(5.05, 2.3, "oznaczenia:"),
    T(5.05, 6.1, "c. jednostka miary lub jej oznaczenie,"),
    K(5.05, 2),
    R(5.4, 6.0),
    T(5.45, 6.1, "d. numer certyfikatu badania typu WE albo certyfikatu badania projektu UE."),
    K(5.45, 3),
    F(5.8),
    V(6.0, 3.8, 5.8),
    // 2
    T(5.85, 2.3,
      "Czy wszelkie oznakowania i napisy są wyraźnie widoczne lub łatwo dostępne, trwałe, jednoznaczne i "
      "niemożliwe do "),
    N(6.05, 1.4, "2."),
    K(6.05, 4),
    T(6.25, 2.3, "przeniesienia na inny obiekt."),
    F(6.6),
    // 3
    T(6.65, 2.3,
      "Czy wszystkie wyświetlane dla pasażera wartości są możliwe do właściwego zidentyfikowania, a ich "
      "odczyt, jak "
      "również ich"),
    N(6.85, 1.4, "3."),
    K(6.85, 5),
    T(7.05, 2.3, "identyfikacja są łatwe zarówno w  dzień, jak i w nocy."),
    F(7.4),
    // 4
    T(7.45, 2.3, "Czy wskazania taksometru są  wyrażone w legalnych jednostkach miary, a jednostki te lub"),
    T(7.45, 14.1, "a. czas [s, min, h],"),
    K(7.45, 6),
    N(7.65, 1.4, "4."),
    R(7.85, 14.0),
    T(7.9, 2.3, "symbole są umieszczone obok odpowiednich wartości liczbowych:"),
    T(7.9, 14.1, "b. długość [m, km]."),
    K(7.9, 7),
    F(8.25),
    V(14.0, 7.4, 8.25),
    // 5
    T(8.3, 6.1, "a. WOLNY - położenie pracy, w którym wyłączone jest obliczanie opłaty,"),
    K(8.3, 8),
    R(8.65, 6.0),
    T(8.7, 2.3, "Czy położenia pracy są"),
    T(8.7, 6.1, "b. TARYFA - położenie pracy, w którym ma miejsce obliczanie opłaty na podstawie "),
    K(8.9, 9),
    N(9.1, 1.4, "5."),
    T(9.1, 2.3, "rozróżnialne za pomocą"),
    T(9.1, 6.1,
      "ewentualnej opłaty początkowej oraz taryfy za przebytą długość drogi lub czas trwania kursu,"),
    R(9.45, 6.0),
    T(9.5, 2.3, "następujących wskazań:"),
    T(9.5, 6.1, "c. KASA - położenie pracy, w którym jest wskazywana opłata i jest wyłączone co najmniej"),
    K(9.7, 10),
    T(9.9, 6.1, "obliczanie opłaty na podstawie czasu trwania kursu,"),
    F(10.25),
    // 6
    T(10.3, 2.3, "Czy taksometr w położeniu"),
    T(10.3, 6.1, "a. TARYFA - oblicza i wyświetla opłatę wzrastającą skokowo o określoną wartość."),
    K(10.3, 11),
    N(10.5, 1.4, "6."),
    R(10.7, 6.0),
    T(10.75, 2.3, "pracy:"),
    T(10.75, 6.1, "b. KASA - wyświetla wartość opłaty."),
    K(10.75, 12),
    F(11.1),
    V(6.0, 8.25, 11.1),
    // 7
    T(11.15, 2.3,
      "Czy w przypadku stosowania dopłaty, wprowadzonej ręcznie przez kierowcę, jest ona wyłączona z "
      "wyświetlanej "
      "opłaty oraz"),
    N(11.35, 1.4, "7."),
    K(11.35, 13),
    T(11.55, 2.3,
      "czy w tym przypadku taksometr może chwilowo wyświetlać opłatę łącznie z tą wartością dopłaty."),
    F(11.9),
    // 8
    T(11.95, 6.1,
      "a. S-pojedyncze zastosowanie taryfy, w którym obliczanie opłaty następuje na podstawie taryfy"),
    T(12.3, 6.1, "za czas poniżej prędkości granicznej oraz na podstawie taryfy za drogę powyżej prędkości"),
    K(12.3, 14),
    T(12.65, 2.3, "Czy taksometr ma"),
    T(12.65, 6.1, "granicznej,"),
    R(13.0, 6.0),
    N(13.05, 1.4, "8."),
    T(13.05, 2.3, "ustawiony jeden zwykły"),
    T(13.05, 6.1, "b. D - podwójne zastosowanie taryfy, w którym obliczanie opłaty następuje na podstawie"),
    K(13.25, 15),
    T(13.45, 2.3, "tryb obliczania"),
    T(13.45, 6.1, "jednoczesnego stosowania taryfy za czas i taryfy za drogę w ciągu całego kursu,"),
    R(13.8, 6.0),
    T(13.85, 6.1, "c. wybranie jednego z powyższych trybów, powinno być możliwe poprzez odpowiednie"),
    K(14.05, 16),
    T(14.25, 6.1, "ustawienie podlegające zabezpieczeniu,"),
    F(14.6),
    V(6.0, 11.9, 14.6),
    // 9
    T(14.65, 2.3,
      "Czy taksometr jest właściwie przygotowany do nałożenia cech zabezpieczających w miejscach określonych "
      "w "
      "certyfikacie"),
    N(14.85, 1.4, "9."),
    K(14.85, 17),
    T(15.05, 2.3, "badania typu WE lub UE albo certyfikacie - badania projektu WE lub UE."),
    F(15.4),
    // 10, 11
    N(15.45, 1.35, "10."),
    T(15.45, 2.3,
      "Czy istotne dla charakterystyk metrologicznych oprogramowanie jest identyfikowane przez taksometr."),
    K(15.45, 18),
    F(15.8),
    N(15.85, 1.35, "11."),
    T(15.85, 2.3, "Czy generator wewnętrzny impulsów czasu taksometru ma wystarczającą dokładność."),
    K(15.85, 19),
    F(16.2),
    // 12
    T(16.25, 8.0, "a. informacji o położeniu pracy - WOLNY, TARYFA lub KASA"),
    K(16.25, 20),
    R(16.6, 7.9),
    T(16.65, 8.0, "b. danych liczników sumujących całkowitą długość drogi przebytej przez"),
    T(17.0, 8.0, "taksówkę, całkowitą długość drogi przebytej podczas wynajęcia taksówki, "),
    K(17.0, 21),
    T(17.35, 8.0, "liczbę wszystkich wynająć, sumy opłat za kursy oraz sumy wszystkich dopłat,"),
    R(17.7, 7.9),
    T(17.75, 2.3, "Czy taksometr zapewnia przekazywanie"),
    T(17.75, 8.0, "c. informacji ogólnych o: stałej \"k\" nadajnika sygnału długości drogi, dacie"),
    N(18.1, 1.35, "12."),
    T(18.1, 2.3, "przez właściwie zabezpieczony interfejs lub"),
    T(18.1, 8.0, "zabezpieczenia, symbolu identyfikującym taksówkę, czasie rzeczywistym"),
    K(18.1, 22),
    T(18.45, 2.3, "interfejsy informacji i danych:"),
    T(18.45, 8.0, "danych identyfikujących taryfę,"),
    R(18.8, 7.9),
    T(18.85, 8.0, "d. informacji o opłacie za kurs: opłacie całkowitej, opłacie, obliczeniu opłaty,"),
    T(19.2, 8.0, "dopłacie, dacie, czasie początkowym i końcowym kursu, długości przebytej"),
    K(19.2, 23),
    T(19.55, 8.0, "drogi,"),
    R(19.9, 7.9),
    T(19.95, 8.0, "e. informacji o parametrach taryfy (lub taryf)."),
    K(19.95, 24),
    F(20.3),
    // 13
    T(20.3, 8.0, "a. nie zakłócają one jego działania,"),
    K(20.3, 25),
    T(20.5, 2.3, "Czy w przypadku podłączenia do interfejsu"),
    R(20.7, 7.9),
    N(20.7, 1.35, "13."),
    T(20.7, 8.0, "b. istnieje możliwość, aby praca taksometru była automatycznie blokowana w"),
    T(20.9, 2.3, "lub interfejsów taksometru innych urządzeń:"),
    K(20.9, 26),
    T(21.1, 8.0, "przypadku, gdy nie ma tego urządzenia lub gdy działa ono nieprawidłowo."),
    F(21.45),
    V(7.9, 16.2, 21.45),
    // 14
    T(21.5, 2.3,
      "Czy wskazanie zegara czasu rzeczywistego taksometru nie różni się od czasu urzędowego więcej niż o 2 "
      "minuty i "
      "data"),
    N(21.7, 1.35, "14."),
    K(21.7, 27),
    T(21.9, 2.3, "wskazana na taksometrze nie różni się od daty rzeczywistej."),
    F(22.25),
    // 15
    T(22.3, 8.0, "a.  Zespół dopłat z licznikiem dopłat."),
    K(22.3, 28),
    R(22.65, 7.9),
    T(22.7, 8.0, "b.  Cyfrowy licznik impulsów i drogi."),
    K(22.7, 29),
    R(23.05, 7.9),
    T(23.1, 8.0, "c.  Przystawka zasilająco-sterująca."),
    K(23.1, 30),
    N(23.3, 1.35, "15."),
    T(23.3, 2.3, "Urządzenia dodatkowe"),
    R(23.5, 7.9),
    T(23.55, 8.0, "d.  Lampa dachowa \"TAXI\"."),
    K(23.55, 31),
    R(23.9, 7.9),
    T(23.95, 8.0, "e.  Sygnalizator taryf."),
    K(23.95, 32),
    R(24.3, 7.9),
    T(24.35, 8.0, "f.  Kasa rejestrująca."),
    K(24.35, 33),
    F(24.7),
    V(7.9, 22.25, 24.7),
};

}  // namespace

void DrawInspectionAnnex(TCanvas &canvas, int m, const InspectionAnnexData &data) {
    UnitPage page(canvas, m, WidenedUnit(m));
    const int left = page.Px(0.8);
    const int right = page.FromRight(0.8);

    // Heading.
    page.Text(0, 0.8, 1.3, 10, "ZAŁĄCZNIK");
    page.Text(1, 2.9, 1.3, 10, "A. Oględziny zewnętrzne i sprawdzenie działania taksometru.");
    page.Text(0, 0.8, 1.75, 10, "TAKSOMETR:");
    if (data.ownFamily) {
        page.Text(1, 3.3, 1.75, 10, "TIVAR");
        page.Text(1, 4.6, 1.75, 7, "2");
    } else {
        page.Text(1, 3.3, 1.75, 10, data.typeDesignation);
    }
    page.Text(0, 7.1, 1.75, 10, "Nr");
    page.Text(1, 7.8, 1.75, 10, data.serialNumber);
    page.HorizRule(2.2, left, right);
    page.Text(
        0, 3.3, 2.3, 8,
        "Wymagania i zakres sprawdzeń zgodnie z § 26 rozporządzenia Ministra Gospodarki z dnia 27 grudnia "
        "2007 r.");
    page.Text(0, 17.5, 2.3, 8, "spełnia");
    page.Text(1, 19.1, 2.3, 8, "+");
    page.Text(0, 8.0, 2.65, 8, "(Dz. U. z 2019 r., poz. 1173)");
    page.Text(0, 17.5, 2.65, 8, "nie spełnia");
    page.Text(1, 19.1, 2.65, 8, "-");
    page.Text(0, 1.0, 2.8, 8, "Lp.");
    page.Text(0, 17.5, 3.05, 8, "nie dotyczy");
    page.Text(1, 19.1, 3.05, 8, "ND");
    page.HorizRule(3.2, page.Px(2.2), page.Px(17.4));
    page.Text(1, 4.1, 3.35, 8,
              "Podczas oględzin zewnętrznych i sprawdzeniu działania taksometru należy skontrolować:");
    page.HorizRule(3.8, left, right);

    for (const Step &step : kForm) {
        switch (step.op) {
            case Op::Text:
                page.Text(0, step.x, step.y, 8, QString::fromUtf8(step.text));
                break;
            case Op::Number:
                page.Text(1, step.x, step.y, 8, QString::fromUtf8(step.text));
                break;
            case Op::Rule:
                page.HorizRule(step.y, page.Px(step.x), right);
                break;
            case Op::FullRule:
                page.HorizRule(step.y, left, right);
                break;
            case Op::Vertical:
                page.VertRule(page.Px(step.x), step.y, step.to);
                break;
            case Op::Mark: {
                const QString &mark = data.marks[static_cast<size_t>(step.mark)];
                page.Text(1, mark == "ND" ? 18.3 : 18.4, step.y, 8, mark);
                break;
            }
        }
    }

    // Closing the form: its columns, then the inspector's line.
    for (const int x : {left, page.Px(2.2), page.Px(17.4), right}) page.VertRule(x, 2.2, 24.7);
    page.Text(1, 5.9, 26.5, 10, QString(91, '.'));
    page.Text(1, 6.3, 26.9, 10, "Oględziny zewnętrzne wykonał/a (data, podpis)");
}

}  // namespace printing
