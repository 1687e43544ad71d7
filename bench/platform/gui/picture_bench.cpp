// Decoding a page-sized picture (an A5 area at 300 dpi) with our readers and with Qt's readers of
// the same formats, in the same process; the counters give our time over the peer's.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <chrono>

#include "platform/gui/bmp.h"
#include "platform/gui/jpeg.h"

namespace {

QImage PageSizedPicture() {
    QImage image(1748, 2480, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int i = 0; i < 60; ++i) {
        painter.setPen(QPen(QColor::fromHsv(i * 6, 200, 180), 9));
        painter.drawEllipse(40 * i, 30 * i, 500, 400);
    }
    return image;
}

QByteArray QtJpeg(const QImage &image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return data;
}

template <class Decode>
double SecondsPerDecode(Decode decode, int rounds) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) benchmark::DoNotOptimize(decode());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / rounds;
}

// Runs our decoder as the measured loop and reports its time relative to the peer's.
template <class Ours, class Peer>
void CompareDecoders(benchmark::State &state, Ours ours, Peer peer) {
    for (auto _ : state) benchmark::DoNotOptimize(ours());
    const double oursSeconds = SecondsPerDecode(ours, 5), peerSeconds = SecondsPerDecode(peer, 5);
    state.counters["ours_over_qt"] = oursSeconds / peerSeconds;
}

void BM_ReadBmp(benchmark::State &state) {
    const QByteArray bmp = gui::WriteBmp(PageSizedPicture());
    CompareDecoders(
        state, [&] { return gui::ReadBmp(bmp); }, [&] { return QImage::fromData(bmp, "BMP"); });
}
BENCHMARK(BM_ReadBmp)->Unit(benchmark::kMillisecond);

void BM_ReadJpeg(benchmark::State &state) {
    const QByteArray jpeg = QtJpeg(PageSizedPicture());
    if (QImage::fromData(jpeg, "JPG").isNull()) {
        state.SkipWithError("Qt has no JPEG reader here");
        return;
    }
    CompareDecoders(
        state, [&] { return gui::ReadJpeg(jpeg); }, [&] { return QImage::fromData(jpeg, "JPG"); });
}
BENCHMARK(BM_ReadJpeg)->Unit(benchmark::kMillisecond);

}  // namespace
