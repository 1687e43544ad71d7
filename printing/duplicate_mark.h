#pragma once
// The watermark of a duplicate certificate: the word DUPLIKAT in large light-grey capitals running
// diagonally from the lower left to the upper right on white, 847 x 1081 pixels.
#include <QImage>

namespace printing {

QImage DuplicateWatermark();

}  // namespace printing
