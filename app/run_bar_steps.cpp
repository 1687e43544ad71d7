#include "app/run_bar_steps.h"

namespace shell {

QString DateText(int year, int month, int day) {
    return QStringLiteral("%1-%2-%3").arg(year).arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0'));
}

}  // namespace shell
