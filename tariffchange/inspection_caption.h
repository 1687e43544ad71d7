#pragma once
// The vertical caption of the change protocol's checklist: "Oględziny zewnętrzne:" in white bold
// serif letters on black, reading from bottom to top, in the proportions of the 37 x 329 pixel
// bitmap it stands for (drawn four times as fine, for the printer).
#include <QImage>

namespace tariffchange {

QImage InspectionCaption();

}  // namespace tariffchange
