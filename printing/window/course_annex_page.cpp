#include "app/form1.h"
#include "printing/course_annex.h"

void TForm1::SetPrintLumerant(TCanvas &canvas, int m) {
    printing::CourseAnnexData data;
    const std::array<TLabel *, 3> values{Label468, Label469, Label470};
    const std::array<TLabel *, 3> headers{Label465, Label466, Label467};
    for (size_t k = 0; k < 3; ++k) {
        printing::CourseColumn &course = data.courses[k];
        course.values = values[k]->Caption();
        course.header = headers[k]->Caption();
        course.tariffGroup = CourseTariffGroup[k];
        course.tariffUnits = CourseTariffUnits[k];
        course.surchargeUnits = CourseSurchargeUnits[k];
    }
    for (size_t slot = 0; slot < 16; ++slot) {
        data.initialDistance[slot] = QString::fromStdString(TariffParams[evaluation::kDps][slot]);
        data.initialTime[slot] = QString::fromStdString(TariffParams[evaluation::kCps][slot]);
        data.feePerKm[slot] = QString::fromStdString(TariffParams[evaluation::kOplD][slot]);
        data.feePerHour[slot] = QString::fromStdString(TariffParams[evaluation::kOplC][slot]);
    }
    printing::DrawCourseAnnex(canvas, m, data);
}
