#pragma once
// The two mixing policies of the segmentation: the cost search over the runs of each chunk and the
// single left-to-right pass.
#include <string_view>

#include "barcode/qr_types.h"

namespace barcode {

SegmentList MixingOptimal(std::string_view text, int version, bool allowKanji);
SegmentList MixingQuick(std::string_view text, int version, bool allowKanji);

}  // namespace barcode
