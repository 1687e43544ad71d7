#include "graphics/quantizer.h"

#include <algorithm>

#include "graphics/dib.h"
#include "graphics/dib_iterators.h"
#include "graphics/errors.h"

namespace {

constexpr int kCellLimit[3] = {31, 63, 31};
constexpr int kExtentScale[3] = {16, 12, 8};
const char *const kPlaneNames[3] = {"Red", "Green", "Blue"};

// The box with the strictly largest key among those that can still be split (volume >= 1).
template <class Key>
size_t BiggestBox(const std::vector<std::unique_ptr<TColourBox>> &boxes, Key key) {
    size_t best = boxes.size();
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i]->Volume() >= 1 && (best == boxes.size() || key(*boxes[i]) > key(*boxes[best]))) best = i;
    }
    if (best == boxes.size()) throw ESplitProblem("");
    return best;
}

}  // namespace

TColourBox::TColourBox(const graphics::TColourCube &histogram, int redMin, int redMax, int greenMin,
                       int greenMax, int blueMin, int blueMax)
    : histogram_(histogram), min_{redMin, greenMin, blueMin}, max_{redMax, greenMax, blueMax} {
    ShrinkToFit();
}

template <class Visit>
void TColourBox::ForEachOccupiedCell(int redMin, int redMax, int greenMin, int greenMax, int blueMin,
                                     int blueMax, Visit visit) const {
    for (int r = redMin; r <= redMax; ++r) {
        for (int g = greenMin; g <= greenMax; ++g) {
            const uint16_t *row = &histogram_[graphics::CubeOffset(r, g, 0)];
            for (int b = blueMin; b <= blueMax; ++b) {
                if (row[b] != 0 && !visit(r, g, b)) return;
            }
        }
    }
}

bool TColourBox::PlaneOccupied(TAccColours axis, int plane) const {
    int lo[3] = {min_[0], min_[1], min_[2]};
    int hi[3] = {max_[0], max_[1], max_[2]};
    lo[axis] = hi[axis] = plane;
    bool found = false;
    ForEachOccupiedCell(lo[0], hi[0], lo[1], hi[1], lo[2], hi[2], [&found](int, int, int) {
        found = true;
        return false;
    });
    return found;
}

void TColourBox::ShrinkToFit() {
    for (int a = 0; a < 3; ++a) {
        const auto axis = static_cast<TAccColours>(a);
        if (min_[a] < max_[a]) {
            int plane = min_[a];
            while (plane <= max_[a] && !PlaneOccupied(axis, plane)) ++plane;
            if (plane > max_[a])
                throw EQuantError(std::string("Unable to find Colour in ") + kPlaneNames[a] + " Plane");
            min_[a] = plane;
        }
        if (min_[a] < max_[a]) {
            int plane = max_[a];
            while (plane > min_[a] && !PlaneOccupied(axis, plane)) --plane;
            max_[a] = plane;
        }
    }
    volume_ = 0;
    for (int a = 0; a < 3; ++a) {
        extent_[a] = int64_t{max_[a] - min_[a]} * kExtentScale[a];
        volume_ += extent_[a] * extent_[a];
    }
    colourCount_ = 0;
    ForEachOccupiedCell(min_[0], max_[0], min_[1], max_[1], min_[2], max_[2], [this](int, int, int) {
        ++colourCount_;
        return true;
    });
}

std::unique_ptr<TColourBox> TColourBox::Split() {
    int axis = acGreen;
    if (extent_[acRed] > extent_[axis]) axis = acRed;
    if (extent_[acBlue] > extent_[axis]) axis = acBlue;
    const int lb = min_[axis] + (max_[axis] - min_[axis]) / 2;
    int hi[3] = {max_[0], max_[1], max_[2]};
    hi[axis] = lb;
    auto lower = std::make_unique<TColourBox>(histogram_, min_[0], hi[0], min_[1], hi[1], min_[2], hi[2]);
    min_[axis] = lb + 1;
    ShrinkToFit();
    return lower;
}

void TColourBox::GetMedianColour(uint8_t &red, uint8_t &green, uint8_t &blue) const {
    if (colourCount_ == 1) {
        red = static_cast<uint8_t>(min_[acRed] * 8);
        green = static_cast<uint8_t>(min_[acGreen] * 4);
        blue = static_cast<uint8_t>(min_[acBlue] * 8);
        return;
    }
    // The mean of the occupied cells' centres, each cell counted once, rounded half up.
    int64_t sum[3] = {0, 0, 0};
    ForEachOccupiedCell(min_[0], max_[0], min_[1], max_[1], min_[2], max_[2], [&sum](int r, int g, int b) {
        sum[0] += 8 * r + 7;
        sum[1] += 4 * g + 3;
        sum[2] += 8 * b + 7;
        return true;
    });
    const int64_t n = colourCount_;
    red = static_cast<uint8_t>((2 * sum[0] + n) / (2 * n));
    green = static_cast<uint8_t>((2 * sum[1] + n) / (2 * n));
    blue = static_cast<uint8_t>((2 * sum[2] + n) / (2 * n));
}

TQuantizedPalette::TQuantizedPalette(const TDeviceIndependentBitmap &dib, int colours) : requested_(colours) {
    if (colours > 256) throw EQuantError("Too Many Colours Required");
    if (colours < 1) throw EQuantError("Too Few Colours Required");
    ReAlloc(colours);
    BuildPalette(dib);
}

void TQuantizedPalette::Assign(const TDeviceIndependentBitmap &dib) {
    if (dib.GetColourBits() <= 8) {
        TLogicalPalette::Assign(dib);
        return;
    }
    ReAlloc(256);
    BuildPalette(dib);
}

void TQuantizedPalette::BuildPalette(const TDeviceIndependentBitmap &dib) {
    if (GetCount() > 0) throw Exception("Cannot rebuild a Histogram");
    const auto histogram = std::make_unique<graphics::TColourCube>();
    const std::unique_ptr<TDIBReader> reader = dib.GetReader();
    for (; !reader->EndOfImage(); reader->NextRow()) {
        uint8_t r, g, b;
        while (reader->GetNextPixel(r, g, b)) {
            uint16_t &cell = (*histogram)[graphics::CubeOffset(r >> 3, g >> 2, b >> 3)];
            if (cell < 65535) ++cell;
        }
    }

    std::vector<std::unique_ptr<TColourBox>> boxes;
    boxes.push_back(
        std::make_unique<TColourBox>(*histogram, 0, kCellLimit[0], 0, kCellLimit[1], 0, kCellLimit[2]));
    // An image with fewer occupied cells than colours asked for gets one entry per cell.
    const int n = static_cast<int>(std::min<int64_t>(requested_, boxes[0]->ColourCount()));
    for (int i = 0; i < n / 2; ++i) {
        boxes.push_back(
            boxes[BiggestBox(boxes, [](const TColourBox &box) { return box.ColourCount(); })]->Split());
    }
    for (int i = 0; i < n - 1 - n / 2; ++i) {
        boxes.push_back(
            boxes[BiggestBox(boxes, [](const TColourBox &box) { return box.Volume(); })]->Split());
    }

    ReAlloc(static_cast<int>(boxes.size()));
    SetCount(static_cast<int>(boxes.size()));
    bool exact = true;
    InitCache();
    for (size_t i = 0; i < boxes.size(); ++i) {
        uint8_t r, g, b;
        boxes[i]->GetMedianColour(r, g, b);
        SetEntry(static_cast<int>(i), r, g, b);
        if (boxes[i]->ColourCount() == 1) {
            SetCacheCell(boxes[i]->Min(acRed), boxes[i]->Min(acGreen), boxes[i]->Min(acBlue),
                         static_cast<uint16_t>(i + 1));
        } else {
            exact = false;
        }
    }
    SetExact(exact);
}
