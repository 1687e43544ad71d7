#include "printing/course_annex.h"

#include <QStringList>
#include <vector>

#include "platform/runtime/numbers.h"
#include "printing/page_units.h"
#include "printing/unit_page.h"

namespace printing {
namespace {

constexpr double kPitch = 0.36;  // row pitch of a course block
constexpr int kRows = 24;

constexpr unsigned char kRegular = 0, kBold = 1, kBoldRight = 129;
constexpr double kSize = 8;

// Rule weights by row: 0 none, 1 thin, 2 medium, 3 heavy.
constexpr int kRuleAtTop[kRows] = {0, 3, 1, 1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 3};

QString CountText(std::uint32_t count, const QString &unit) {
    return count == kNotGiven ? QStringLiteral("---") : QString::number(count) + " x " + unit;
}

// The contract price, or "---" when it reads as exactly 0; a text that is not a number prints as it is.
QString ContractText(const QString &line) {
    long double value = 0;
    if (TryStrToFloat(line.toStdString(), value) && value == 0) return QStringLiteral("---");
    return line;
}

class CourseBlock {
public:
    CourseBlock(UnitPage &page, const CourseColumn &course, const CourseAnnexData &data, double y0)
        : page_(page), data_(data), course_(course), y0_(y0) {
        lines_ = course.values.split("\r\n");
        letter_ = HeaderCharacter(course.header, "Taryfa: ");
        system_ = HeaderCharacter(course.header, "System: ");
    }

    void Draw() {
        const int left = page_.Px(1.4), right = page_.FromRight(1.4);
        for (int r = 0; r < kRows; ++r) {
            texts_.clear();
            RowTexts(r);
            page_.Row(Row(r), kPitch, texts_, left, right, r + 1 < kRows ? kRuleAtTop[r + 1] : 0);
        }
        Vertical(15.6, 2, 9, 1);
        Vertical(6.7, 9, 15, 2);
        for (const double x : {5.4, 8.2, 12.0, 15.6, 17.4}) Vertical(x, 10, 15, 1);
        Vertical(12.0, 16, 21, 1);
        for (const double x : {6.1, 15.6}) Vertical(x, 16, 22, 1);
        page_.VertRule(left, Row(1), Row(23), 3);
        page_.VertRule(right, Row(1), Row(23), 3);
    }

    double End() const { return Row(23); }

private:
    double Row(int r) const { return y0_ + kPitch * r; }
    QString Line(int index) const { return index < lines_.size() ? lines_[index] : QString(); }
    // A text of the row being drawn.
    void Text(double x, unsigned char flags, const QString &text, double size = kSize) {
        texts_.push_back({x, text, flags, size});
    }
    void Vertical(double x, int fromRow, int toRow, int weight) {
        page_.VertRule(page_.Px(x), Row(fromRow), Row(toRow), weight);
    }

    // The texts of row r, gathered for the row's drawing.
    void RowTexts(int r) {
        switch (r) {
            case 0:
                Text(1.5, kBold, "KURS");
                break;
            case 1:
                Text(6.4, kBold, "Informacje o kursie. Parametry taryf. Obliczanie opłaty za kurs");
                break;
            case 2:
                Text(1.5, kRegular, "Typ i numer taksometru");
                Text(16.0, kBold, "TIVAR     nr. " + Line(0));
                Text(17.05, kBold, "2", 5);
                break;
            case 3:
            case 4:
            case 5:
            case 6:
            case 7:
            case 8:
                InformationRow(r);
                break;
            case 9:
                Text(2.4, kBold, "PARAMETRY OGÓLNE");
                Text(11.4, kBold, "PARAMETRY TARYF");
                break;
            case 10:
                Text(1.5, kBold, "R");
                Text(2.1, kRegular, "- zastosowany rabat [%]");
                Text(6.1, kBoldRight, Line(22));
                Text(6.9, kRegular, "TARYFA");
                Text(8.4, kRegular, "Odcinek początkowy drogi [m]");
                Text(12.2, kRegular, "Okres początkowy czasu [s]");
                Text(15.8, kRegular, "Opłata zł/km");
                Text(17.6, kRegular, "Opłata zł/h");
                break;
            case 11:
                GeneralRow(r, "CU", "- CENA UMOWNA [zł]", ContractText(Line(23)));
                break;
            case 12:
                GeneralRow(r, "OP", "- Opłata początkowa [zł]", Line(5));
                break;
            case 13:
                GeneralRow(r, "JT", "- Jednostka taryfowa [zł]", Line(6));
                break;
            case 14:
                GeneralRow(r, "JD", "- Jednostka dopłaty [zł]", Line(7));
                break;
            case 15:
                Text(8.7, kBold, "OBLICZANIE OPŁATY");
                break;
            case 16:
            case 17:
            case 18:
            case 19:
                FeeRow(r - 15);
                break;
            case 20:
                Text(1.5, kBold, "DPŁ");
                Text(2.1, kRegular, "- DOPŁATA");
                Text(8.3, kRegular, "K X JD [zł]");
                Text(13.3, kRegular, CountText(course_.surchargeUnits, Line(7)));
                Text(17.1, kBoldRight, Line(21));
                Text(18.2, kRegular, "[zł]");
                break;
            case 21:
                Text(1.5, kBold, "OPŁATA CAŁKOWITA ZA KURS");
                Text(6.4, kBold, "CU / SUMA OPŁAT = (1 - 0,01 x R) x (OP+OT1+OT2+OT3+OT4+DPŁ)");
                Text(17.1, kBoldRight, ContractText(Line(23)) + "/" + Line(26));
                Text(18.2, kRegular, "[zł]");
                break;
            case 22:
                Text(1.5, kRegular,
                     "Gdzie: N1÷N4 - liczba jednostek taryfowych w taryfach A1÷A4,   K - liczba jednostek "
                     "dopłaty.");
                break;
            default:
                break;
        }
    }

    // Rows 3 to 8: what the course was, each value at its place behind the row's label.
    void InformationRow(int r) {
        struct Information {
            const char *label;
            double x;
            unsigned char flags;
        };
        static const Information kRows[] = {
            {"Ustawiony w taksometrze sposób obliczenia opłaty [S/D]", 17.3, kBold},
            {"Początek kursu [data godzina]", 16.3, kBold},
            {"Koniec kursu [data godzina]", 16.3, kBold},
            {"Przejechany dystans Dk [km]", 17.5, kBoldRight},
            {"Czas trwania kursu Ck", 16.8, kBold},
            {"Wybrany UKŁAD TARYF w kursie [A, C, E, H]", 17.3, kBold},
        };
        const QString values[] = {system_, Line(1), Line(2), Line(4), Line(3), letter_};
        const Information &row = kRows[r - 3];
        Text(1.5, kRegular, row.label);
        Text(row.x, row.flags, values[r - 3]);
    }

    // Rows 11 to 14: a general parameter on the left, tariff j + 1 of the course's layout on the right.
    void GeneralRow(int r, const char *symbol, const char *caption, const QString &value) {
        Text(1.5, kBold, symbol);
        Text(2.1, kRegular, caption);
        Text(6.2, kBoldRight, value);
        const int j = r - 11;
        Text(7.3, kBold, letter_ + QString::number(j + 1));
        const bool noGroup = course_.tariffGroup > 3;
        const int slot = 4 * course_.tariffGroup + j;
        const auto param = [&](const std::array<QString, 16> &row) {
            return noGroup ? QStringLiteral("---") : row[static_cast<size_t>(slot)];
        };
        Text(10.2, kBoldRight, param(data_.initialDistance));
        Text(13.9, kBoldRight, param(data_.initialTime));
        Text(16.7, kBoldRight, param(data_.feePerKm));
        Text(18.4, kBoldRight, param(data_.feePerHour));
    }

    void FeeRow(int j) {
        const QString digit = QString::number(j);
        Text(1.5, kBold, "OT" + digit);
        Text(2.1, kRegular, "- opłata na taryfie");
        Text(8.3, kRegular, "N" + digit + " x JT [zł]");
        Text(4.4, kBold, letter_ + digit);
        Text(13.3, kRegular, CountText(course_.tariffUnits[static_cast<size_t>(j - 1)], Line(6)));
        Text(17.1, kBoldRight, Line(15 + j));
        Text(18.2, kRegular, "[zł]");
    }

    UnitPage &page_;
    const CourseAnnexData &data_;
    const CourseColumn &course_;
    double y0_;
    QStringList lines_;
    QString letter_, system_;
    std::vector<RowText> texts_;
};

QString FirstLine(const QString &values) {
    return values.section("\r\n", 0, 0);
}

}  // namespace

QString HeaderCharacter(const QString &header, const QString &label) {
    const qsizetype at = header.indexOf(label);
    if (at < 0) return QString();
    return header.mid(at + label.size(), 1);
}

void DrawCourseAnnex(TCanvas &canvas, int m, const CourseAnnexData &data) {
    UnitPage page(canvas, m, WidenedUnit(m));
    page.Text(kRegular, 4.5, 0.8, 10,
              "Załącznik C. Sprawdzanie poprawności pracy interfejsów urządzeń zewnętrznych");
    double y = 1.0;
    const QString reference = FirstLine(data.courses[0].values);
    for (const CourseColumn &course : data.courses) {
        const QString number = FirstLine(course.values);
        if (number == "---" || number != reference) continue;
        CourseBlock block(page, course, data, y + 0.1);
        block.Draw();
        y = block.End();
    }
}

}  // namespace printing
