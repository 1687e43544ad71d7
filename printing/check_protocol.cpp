#include "printing/check_protocol.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "printing/check_protocol_rows.h"
#include "printing/page_lines.h"
#include "printing/page_text.h"
#include "printing/page_units.h"

namespace printing {

using protocol::Band;
using protocol::kRowTable;

namespace {

bool IsOneOf(int row, std::initializer_list<int> rows) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

// Rows drawn without bold; every other row is bold.
bool IsPlainRow(int row) {
    return IsOneOf(row, {0,  10, 14, 15, 16, 17, 28, 31, 34, 37, 40, 43, 46, 49,  53,  55,  57,  59, 61,
                         64, 65, 66, 67, 70, 73, 81, 85, 87, 91, 93, 97, 99, 100, 101, 102, 105, 107});
}

bool OpensFrame(int row) {
    return IsOneOf(row, {3, 5, 8, 11, 15, 18, 21, 26, 52, 64, 70, 77, 81, 99, 103});
}

bool ClosesFrame(int row) {
    return IsOneOf(row, {3, 7, 10, 14, 17, 20, 21, 51, 62, 67, 74, 78, 97, 102, 103});
}

constexpr int kScopeFirstRow = 64;
constexpr int kScopeLines = 4;

QString Padded(const QString &value) {
    return " " + value + " ";
}

// The page's state while it runs down the rows.
class ProtocolPage {
public:
    ProtocolPage(TCanvas &canvas, int m, int pageWidth, const CheckProtocolData &data)
        : canvas_(canvas),
          u_(m),
          pageWidth_(pageWidth),
          data_(data),
          baseSize_(canvas.Font().Size()),
          left_(ToPixels(0.8L, u_)),
          right_(TruncPixel(21.0L * m - 0.8L * u_)) {}

    void Draw() {
        canvas_.Pen().SetColor(clBlack);
        canvas_.Pen().SetWidth(u_ / 50);
        canvas_.Brush().SetStyle(bsClear);
        for (int row = 0; row < protocol::kRows; ++row) {
            advance_ = kRowTable[row].advance;
            DrawRow(row);
            Reset();
            y_ += advance_;
        }
    }

private:
    int Px(long double units) const { return ToPixels(units, u_); }

    void DrawRow(int row) {
        const protocol::Row &r = kRowTable[row];
        SetStyle(row);
        DrawBand(row);
        if (r.ruleFrom > 0) {
            DrawHorizLineBr(Px(y_ + 0.4L), Px(r.ruleFrom), TruncPixel(21.0L * u_ - 0.9L * u_), canvas_,
                            Px(0.1L), 1);
        }
        if (OpensFrame(row)) frameTop_ = y_;
        if (ClosesFrame(row)) DrawRect(Px(frameTop_), right_, Px(y_ + 0.5L), left_, canvas_);
        DrawSeparators(row);
        DrawText(row);
    }

    void SetStyle(int row) {
        TFont &font = canvas_.Font();
        const bool struckOut = (row == 15 && !data_.repairerApplies) ||
                               (row == 16 && !data_.installerApplies) || (row == 17 && !data_.userApplies);
        if (struckOut) font.SetStyle(fsStrikeOut);
        if (IsOneOf(row, {10, 14, 105, 107})) {
            font.SetStyle(fsItalic);
            font.SetSize(font.Size() * 10 / 13);
        }
        if (kRowTable[row].band != Band::None) font.SetColor(clWhite);
        if (!IsPlainRow(row)) font.SetStyle(fsBold);
    }

    void DrawBand(int row) {
        const protocol::Row &r = kRowTable[row];
        const int top = Px(y_), bottom = Px(y_ + 0.5L);
        switch (r.band) {
            case Band::None:
                return;
            case Band::Partial:
                DrawRectBlack(top, Px(r.bandTo), bottom, left_, canvas_);
                return;
            case Band::Full:
                DrawRectBlack(top, right_, bottom, left_, canvas_);
                return;
            case Band::Right:
                DrawRectBlack(top, right_, bottom, Px(13.0L), canvas_);
                return;
        }
    }

    // Vertical lines from the frame's top to the bottom of this row.
    void DrawFrameDividers(std::initializer_list<long double> xs) {
        for (long double x : xs) DrawVertLine(Px(x), Px(frameTop_), Px(y_ + 0.5L), canvas_);
    }

    void DrawSeparators(int row) {
        TPen &pen = canvas_.Pen();
        switch (row) {
            case 17:
                DrawFrameDividers({4.8L, 11.0L});
                break;
            case 75:
                DrawFrameDividers({6.9L});
                break;
            case 73:
                DrawHorizLine(Px(y_), left_, right_, canvas_);
                break;
            case 51:
                pen.SetColor(clWhite);
                DrawRectBlack(Px(frameTop_), Px(13.0L), Px(y_ + 0.5L), Px(12.9L), canvas_);
                pen.SetColor(clBlack);
                DrawFrameDividers({12.9L, 13.0L});
                break;
            case 97:
                pen.SetColor(clWhite);
                DrawHorizLine(Px(y_ + 0.5L), Px(10.3L), Px(10.4L), canvas_);
                pen.SetColor(clBlack);
                DrawFrameDividers({10.3L, 10.4L});
                break;
            default:
                break;
        }
    }

    QString Edit(const char *name) const {
        const auto found = data_.edits.find(name);
        return found == data_.edits.end() ? QString() : found->second;
    }

    QString MemoLine(const char *name, int line) const {
        const auto found = data_.memos.find(name);
        if (found == data_.memos.end() || line >= found->second.size()) return QString();
        return found->second[line];
    }

    // The fixed text of a row, with the wording of the ZT regime.
    QString FixedText(int row) const {
        if (data_.zt) {
            switch (row) {
                case 1:
                    return "Protokół sprawdzenia przy legalizacji ponownej taksometrów elektronicznych  "
                           "wprowadzonych do obrotu lub";
                case 2:
                    return "użytkowania po zatwierdzeniu typu";
                case 26:
                    return "Dane identyfikujące przyrząd pomiarowy - Taksometr elektroniczny:";
                case 40:
                    return "Nr certyfikatu zatwierdzenia typu";
                default:
                    break;
            }
        }
        return kRowTable[row].text == nullptr ? QString() : QString(kRowTable[row].text);
    }

    double Column(int row) const {
        if (data_.zt && row == 1) return kRowTable[row].column - 1.0;
        if (data_.zt && row == 2) return kRowTable[row].column + 1.0;
        return kRowTable[row].column;
    }

    QString VerdictWord(std::uint8_t bit) const {
        return (data_.verdictStatus & bit) ? "negatywny" : "pozytywny";
    }

    // The value a data row prints, before padding; none for the other rows.
    std::optional<QString> Value(int row) const {
        if (kRowTable[row].control != nullptr) {
            if (row == 44 && data_.zt) return QString("S");
            return Edit(kRowTable[row].control);
        }
        switch (row) {
            case 6: {
                QString office = " DYREKTOR OKRĘGOWEGO URZĘDU MIAR " + Edit("Edit473");
                if (!Edit("Edit482").isEmpty()) office += ", WYDZIAŁ ZAMIEJSCOWY " + Edit("Edit482");
                return office;
            }
            case 7:
                return " " + MemoLine("Memo4", 0) + ", " + MemoLine("Memo4", 1) + " ";
            case 9:
                return Edit("Edit10") + ", " + Edit("Edit9");
            case 12:
                return MemoLine("Memo5", 0);
            case 13:
                return MemoLine("Memo5", 1);
            case 19:
                return MemoLine("Memo2", 0);
            case 20:
                return MemoLine("Memo2", 1);
            case 32:
                return " " + MemoLine("Memo3", 0);
            case 60:
                return TyreSizeText(data_.meterFamily == 0
                                        ? Edit("Edit111") + "/" + Edit("Edit457") + "R" + Edit("Edit458")
                                        : Edit("Edit486"));
            case 71:
                return VerdictWord(1);
            case 74:
                return VerdictWord(2);
            case 77:
                return QString(data_.verdictStatus & 3 ? "NIE" : "TAK");
            case 104:
                return data_.printDate ? std::optional(Edit("Edit485")) : std::nullopt;
            default:
                return std::nullopt;
        }
    }

    void DrawText(int row) {
        const int x = Px(0.9L + Column(row)), y = Px(y_ + 0.1L);
        if (row >= kScopeFirstRow && row < kScopeFirstRow + kScopeLines) {
            DrawScopeLine(row - kScopeFirstRow, y);
            return;
        }
        const QString text = FixedText(row);
        if (!text.isEmpty()) canvas_.TextOut(x, y, text);
        if (row == 61) DrawBeside(x + Px(0.8L), y, "k", fsItalic, canvas_.Font().Size());
        if (row == 35) {
            DrawTypeLine(x, y);
            return;
        }
        if (const std::optional<QString> value = Value(row))
            canvas_.TextOut(x, y, kRowTable[row].padded ? Padded(*value) : *value);
    }

    // A piece of text in its own style and size, the row's style and size back afterwards.
    void DrawBeside(int x, int y, const QString &text, TFontStyles style, int size) {
        TFont &font = canvas_.Font();
        const TFontStyles oldStyle = font.Style();
        const int oldSize = font.Size();
        font.SetStyle(style);
        font.SetSize(size);
        canvas_.TextOut(x, y, text);
        font.SetSize(oldSize);
        font.SetStyle(oldStyle);
    }

    void DrawTypeLine(int x, int y) {
        if (data_.meterFamily == 0) {
            canvas_.TextOut(x, y, Padded(Edit("Edit20")));
            return;
        }
        canvas_.TextOut(x, y, " TIVAR ");
        DrawBeside(x + Px(1.1L), y, "2", fsBold, canvas_.Font().Size() * 8 / 10);
    }

    // Line k of the scope: justified between 2.2 units from either edge, except the memo's last
    // line and line 3, drawn as they stand. An empty line 1 to 3 draws nothing and pulls the rows
    // below up.
    void DrawScopeLine(int k, int y) {
        const QString line = MemoLine("Memo10", k);
        if (k > 0 && line.isEmpty()) {
            advance_ = -0.1;
            return;
        }
        const int x = Px(2.2L);
        const auto found = data_.memos.find("Memo10");
        const int lineCount = found == data_.memos.end() ? 0 : static_cast<int>(found->second.size());
        if (k == lineCount - 1 || k == kScopeLines - 1) {
            canvas_.TextOut(x, y, line);
        } else {
            JustifyLine(canvas_, pageWidth_, line, canvas_.Font().Size(), x, x, y);
        }
    }

    void Reset() {
        canvas_.Brush().SetStyle(bsClear);
        canvas_.Font().SetStyle(0);
        canvas_.Pen().SetColor(clBlack);
        canvas_.Font().SetColor(clBlack);
        canvas_.Font().SetSize(baseSize_);
    }

    TCanvas &canvas_;
    const int u_;
    const int pageWidth_;
    const CheckProtocolData &data_;
    const int baseSize_;
    const int left_, right_;
    long double y_ = 0.8L;
    long double frameTop_ = 0.8L;
    double advance_ = 0;
};

}  // namespace

QStringList CheckProtocolEditNames() {
    QStringList names{"Edit473", "Edit482", "Edit10",  "Edit9",   "Edit20",
                      "Edit111", "Edit457", "Edit458", "Edit486", "Edit485"};
    for (const protocol::Row &r : kRowTable) {
        if (r.control != nullptr) names.append(r.control);
    }
    return names;
}

QStringList CheckProtocolMemoNames() {
    return {"Memo2", "Memo3", "Memo4", "Memo5", "Memo10"};
}

QString TyreSizeText(const QString &tyre) {
    if (tyre.isEmpty()) return tyre;
    const QString stem = tyre.left(tyre.size() - 1);
    switch (tyre.back().unicode()) {
        case 'P':
            return stem + "-napęd na przód";
        case 'T':
            return stem + "-napęd na tył";
        case 'O':
            return stem + "-napęd 4x4";
        default:
            return tyre;
    }
}

void DrawCheckProtocol(TCanvas &canvas, int m, int pageWidth, const CheckProtocolData &data) {
    if (m <= 0) return;
    ProtocolPage(canvas, m, pageWidth, data).Draw();
}

}  // namespace printing
