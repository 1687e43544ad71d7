// A job's whole life in the main window: saved with the save screen, found in the saved-jobs list,
// loaded back from it, and everything the save reads shows as it stood before.
#include <gtest/gtest.h>

#include <map>

#include "app/screen_clicks.h"
#include "app/shell_fixture.h"
#include "platform/gui/gui_test_support.h"
#include "platform/runtime/numbers.h"
#include "storage/job_layout.h"
#include "tests/storage/damaged_record.h"

namespace {

using namespace evaluation;

const QString kNone = QStringLiteral("---");

class WindowLoad : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        window = &Create();
        window->Show();
    }

    // A click where the officer sees the panel, and the time its queued command takes to run.
    void Click(TControl *panel) {
        ClickOnScreen(*window, panel);
        gui::AdvanceTime(200);
    }
    void SaveWithTheSaveScreen() {
        Click(window->Panel35);  // "ZAPISZ BD"
        ASSERT_TRUE(window->Panel150->Visible());
        Click(window->Panel151);  // "ZAPISZ"
        ASSERT_FALSE(window->Panel150->Visible());
        ASSERT_TRUE(window->Panel239->Visible());
    }
    QString Cell(int column, int row) const {
        return window->JobListLabels[static_cast<size_t>(20 * column + row)]->Caption();
    }

    // Every text control the save reads gets a text of its own, marked with `tag`.
    void FillGeneralData(const std::string &tag) {
        TForm1 &w = *window;
        for (const storage::FieldSpec &layoutField : storage::LayoutOf(storage::kGenData))
            if (layoutField.source == storage::Source::ControlText) {
                const QString text = QString::fromStdString(tag + " " + std::to_string(layoutField.field));
                if (auto *memo = dynamic_cast<TMemo *>(
                        w.FindComponent(QString::fromUtf8(layoutField.name.data(), layoutField.name.size()))))
                    memo->SetText(text + "\r\nłódź\r\n");
                else
                    dynamic_cast<TEdit *>(
                        w.FindComponent(QString::fromUtf8(layoutField.name.data(), layoutField.name.size())))
                        ->SetText(text);
            }
        w.Edit21->SetText(QString::fromStdString("SN-" + tag));
        w.Edit107->SetText("1000");
        w.Edit486->SetText("195/65R15");
        w.Edit111->SetText("195");
        w.Edit457->SetText("65");
        w.Edit458->SetText("R15");
        w.Edit473->SetText("Stacja");
        w.Memo4->SetText("ul. Długa 1\r\n00-001 Miasto\r\n");
        w.Edit482->SetText("tel. 1");
        w.Edit12->SetText("D");
        w.Edit11->SetText(QString::fromStdString("opis " + tag));
        w.Label155->SetCaption(QString::fromStdString("etykieta " + tag));
        w.RadioButton2->SetChecked(true);  // a loaded job shows the NOVITIUS radio button checked
        w.NrBoczny = "B-12";
        w.TrybFiskalny = "F";
        w.Panel28->SetColor(clBlack);
        w.Panel233->SetColor(clBlack);
        w.Panel281->SetColor(clBlack);
        w.Panel282->SetColor(clBlack);
        w.Edit483->SetText("2026-01-01");
        w.Edit484->SetText("2026-12-31");
        w.Edit485->SetText("2026-12-10");
        w.MeterDateText = "2026-12-10/10:00";
        w.LayoutChangeTestMask = 0x21;
        w.DistanceTestDone = 1;
        w.CzasX10 = 1;
        w.SlotDeviceByte = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 255};
    }

    // What a verification adds to the general data: the checklist, the inspection-error option, the
    // kept counters, and the tariff stores of the slots the family uses, with numbers the evaluation
    // works on (one row of the time test is off by far).
    void FillVerification(int slotCount) {
        TForm1 &w = *window;
        w.Panel278->SetColor(clBlack);
        w.LicznikiKeep = {12, 34, 56};
        w.InspectionItemPanels[3]->SetCaption("-");
        w.InspectionItemPanels[30]->SetCaption("ND");
        for (size_t g = 0; g < w.TariffGroupTexts.size(); ++g)
            w.TariffGroupTexts[g] = {QString("od %1").arg(g), QString("do %1").arg(g)};
        w.TariffGroupFlag = {1, 0, 1, 0};
        for (int g = 0; g < slotCount / 4; ++g) {
            w.TariffGroupUnits[kJT][g] = "0,10";
            w.TariffGroupUnits[kSTC][g] = g == 0 ? "1000" : w.TariffGroupUnits[kSTC][g];
        }
        if (slotCount == 8) w.TariffGroupUnits[kJDOPL][0] = "0,50";
        for (int s = 0; s < slotCount; ++s) {
            const std::string n = std::to_string(s + 1);
            w.TariffParams[kOplP][s] = slotCount == 8 && s > 0 ? w.TariffParams[kOplP][s] : "5,00";
            w.TariffParams[kOplD][s] = n + ",00";
            w.TariffParams[kOplC][s] = "60,00";
            w.TariffParams[kDps][s] = "0,00";
            w.TariffParams[kCps][s] = "0";
            w.TariffParams[kVset][s] = "30";
            w.TariffParams[kOpw][s] = "0," + n;
            w.TariffEnabledFlags[s] = s % 3 == 0 ? 1 : 0;
            if (s < 8) {  // the tick flags with their boxes, as the readout leaves them
                w.TariffCheckFlags[s] = s % 2;
                w.TariffCheckBoxes[static_cast<size_t>(s)]->SetChecked(s % 2 != 0);
                w.TariffFlagPanels2[static_cast<size_t>(s)]->SetColor(s % 2 != 0 ? clBlack : clWhite);
            }
            w.StalaStTaryf[s] = std::to_string(2000 + s);
            w.SlotFactor[s] = 1.5f + static_cast<float>(s);
            if (slotCount == 16) w.TariffJdoplaty[s] = "0," + n + "0";
            for (int r = 0; r < kMeasuringRows; ++r) {
                const std::string nominal = std::to_string((r + 1) * 100);
                w.FareRowStore[kTimeNom][s][r] = nominal;
                w.FareRowStore[kDistanceNom][s][r] = nominal;
                w.FareGridStore[kTimeTest][kUnits][s][r] = std::to_string(50 + r * 2 + (r == 4 ? 40 : 0));
                w.FareGridStore[kDistanceTest][kUnits][s][r] = std::to_string(50 + r * 3);
            }
            for (int test = 0; test < 2; ++test)
                for (int k = 0; k < kCounters; ++k) {
                    w.CounterStore[test][kStart][k][s] = std::to_string(100 * k + s);
                    w.CounterStore[test][kEnd][k][s] = std::to_string(100 * k + s + 10 + test);
                }
        }
    }

    // What the officer does on the results page: every tariff of the layouts shown, both tests.
    void EvaluateEveryTariff(int layouts) {
        TForm1 &w = *window;
        for (int layout = 0; layout < layouts; ++layout) {
            w.LayoutBase = 8 * layout;
            for (int t = 0; t < 8; ++t) {
                w.TariffSelPanels[static_cast<size_t>(t)]->SetColor(clBtnShadow);
                w.UpdatePnelTaryf(t);
                for (int test : {kTimeTest, kDistanceTest}) {
                    w.ShowTest(test);
                    w.UpdateEdit(t, test);
                }
                w.MarkSlotTested(w.LayoutBase + t);
            }
        }
        w.GetPrzekroczenie();
    }

    // Overwrites what loading a job of the family must restore, so nothing passes by staying.
    void ScrambleWindow(int slotCount) {
        TForm1 &w = *window;
        w.SetLit(w.Panel162, false);
        w.Legalizacja(1);
        for (const storage::FieldSpec &layoutField : storage::LayoutOf(storage::kGenData))
            if (layoutField.source == storage::Source::ControlText) {
                const QString name = QString::fromUtf8(layoutField.name.data(), layoutField.name.size());
                if (auto *memo = dynamic_cast<TMemo *>(w.FindComponent(name)))
                    memo->SetText("zzz");
                else
                    dynamic_cast<TEdit *>(w.FindComponent(name))->SetText("zzz");
            }
        w.DistanceTestDone = 0;
        w.SlotDeviceByte.fill(0);
        w.Edit11->SetText("zzz");
        w.Label155->SetCaption("zzz");
        w.TrybFiskalny = "zzz";
        w.NrBoczny = "zzz";
        w.MeterDateText = "zzz";
        for (TPanel *option : {w.Panel28, w.Panel232, w.Panel233, w.Panel234}) option->SetColor(clWhite);
        if (slotCount == 0) return;  // a job of the change procedure keeps no tariffs
        for (auto &row : w.TariffParams)
            for (int s = 0; s < slotCount; ++s) row[s] = "zzz";
        for (int s = 0; s < slotCount; ++s) w.TariffEnabledFlags[s] = 1 - w.TariffEnabledFlags[s];
        for (int s = 0; s < 8; ++s) w.TariffCheckFlags[s] = 1 - w.TariffCheckFlags[s];
        for (auto &dates : w.TariffGroupTexts) dates = {"zzz", "zzz"};
        w.TariffGroupUnits[kJT].fill("zzz");
        w.TariffGroupUnits[kSTC][0] = "zzz";
        w.TariffGroupFlag = {0, 0, 0, 0};
        w.LicznikiKeep = {9, 9, 9};
        for (TPanel *item : w.InspectionItemPanels) item->SetCaption("+");
    }

    // The search for the job's serial number in the saved-jobs list, which shows it `times` times,
    // and the job of list row `row` loaded.
    void FindAndLoad(const QString &serial, int times, int row) {
        TForm1 &w = *window;
        Click(w.Panel36);  // "CZYTAJ BD"
        ASSERT_TRUE(w.Panel38->Visible());
        ClickOnScreen(w, w.Edit466);
        w.Edit466->SetText(serial);
        Click(w.Panel238);  // "Q"
        for (int r = 0; r < times; ++r) ASSERT_EQ(Cell(2, r), serial);
        ASSERT_EQ(Cell(0, times), kNone);
        Click(w.JobRowPanels[static_cast<size_t>(row)]);
        ASSERT_FALSE(w.Panel38->Visible());
        ASSERT_TRUE(w.Panel239->Visible());
    }

    struct Marks {
        uint8_t verdict, oglErr;
        decltype(EvaluationState::TimeRowFailFlags) timeRows;
        decltype(EvaluationState::DistanceRowFailFlags) distanceRows;
        decltype(EvaluationState::CounterFailFlags) counters;
        TColor regimeFont;
        QString tested, reasons;
        bool operator==(const Marks &) const = default;
    };
    Marks MarksShown() const {
        const TForm1 &w = *window;
        return {w.VerdictStatus,        w.OglErrFlag,       w.TimeRowFailFlags,
                w.DistanceRowFailFlags, w.CounterFailFlags, w.Panel13->Font().Color(),
                w.Edit8->Text(),        w.Memo1->Text()};
    }

    // What the officer sees of the job's tariffs and tests, walked as the officer walks it: on the
    // results page every tariff of each layout the family has, both tests; for each the measuring
    // rows of every grid column with their colours, every counter cell, the tariff's parameters,
    // surcharge unit, flags and the page's group units. Keys name the slot, test and cell.
    std::map<std::string, QString> TariffsShown(int layouts) {
        TForm1 &w = *window;
        std::map<std::string, QString> shown;
        const auto colour = [](const TControl *control) { return QString::number(control->Color(), 16); };
        Click(w.Panel159);  // "Wyniki"
        for (int layout = 0; layout < layouts; ++layout) {
            if (layout == 1) Click(w.Panel318);  // the other layout
            for (int t = 0; t < 8; ++t) {
                ClickOnScreen(w, w.TariffSelPanels[static_cast<size_t>(t)]);
                const std::string slot = "slot " + std::to_string(8 * layout + t);
                for (TPanel *tab : {w.Panel126, w.Panel127}) {
                    ClickOnScreen(w, tab);
                    const std::string at = slot + (tab == w.Panel126 ? " time " : " distance ");
                    for (int c = 0; c < kGridColumns; ++c)
                        for (int r = 0; r < kMeasuringRows; ++r) {
                            const TEdit *cell = w.FareGridColumns[static_cast<size_t>(kGridRows * c + r)];
                            const std::string name =
                                at + "grid " + std::to_string(c) + "," + std::to_string(r);
                            shown[name] = cell->Text();
                            shown[name + " colour"] = colour(cell);
                        }
                    for (size_t i = 0; i < w.CounterEdits.size(); ++i) {
                        const std::string name =
                            at + "counter " + std::to_string(i / 8) + "," + std::to_string(i % 8);
                        shown[name] = w.CounterEdits[i]->Text();
                        shown[name + " colour"] = colour(w.CounterEdits[i]);
                    }
                }
                for (size_t row = 0; row < 10; ++row)
                    shown[slot + " parameter " + std::to_string(row)] =
                        w.TariffParamEdits[8 * row + static_cast<size_t>(t)]->Text();
                for (size_t row = 0; row < 7; ++row)
                    shown[slot + " panel " + std::to_string(row)] =
                        w.TariffPanelEdits[8 * row + static_cast<size_t>(t)]->Text();
                for (size_t e = 80; e < w.TariffParamEdits.size(); ++e)
                    shown[slot + " page " + w.TariffParamEdits[e]->Name().toStdString()] =
                        w.TariffParamEdits[e]->Text();
                shown[slot + " JDOPŁ"] = w.TariffJdoplEdits[static_cast<size_t>(t)]->Text();
                shown[slot + " active"] = colour(w.TariffActivePanels[static_cast<size_t>(t)]);
                shown[slot + " ticked"] = w.TariffCheckBoxes[static_cast<size_t>(t)]->Checked() ? "1" : "0";
                shown[slot + " tick panel"] = colour(w.TariffFlagPanels2[static_cast<size_t>(t)]);
                shown[slot + " button font"] =
                    QString::number(w.TariffSelPanels[static_cast<size_t>(t)]->Font().Color(), 16);
            }
        }
        shown["regime"] = w.Panel13->Caption();
        shown["family"] = QString::number(w.MeterFamily);
        return shown;
    }

    TForm1 *window = nullptr;
};

// The cells two walks of the tariffs show differently, one line each.
std::vector<std::string> Differences(const std::map<std::string, QString> &before,
                                     const std::map<std::string, QString> &after) {
    std::vector<std::string> lines;
    for (const auto &[name, text] : before) {
        const auto found = after.find(name);
        const QString now = found == after.end() ? QStringLiteral("(none)") : found->second;
        if (now != text)
            lines.push_back(name + ": \"" + text.toStdString() + "\" -> \"" + now.toStdString() + "\"");
    }
    return lines;
}

// Differences between two collections of the fields a save writes, one line each.
std::vector<std::string> Differences(const storage::JobRecord &before, const storage::JobRecord &after) {
    std::vector<std::string> lines;
    const auto show = [](const storage::FieldValue &value) {
        if (const auto *text = std::get_if<std::string>(&value)) return "\"" + *text + "\"";
        if (const auto *number = std::get_if<int32_t>(&value)) return std::to_string(*number);
        return std::string(std::get<bool>(value) ? "true" : "false");
    };
    for (int t = 0; t < storage::kJobTableCount; ++t) {
        std::map<int, std::pair<std::string, std::string>> fields;
        for (const auto &[field, value] : before[static_cast<size_t>(t)]) fields[field].first = show(value);
        for (const auto &[field, value] : after[static_cast<size_t>(t)]) fields[field].second = show(value);
        for (const auto &[field, pair] : fields)
            if (pair.first != pair.second)
                lines.push_back(std::string(storage::TableFileOf(t + 1).file) + " " + std::to_string(field) +
                                ": " + pair.first + " -> " + pair.second);
    }
    return lines;
}

TEST_F(WindowLoad, AJobFoundInTheListLoadsBackAsItWasSaved) {
    struct Case {
        const char *name;
        uint8_t family;
        bool zt, change;
    };
    const Case cases[] = {
        {"own family MID", 1, false, false},
        {"NOVITIUS MID", 0, false, false},
        {"NOVITIUS ZT", 0, true, false},
        {"own family ZT", 1, true, false},
        {"own family in the change procedure", 1, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        form.reset();
        window = &Create();
        window->Show();
        TForm1 &w = *window;
        w.MeterFamily = 1 - c.family;
        if (c.family == 1)
            w.SetTaxiTivar();
        else
            w.SetTaxiNovitius();
        w.SetTaksometr(c.zt);
        const int slotCount = c.change ? 0 : c.family == 1 ? 16 : 8;
        if (c.change) {
            // The procedure keeps general data of its own: they are filled once it is on.
            w.ZmianaUkladow(1);
            gui::AdvanceTime(200);
            FillGeneralData(c.name);
            // The station constant of the shown slot belongs to the tariffs, which this job does not keep.
            w.Edit29->SetText(kNone);
            w.Edit500->SetText("zmiana");
            w.Edit520->SetText("12345");
            w.Panel348->SetCaption("TAK");
            w.Panel364->SetCaption("NIE");
            w.LayoutPageCodes = {'A', 'C', 'E', 'H', 'C', 'A', 'H', 'E'};
            w.ChangedTariffsMask = 0x05;
            // The two layouts of the change, one value of each kind of field.
            w.ZuTariffParamsBefore[0][3] = "4,00";
            w.ZuTariffParamsAfter[4][15] = "60";
            w.ZuGroupUnitsBefore[2][1] = "0,50";
            w.ZuGroupUnitsAfter[0][3] = "0,10";
            w.ZuJdoplatyAfter[9] = "1,00";
            w.ZuMaxSurchargeAfter[3] = "9,99";
            w.ZuValidityDatesAfter[5] = "2027-12-31";
            w.ZuInitialSegmentBefore[2] = 1;
            w.ZuInitialSegmentAfter[0] = 1;
            w.ZuEnabledFlagsBefore[15] = 1;
            w.ZuEnabledFlagsAfter[4] = 1;
        } else {
            FillGeneralData(c.name);
            FillVerification(slotCount);
            EvaluateEveryTariff(slotCount / 8);
        }
        const int layouts = slotCount / 8;
        const std::map<std::string, QString> tariffs = TariffsShown(layouts);
        const storage::JobRecord saved = w.CollectJob();
        const Marks marks = MarksShown();
        if (!c.change) {
            // The job fails, with red marks to compare.
            EXPECT_EQ(marks.verdict, kVerdictInspection | kVerdictMeasurement);
            int failing = 0;
            for (const auto &slot : marks.timeRows)
                for (const auto &row : slot) failing += row[0];
            for (const auto &slot : marks.distanceRows)
                for (const auto &row : slot) failing += row[0];
            for (const auto &test : marks.counters)
                for (const auto &slot : test)
                    for (uint8_t flag : slot) failing += flag;
            EXPECT_GT(failing, 0);
            EXPECT_EQ(marks.regimeFont, clRed);
        }
        SaveWithTheSaveScreen();
        // Another job of another serial number lies after it in the list.
        w.Edit21->SetText("SN-other");
        w.write_gen_db();

        ScrambleWindow(slotCount);
        if (c.change) w.ResetZuStores();
        const QString serial = QString::fromStdString(std::string("SN-") + c.name);
        FindAndLoad(serial, 1, 0);
        for (const std::string &line : Differences(saved, w.CollectJob())) ADD_FAILURE() << line;
        if (!c.change) {
            EXPECT_TRUE(MarksShown() == marks);
        }
        for (const std::string &line : Differences(tariffs, TariffsShown(layouts)))
            ADD_FAILURE() << "shown " << line;
        // Each of the six mark and device edits shows its line of the job (every line, not the first only).
        for (const auto &[edits, field] :
             {std::pair{&w.MarkNameEdits, 240}, {&w.MarkCountEdits, 39}, {&w.ExtraDeviceEdits, 239}}) {
            EXPECT_EQ((*edits)[0]->Text(),
                      QString::fromStdString(c.name + std::string(" ") + std::to_string(field)));
            EXPECT_EQ((*edits)[1]->Text(), "łódź");
            EXPECT_EQ((*edits)[2]->Text(), kNone);
        }
        EXPECT_EQ(w.Panel342->Color() == clWhite, c.change);
        EXPECT_EQ(w.Panel13->Caption(), c.zt ? "ZT" : "MID");
        EXPECT_FALSE(w.Panel13->Enabled());
        EXPECT_FALSE(TForm1::Lit(w.Panel162));
        EXPECT_FALSE(TForm1::Lit(w.Panel163));
        EXPECT_TRUE(w.Edit110->Enabled());
        // The job tables stay open for the next load (the save below writes beside them); no other is.
        const auto objects = w.TableObjects();
        for (size_t t = 0; t < objects.size(); ++t)
            EXPECT_EQ(objects[t]->Active(), t < storage::kJobTableCount) << t;

        // Saved again, the loaded job is the same job once more.
        SaveWithTheSaveScreen();
        ScrambleWindow(slotCount);
        FindAndLoad(serial, 2, 1);
        for (const std::string &line : Differences(saved, w.CollectJob()))
            ADD_FAILURE() << "saved again: " << line;
    }
}

// A new job after a loaded own-family job shows nothing of that meter's maximum surcharges, whether
// it stays with the family ("Leg." starts a fresh record) or the regime button switches the family:
// neither annex B nor the saved job has them.
TEST_F(WindowLoad, ANewJobAfterALoadedOneKeepsNoneOfItsMaximumSurcharges) {
    const std::array<std::string, 4> surcharges = {"8,41", "8,42", "8,43", "8,44"};
    for (const bool otherFamily : {false, true}) {
        SCOPED_TRACE(otherFamily ? "the other family" : "the same family");
        form.reset();
        window = &Create();
        window->Show();
        TForm1 &w = *window;
        w.SetTaxiTivar();
        w.SetTaksometr(false);
        const std::string tag = otherFamily ? "MxDpl-B" : "MxDpl-A";
        FillGeneralData(tag);
        w.DistanceTestDone = 0;  // its tariffs may be typed over
        FillVerification(16);
        w.GroupMaxSurcharge = surcharges;
        EvaluateEveryTariff(2);
        SaveWithTheSaveScreen();
        FindAndLoad(QString::fromStdString("SN-" + tag), 1, 0);
        ASSERT_EQ(w.GroupMaxSurcharge, surcharges);

        Click(w.Panel162);                  // "Leg.": a new job
        if (otherFamily) Click(w.Panel13);  // "MID": the NOVITIUS family
        Click(w.Panel163);                  // "Ust.": the tariffs are typed
        Click(w.Panel157);                  // "Tar.1-4"
        TEdit *fee = w.TariffPanelEdits[8 * kOplD];
        ClickOnScreen(w, fee);
        TypeOver(fee, "3,00");
        ASSERT_EQ(w.TariffParams[kOplD][0], "3,00");

        const QString pdf = workDir.filePath("new job.pdf");
        Application->PrintDialogResponder = [&pdf] { return std::optional<QString>(pdf); };
        Click(w.Panel33);  // "DRUKUJ"
        for (TPanel *tick :
             {w.Panel246, w.Panel247, w.Panel405, w.Panel248, w.Panel249, w.Panel250, w.Panel283})
            if ((tick->Color() == clBlack) != (tick == w.Panel246)) ClickOnScreen(w, tick);
        Click(w.Panel251);  // "DRUKUJ" on the options screen
        Application->PrintDialogResponder = nullptr;
        const std::string paper = RunCommand("pdftotext '" + pdf.toStdString() + "' - 2>&1");
        EXPECT_NE(paper.find("PARAMETRY TARYF"), std::string::npos) << paper;
        for (const std::string &surcharge : surcharges)
            EXPECT_EQ(paper.find(surcharge), std::string::npos) << surcharge;

        SaveWithTheSaveScreen();
        w.Table6->Open();
        w.Table6->Last();
        EXPECT_EQ(w.Table6->FieldText(14), "---\r\n---\r\n---\r\n---\r\n");
        w.Table6->Close();
    }
}

TEST_F(WindowLoad, ThePagesOfTheListSkipHiddenJobsAndHidingAsksFirst) {
    TForm1 &w = *window;
    w.Table1->Open();
    for (int n = 1; n <= 45; ++n) {
        w.Table1->Append();
        w.Table1->SetFieldText(7, QString("SN%1").arg(n));
        if (n == 3 || n == 30) w.Table1->Fields()[storage::kHiddenField].SetAsInteger(1);
        w.Table1->Post();
    }
    w.Table1->Close();
    w.TestedTariffNames[0] = "A1";  // the job on screen has tariff A1 tested
    w.Edit8->SetText("A1,");
    const auto serials = [&](int rows) {
        std::vector<QString> shown;
        for (int row = 0; row < rows; ++row) shown.push_back(Cell(2, row));
        return shown;
    };
    const auto range = [](std::initializer_list<std::pair<int, int>> spans) {
        std::vector<QString> shown;
        for (const auto &[from, to] : spans)
            for (int n = from; n <= to; ++n) shown.push_back(QString("SN%1").arg(n));
        return shown;
    };
    Click(w.Panel36);
    EXPECT_EQ(serials(20), range({{1, 2}, {4, 21}}));
    EXPECT_EQ(w.JobListFull, 1);
    Click(w.Panel148);  // ">"
    EXPECT_EQ(serials(20), range({{22, 29}, {31, 42}}));
    EXPECT_EQ(Cell(0, 0), "21.");
    Click(w.Panel148);
    EXPECT_EQ(serials(3), range({{43, 45}}));
    EXPECT_EQ(Cell(0, 3), kNone);
    EXPECT_EQ(Cell(4, 19), "");
    EXPECT_EQ(w.JobListFull, 0);
    Click(w.Panel148);  // past the last page: nothing changes
    EXPECT_EQ(w.JobListPage, 2);
    EXPECT_EQ(serials(3), range({{43, 45}}));

    // A row without a job does nothing.
    const QString shownSerial = w.Edit21->Text();
    Click(w.JobRowPanels[5]);
    EXPECT_TRUE(w.Panel38->Visible());
    EXPECT_EQ(w.Edit21->Text(), shownSerial);
    EXPECT_EQ(w.JobRowPanels[5]->BevelOuter(), bvRaised);

    Click(w.Panel147);  // "<"
    EXPECT_EQ(serials(20), range({{22, 29}, {31, 42}}));
    Click(w.Panel147);
    Click(w.Panel147);  // on the first page: nothing changes
    EXPECT_EQ(w.JobListPage, 0);
    EXPECT_EQ(serials(20), range({{1, 2}, {4, 21}}));

    // Hiding asks first: "No" keeps the job, "Yes" hides it and the page fills up from the next one.
    std::vector<int> answers = {IDNO, IDYES};
    Application->ModalBoxResponder = [&](const TModalBox &box) {
        boxes.push_back(box);
        EXPECT_FALSE(w.Enabled());
        EXPECT_EQ(w.JobRowPanels[1]->Color(), static_cast<TColor>(0xC0DCC0));
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    };
    Click(w.JobHidePanels[1]);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Czy chcesz usunąć wybrany REKORD?");
    EXPECT_EQ(boxes[0].caption, "Usuń REKORD!!!");
    EXPECT_EQ(boxes[0].flags & MB_YESNO, MB_YESNO);
    EXPECT_EQ(serials(20), range({{1, 2}, {4, 21}}));
    EXPECT_TRUE(w.Enabled());
    EXPECT_EQ(w.JobRowPanels[1]->Color(), clBtnFace);
    Click(w.JobHidePanels[1]);
    EXPECT_EQ(serials(20), range({{1, 1}, {4, 22}}));
    EXPECT_TRUE(w.Enabled());
    EXPECT_EQ(w.JobRowPanels[1]->Color(), clBtnFace);
    Click(w.Panel148);
    EXPECT_EQ(serials(20), range({{23, 29}, {31, 43}}));
    Click(w.Panel149);  // "WYJDZ"
    EXPECT_FALSE(w.Panel38->Visible());
    EXPECT_TRUE(w.Panel239->Visible());
    EXPECT_EQ(w.Edit8->Text(), "A1,") << "a look at the list leaves the tested tariffs of the job on screen";

    // Loading a job without results leaves none of the earlier job's tested tariffs.
    Click(w.Panel36);
    const QString firstRow = Cell(2, 0);
    Click(w.JobRowPanels[0]);
    EXPECT_EQ(w.Edit21->Text(), firstRow);
    EXPECT_EQ(w.Edit8->Text(), "");
    EXPECT_TRUE(std::all_of(w.TestedTariffNames.begin(), w.TestedTariffNames.end(),
                            [](const QString &name) { return name.isEmpty(); }));
}

// What the documents print that a restart used to lose: the check period (kept also when the
// checklist item that once decided it is not black), the tyre size's parts in their own widths
// ("---" in the two-character profile, a two-digit width) and the courses of the live display,
// which the course annex prints, drawn again by the display after the load.
// One damaged job record among sound ones: the list's page shows every sound job and the damaged
// job's row reads the error, which a click on the row reports; a search typed in the list lists it
// among its matches the same way.
TEST_F(WindowLoad, ADamagedJobKeepsItsRowInTheListAndInASearchAndLoadingItReportsTheDamage) {
    TForm1 &w = *window;
    w.Table1->Open();
    for (int n = 1; n <= 23; ++n) {
        w.Table1->Append();
        w.Table1->SetFieldText(7, QString(n % 2 ? "FIND%1" : "SN%1").arg(n));
        w.Table1->Post();
    }
    w.Table1->Close();
    DamageRecord(w.Table1->Table(), 5);
    const QString damaged = QString::fromStdString(w.Table1->Table().TableName()) + ": record 5 is damaged";
    // Serial and description of the first `count` rows; the jobs `numbers` as they should show.
    const auto shown = [&](int count) {
        std::vector<std::string> rows;
        for (int row = 0; row < count; ++row) rows.push_back((Cell(2, row) + "|" + Cell(3, row)).toStdString());
        return rows;
    };
    const auto jobs = [&](int first, int last, int step) {
        std::vector<std::string> rows;
        for (int n = first; n <= last; n += step)
            rows.push_back((n == 5 ? "|" + damaged : QString(n % 2 ? "FIND%1|" : "SN%1|").arg(n)).toStdString());
        return rows;
    };
    const auto loadRow = [&](int row) {
        boxes.clear();
        Click(w.JobRowPanels[static_cast<size_t>(row)]);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].kind, TModalBox::Error);
        EXPECT_EQ(boxes[0].text, damaged + ".");
        EXPECT_TRUE(w.Panel38->Visible());  // the list stays open
    };

    Click(w.Panel36);  // "CZYTAJ BD"
    EXPECT_EQ(shown(20), jobs(1, 20, 1));
    EXPECT_EQ(Cell(0, 4), "5.");
    EXPECT_EQ(w.JobListFull, 1);
    loadRow(4);

    ClickOnScreen(w, w.Edit466);
    w.Edit466->SetText("FIND");
    Click(w.Panel238);  // "Q"
    EXPECT_EQ(shown(12), jobs(1, 23, 2));
    EXPECT_EQ(Cell(0, 12), kNone);
    loadRow(2);
    EXPECT_TRUE(w.Enabled());
}

TEST_F(WindowLoad, AJobLoadedAfterARestartShowsWhatItsDocumentsPrinted) {
    TForm1 &w = *window;
    FillGeneralData("reprint");
    w.Panel281->SetColor(clBtnFace);
    w.Edit111->SetText("20");
    w.Edit457->SetText(kNone);
    w.Edit458->SetText("16");
    w.KursPageCodes = {'A', 'C', 'E', 'H'};
    w.KursTaryfa = 0x01;  // tariff 2 of page A
    w.KursSystem = 'S';
    for (size_t line = 0; line < decoders::kKursLines; ++line) w.KursData[line] = "v" + std::to_string(line);
    w.KursData[1] = "2023-12-31 23:59";
    w.Label465->SetCaption("KURS: 3");
    w.Label466->SetCaption("KURS: 2");
    w.Label469->SetCaption("r0\r\nr1\r\nr2");
    w.CourseTariffGroup = {1, 255, 255};
    w.CourseTariffUnits[0] = {15, 0, 4, 0xFFFFFFFF};
    w.CourseSurchargeUnits[1] = 3;
    gui::AdvanceTime(500);  // the live display draws the current course
    ASSERT_EQ(w.Label465->Caption(), "KURS: 3\r\nTaryfa: A2/System: S");
    const std::array<TLabel *, 6> display{w.Label465, w.Label466, w.Label467,
                                          w.Label468, w.Label469, w.Label470};
    std::array<QString, 6> shown;
    for (size_t i = 0; i < display.size(); ++i) shown[i] = display[i]->Caption();
    const auto groups = w.CourseTariffGroup;
    const auto units = w.CourseTariffUnits;
    const auto surcharges = w.CourseSurchargeUnits;
    SaveWithTheSaveScreen();

    form.reset();
    window = &Create();
    window->Show();
    TForm1 &again = *window;
    ASSERT_NE(again.Label465->Caption(), shown[0]);
    FindAndLoad("SN-reprint", 1, 0);
    EXPECT_EQ(again.Edit483->Text(), "2026-01-01");
    EXPECT_EQ(again.Edit484->Text(), "2026-12-31");
    EXPECT_EQ(again.Edit111->Text(), "20");
    EXPECT_EQ(again.Edit457->Text(), kNone);
    EXPECT_EQ(again.Edit458->Text(), "16");
    gui::AdvanceTime(1000);  // the live display redraws from what the load restored
    const std::array<TLabel *, 6> loaded{again.Label465, again.Label466, again.Label467,
                                         again.Label468, again.Label469, again.Label470};
    for (size_t i = 0; i < loaded.size(); ++i)
        EXPECT_EQ(loaded[i]->Caption(), shown[i]) << loaded[i]->Name().toStdString();
    EXPECT_EQ(again.CourseTariffGroup, groups);
    EXPECT_EQ(again.CourseTariffUnits, units);
    EXPECT_EQ(again.CourseSurchargeUnits, surcharges);
}

// Records written with the checklist as a 24-bit number load their marks from it; today's records
// keep all 34 marks as lines, and a mark that is none of "+", "-", "ND" shows "+".
TEST_F(WindowLoad, TheChecklistLoadsFromEitherStoredForm) {
    TForm1 &w = *window;
    struct Case {
        std::string mask;
        std::vector<std::string> lines;
        std::vector<QString> expected;  // the 24 mask panels, then the 34 items
    };
    std::vector<QString> alternating, allPlus(24, "+"), fromLines;
    for (int b = 0; b < 24; ++b) alternating.push_back(b % 2 == 0 ? "+" : "-");
    std::vector<std::string> lines;
    for (int i = 0; i < 33; ++i) {
        const char *mark = i % 4 == 0 ? "-" : i % 4 == 1 ? "ND" : i % 4 == 2 ? "+" : "x";
        lines.push_back(mark);
        fromLines.push_back(i % 4 == 0 ? "-" : i % 4 == 1 ? "ND" : "+");
    }
    fromLines.push_back("+");  // the 34th line is missing
    const Case cases[] = {
        {"5592405", lines, alternating},  // 0x555555
        {"16777215", lines, allPlus},
        {"", lines, fromLines},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mask);
        storage::JobRecord job = w.CollectJob();
        if (!c.mask.empty()) job[storage::kGenData][22] = c.mask;
        std::string list;
        for (const std::string &line : c.lines) list += line + "\r\n";
        job[storage::kGenData2][21] = list;
        const int number = storage::SaveJob(TTable::Session(), w.JobTables(), job, {});
        w.ReadRec(number);
        if (c.mask.empty()) {
            for (size_t i = 0; i < 34; ++i)
                EXPECT_EQ(w.InspectionItemPanels[i]->Caption(), c.expected[i]) << i;
        } else {
            for (size_t b = 0; b < 24; ++b) EXPECT_EQ(w.ScaledPanels[202 + b]->Caption(), c.expected[b]) << b;
        }
    }
}

}  // namespace
