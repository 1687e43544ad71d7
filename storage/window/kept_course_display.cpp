// The live course display kept with a job: taken from the window when the job is saved, and put
// back when it is loaded, the current course into the store the display draws its first column
// from, so that the display and the course annex show the job's courses again.
#include <QStringList>

#include "app/form1.h"
#include "platform/runtime/cp1250.h"
#include "storage/kept_courses.h"

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

}  // namespace

std::string TForm1::KeptCoursesText() const {
    storage::KeptCourses kept;
    const std::array<const TLabel *, 3> headings{Label465, Label466, Label467};
    const std::array<const TLabel *, 3> values{Label468, Label469, Label470};
    for (size_t k = 0; k < kept.courses.size(); ++k) {
        storage::KeptCourse &course = kept.courses[k];
        course.heading = headings[k]->Caption().toStdString();
        course.values = values[k]->Caption().toStdString();
        course.tariffGroup = CourseTariffGroup[k];
        course.tariffUnits = CourseTariffUnits[k];
        course.surchargeUnits = CourseSurchargeUnits[k];
    }
    kept.tariff = KursTaryfa;
    for (size_t i = 0; i < kept.pageCodes.size(); ++i) kept.pageCodes[i] = static_cast<uint8_t>(KursPageCodes[i]);
    kept.system = KursSystem;
    return storage::KeptCoursesText(kept);
}

void TForm1::ShowKeptCourses(std::string_view text) {
    const std::optional<storage::KeptCourses> kept = storage::ReadKeptCourses(text);
    if (!kept) return;  // a job saved without its courses leaves the display as it is
    const std::array<TLabel *, 3> headings{Label465, Label466, Label467};
    const std::array<TLabel *, 3> values{Label468, Label469, Label470};
    for (size_t k = 0; k < kept->courses.size(); ++k) {
        const storage::KeptCourse &course = kept->courses[k];
        headings[k]->SetCaption(QString::fromStdString(course.heading));
        values[k]->SetCaption(QString::fromStdString(course.values));
        CourseTariffGroup[k] = course.tariffGroup;
        CourseTariffUnits[k] = course.tariffUnits;
        CourseSurchargeUnits[k] = course.surchargeUnits;
    }
    decoders::CourseStore::ClearMemoData();
    const QStringList current = values[0]->Caption().split(kLineBreak);
    for (qsizetype line = 0; line < current.size() && line < static_cast<qsizetype>(decoders::kKursLines); ++line)
        KursData[static_cast<size_t>(line)] = Utf8ToCp1250(current[line].toStdString());
    KursTaryfa = kept->tariff;
    for (size_t i = 0; i < KursPageCodes.size(); ++i) KursPageCodes[i] = static_cast<char>(kept->pageCodes[i]);
    KursSystem = kept->system;
    TimerDisplayDataTIV();
}
