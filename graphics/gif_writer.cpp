#include "graphics/gif_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "graphics/dib_iterators.h"
#include "graphics/dither.h"
#include "graphics/errors.h"
#include "graphics/gif_blocks.h"
#include "graphics/lzw.h"
#include "graphics/quantizer.h"

using namespace gif;

namespace {

// ceil(log2(count)) - 1: the table written holds 2^(field + 1) entries.
int TableSizeField(int count) {
    int field = 0;
    while ((2 << field) < count) ++field;
    return field;
}

// 0 for square pixels; else (ratio x 64) - 15, kept within what a byte can say.
uint8_t AspectByte(double ratio) {
    if (ratio == 1.0) return 0;
    const double value = std::trunc(ratio * 64) - 15;
    return static_cast<uint8_t>(std::clamp(std::isfinite(value) ? value : 255.0, 1.0, 255.0));
}

// Sizes and positions are 16-bit words: a larger one cannot be written at all.
uint16_t CheckedWord(int64_t value) {
    if (value < 0 || value > 0xFFFF)
        throw EGIFError("Image size or position out of the range of a GIF stream");
    return static_cast<uint16_t>(value);
}

// The transparent entry of the table a bitmap is written with. A bitmap written with its own
// table keeps its entry, which another entry of the same colour must not take over.
uint8_t TransparentEntry(const TDeviceIndependentBitmap &dib, TLogicalPalette &palette, bool ownTable) {
    if (ownTable && dib.TransparentIndex >= 0 && dib.TransparentIndex < palette.GetCount())
        return static_cast<uint8_t>(dib.TransparentIndex);
    return palette.GetNearestColourIndex(dib.TransparentColour);
}

// Bits that values up to `used` take (at least 1).
int BitsFor(TColourIndex used) {
    int bits = 1;
    while ((1u << bits) <= used) ++bits;
    return bits;
}

// Bits the bitmap's pixel values take: what its format holds, or for 8 bits what its pixels use
// (the scan stops once they need more than a narrow coder takes).
int IndexBitsOf(const TDeviceIndependentBitmap &dib) {
    const int formatBits = dib.GetColourBits();
    if (formatBits != 8) return formatBits;
    const auto source = dib.GetReader();
    auto &reader = static_cast<TDIBMappedReader &>(*source);
    std::vector<TColourIndex> row(static_cast<size_t>(dib.GetWidth()));
    TColourIndex used = 0;
    for (reader.Reset(0, 1); !reader.EndOfImage() && used < 32; reader.NextRow())
        used |= JoinedBits(row.data(), reader.GetNextColourIndexes(row.data(), dib.GetWidth()));
    return BitsFor(used);
}

// Images of at most this many pixels are read whole into a buffer on the stack and coded in one
// call: no pass to learn what bits their values take, no coder work per row.
constexpr int kSmallImagePixels = 1 << 14;

// Runs `rowsOf(firstRow, step)` for each pass of the row order; answers the rows they took.
template <class Rows>
int RowsInOrder(bool interlace, Rows rowsOf) {
    if (!interlace) return rowsOf(0, 1);
    int rows = 0;
    for (const auto &pass : kInterlacePasses) rows += rowsOf(pass[0], pass[1]);
    return rows;
}

}  // namespace

TZUB_CustomGifCompressor::TZUB_CustomGifCompressor() = default;

TZUB_CustomGifCompressor::~TZUB_CustomGifCompressor() {
    try {
        CloseImageStream();
    } catch (const Exception &) {
        // A stream that refuses the trailer has nobody left to tell.
    }
}

int TZUB_CustomGifCompressor::GetPercentDone() const {
    if (totalRows_ <= 0) return 0;
    // rowsDone_ * 100 / totalRows_ rounded half to even, in integers: asked after every row.
    // Rows are 16-bit counts (twice that while dithering): the products fit an int.
    const int scaled = rowsDone_ * 100;
    const int whole = scaled / totalRows_, twiceRest = scaled % totalRows_ * 2;
    return static_cast<int>(whole + (twiceRest > totalRows_ || (twiceRest == totalRows_ && whole % 2 != 0)));
}

void TZUB_CustomGifCompressor::OpenImageStream(graphics::TStream &stream) {
    const graphics::TStream *held = ImageStream();
    TZUBGraphicsEngine::OpenImageStream(stream);
    if (held == &stream) return;
    WriteHeader();
    screenDescriptorWritten_ = false;
}

void TZUB_CustomGifCompressor::CloseImageStream() {
    if (!ImageStream()) return;
    try {
        WriteTrailer();
    } catch (...) {
        TZUBGraphicsEngine::CloseImageStream();
        throw;
    }
    TZUBGraphicsEngine::CloseImageStream();
}

void TZUB_CustomGifCompressor::SetGIFType(TGIFType type) {
    if (ImageStream()) throw EGIFError("Cannot change the GIF type while writing a GIF Stream");
    gifType_ = type;
}

void TZUB_CustomGifCompressor::Require89a(const char *block) const {
    if (gifType_ == gt87a)
        throw EGIFError(std::string("A ") + block + " block cannot be encoded under GIF 87a");
}

void TZUB_CustomGifCompressor::WriteHeader() {
    const char *header = gifType_ == gt89a ? "GIF89a" : gifType_ == gt87a ? "GIF87a" : nullptr;
    if (!header) throw EGIFError("Cannot create a GIF Stream of unknown type");
    TBlockBytes bytes;
    for (int i = 0; i < 6; ++i) bytes.Byte(static_cast<uint8_t>(header[i]));
    bytes.WriteTo(Stream());
}

void TZUB_CustomGifCompressor::WriteTrailer() {
    WriteByte(Stream(), kTrailer);
    if (!RetainGlobalPalette) globalPalette_.Clear();
}

void TZUB_CustomGifCompressor::WriteDIBitmap(const TDeviceIndependentBitmap &dib) {
    TGIFGraphicControlInfo info;
    info.Origin = {ImageXOrigin, ImageYOrigin};
    WriteDIB(dib, info);
}

void TZUB_CustomGifCompressor::WriteGIFGraphicToStream(graphics::TStream &stream,
                                                       const TZUBExtGraphic &graphic,
                                                       const TGIFGraphicControlInfo &info) {
    OpenImageStream(stream);
    WriteGIFGraphic(graphic, info);
}

void TZUB_CustomGifCompressor::WriteGIFGraphic(const TZUBExtGraphic &graphic,
                                               const TGIFGraphicControlInfo &info) {
    if (const auto *dib = dynamic_cast<const TDeviceIndependentBitmap *>(&graphic)) {
        WriteDIB(*dib, info);
    } else if (const auto *text = dynamic_cast<const TPlainText *>(&graphic)) {
        WritePlainText(*text, info);
    } else {
        throw EGIFError("Unrecognised graphic type");
    }
}

void TZUB_CustomGifCompressor::WriteComment(const std::string &text) {
    Require89a("Comment");
    WriteByte(Stream(), kExtensionIntroducer);
    WriteByte(Stream(), kCommentLabel);
    WriteDataBlock(Stream(), reinterpret_cast<const uint8_t *>(text.data()), text.size());
}

void TZUB_CustomGifCompressor::WriteApplicationExtension(const TAppID &appId, const TAuthCode &authCode,
                                                         const uint8_t *data, int count) {
    Require89a("Application Extension");
    graphics::TStream &stream = Stream();
    WriteByte(stream, kExtensionIntroducer);
    WriteByte(stream, kApplicationLabel);
    WriteByte(stream, 11);
    // The identifier is 8 characters and the code 3, padded with spaces when shorter.
    std::string header =
        (appId + std::string(8, ' ')).substr(0, 8) + (authCode + std::string(3, ' ')).substr(0, 3);
    for (const char c : header) WriteByte(stream, static_cast<uint8_t>(c));
    WriteDataBlock(stream, data, count > 0 ? static_cast<size_t>(count) : 0);
}

void TZUB_CustomGifCompressor::WriteLoopControl(int count) {
    const auto loops = static_cast<uint16_t>(std::clamp(count, 0, 0xFFFF));
    const uint8_t data[3] = {1, static_cast<uint8_t>(loops & 0xFF), static_cast<uint8_t>(loops >> 8)};
    WriteApplicationExtension("NETSCAPE", "2.0", data, 3);
}

void TZUB_CustomGifCompressor::WriteLogicalScreenDescriptor(int width, int height, int colourResolution,
                                                            uint8_t aspect) {
    TBlockBytes bytes;
    bytes.Word(CheckedWord(width)).Word(CheckedWord(height));
    const int count = globalPalette_.GetCount();
    const int field = TableSizeField(count);
    const uint8_t packed =
        count > 0
            ? static_cast<uint8_t>(kColourTableFlag | 0x08 | ((colourResolution - 1) & 7) << 4 | (field & 7))
            : 0;
    bytes.Byte(packed)
        .Byte(count > 0 ? globalPalette_.GetNearestColourIndex(BackgroundColor) : 0)
        .Byte(aspect);
    bytes.WriteTo(Stream());
    if (count > 0) WriteColourTable(globalPalette_, 2 << field);
    screenDescriptorWritten_ = true;
}

void TZUB_CustomGifCompressor::WriteScreenOnce(int width, int height, int colourResolution, uint8_t aspect) {
    if (screenDescriptorWritten_) return;
    if (GlobalFrame.UseGlobalFrame) {
        width = GlobalFrame.Width;
        height = GlobalFrame.Height;
    }
    WriteLogicalScreenDescriptor(width, height, colourResolution, aspect);
}

void TZUB_CustomGifCompressor::WriteColourTable(const TLogicalPalette &palette, int entries) {
    std::vector<uint8_t> table(static_cast<size_t>(entries) * 3, 0);
    for (int i = 0; i < std::min(entries, palette.GetCount()); ++i) {
        const TPaletteEntry &e = palette.Entry(i);
        table[3 * i] = e.peRed;
        table[3 * i + 1] = e.peGreen;
        table[3 * i + 2] = e.peBlue;
    }
    if (Stream().Write(table.data(), static_cast<int64_t>(table.size())) !=
        static_cast<int64_t>(table.size()))
        throw EGIFError("Error writing to output stream");
}

void TZUB_CustomGifCompressor::WriteGraphicControlExtension(const TGIFGraphicControlInfo &info,
                                                            bool transparent, uint8_t transparentIndex) {
    Require89a("Graphic Control");
    TBlockBytes()
        .Byte(kExtensionIntroducer)
        .Byte(kGraphicControlLabel)
        .Byte(4)
        .Byte(static_cast<uint8_t>((transparent ? 1 : 0) | (info.UserInput ? 2 : 0) |
                                   (info.DisposalMethod & 7) << 2))
        .Word(static_cast<uint16_t>(std::clamp(info.DelayTime / 10, 0, 0xFFFF)))
        .Byte(transparentIndex)
        .Byte(0)
        .WriteTo(Stream());
}

void TZUB_CustomGifCompressor::WriteCommentAndControl(const TGIFGraphicControlInfo &info, bool transparent,
                                                      uint8_t transparentIndex) {
    if (gifType_ != gt89a) return;
    if (!Comment.empty()) WriteComment(Comment);
    WriteGraphicControlExtension(info, transparent, transparentIndex);
}

void TZUB_CustomGifCompressor::WriteImageDescriptor(graphics::TPoint origin, int width, int height,
                                                    const TLogicalPalette *localPalette) {
    TBlockBytes bytes;
    bytes.Byte(kImageSeparator).Word(CheckedWord(origin.X)).Word(CheckedWord(origin.Y));
    bytes.Word(CheckedWord(width)).Word(CheckedWord(height));
    const int field = localPalette ? TableSizeField(localPalette->GetCount()) : 0;
    uint8_t packed = localPalette ? static_cast<uint8_t>(kColourTableFlag | field) : 0;
    if (Interlace) packed |= kInterlaceFlag;
    bytes.Byte(packed).WriteTo(Stream());
    if (localPalette) WriteColourTable(*localPalette, 2 << field);
}

void TZUB_CustomGifCompressor::WriteDIB(const TDeviceIndependentBitmap &dib,
                                        const TGIFGraphicControlInfo &info) {
    // Nothing of an image is written unless all of it fits.
    for (const int64_t word : {dib.GetWidth(), dib.GetHeight(), info.Origin.X, info.Origin.Y})
        CheckedWord(word);
    const int bits = dib.GetColourBits();
    std::unique_ptr<TLogicalPalette> palette;
    if (Grayscale) {
        palette = std::make_unique<TLogicalPalette>(dpGrayscale);
    } else if (bits > 8) {
        palette = std::make_unique<TQuantizedPalette>(dib, 256);
    } else {
        palette = std::make_unique<TLogicalPalette>(dib);
    }
    if (globalPalette_.GetCount() == 0) globalPalette_.Assign(*palette);
    WriteScreenOnce(dib.GetWidth(), dib.GetHeight(), bits == 16 ? 5 : 8, AspectByte(dib.GetAspectRatio()));
    WriteCommentAndControl(info, dib.Transparent,
                           dib.Transparent ? TransparentEntry(dib, *palette, !Grayscale && bits <= 8) : 0);
    WriteImageDescriptor(info.Origin, dib.GetWidth(), dib.GetHeight(),
                         globalPalette_.IsSubPalette(*palette) ? nullptr : palette.get());
    rowsDone_ = 0;
    totalRows_ = dib.GetHeight();
    const bool dither =
        (Grayscale && bits <= 8) || (Interlace && FSDither && (Grayscale || !palette->Exact()));
    if (!dither) {
        WriteImage(dib, *palette);
        return;
    }
    totalRows_ *= 2;
    const TDeviceIndependentBitmap dithered(dib, dt8bit, palette.get(), &TFSDitherer::Create,
                                            [this](TDIBWriter &) { RowDone(); });
    WriteImage(dithered, *palette);
}

void TZUB_CustomGifCompressor::RowDone() {
    ++rowsDone_;
    DoProgress();
}

void TZUB_CustomGifCompressor::WriteImage(const TDeviceIndependentBitmap &dib, TLogicalPalette &palette) {
    const bool indexed = dib.GetColourBits() <= 8;
    const int64_t pixels = static_cast<int64_t>(dib.GetWidth()) * dib.GetHeight();
    if (indexed && pixels <= kSmallImagePixels) {
        WriteSmallImage(dib);
        return;
    }
    TZUB_LZWCompressor coder(Stream(), indexed ? dib.GetDIBType() : dt8bit, pixels,
                             indexed ? IndexBitsOf(dib) : 8);
    const int rows = RowsInOrder(Interlace, [&](int first, int step) {
        return indexed ? WriteRows(coder, dib, first, step)
                       : WriteTranslatedRows(coder, dib, first, step, palette);
    });
    if (rows != dib.GetHeight()) throw EGIFError("Unable to write complete image to stream");
    coder.Finish();
}

void TZUB_CustomGifCompressor::WriteSmallImage(const TDeviceIndependentBitmap &dib) {
    std::array<TColourIndex, kSmallImagePixels> pixels;  // filled before it is read
    const auto source = dib.GetReader();
    auto &reader = static_cast<TDIBMappedReader &>(*source);
    const int width = reader.GetWidth();
    int count = 0;
    const int rows = RowsInOrder(Interlace, [&](int first, int step) {
        int taken = 0;
        for (reader.Reset(first, step); !reader.EndOfImage(); reader.NextRow(), ++taken) {
            const int n = reader.GetNextColourIndexes(pixels.data() + count, width);
            count += n;
            if (n != width) break;
            RowDone();
        }
        return taken;
    });
    if (rows != dib.GetHeight()) throw EGIFError("Unable to write complete image to stream");
    TZUB_LZWCompressor coder(Stream(), dib.GetDIBType(), count, BitsFor(JoinedBits(pixels.data(), count)));
    coder.WriteIndexes(pixels.data(), count);
    coder.Finish();
}

int TZUB_CustomGifCompressor::WriteRows(TZUB_LZWCompressor &coder, const TDeviceIndependentBitmap &dib,
                                        int firstRow, int step) {
    const auto source = dib.GetReader();
    auto &reader = static_cast<TDIBMappedReader &>(*source);
    reader.Reset(firstRow, step);
    int rows = 0;
    for (; !reader.EndOfImage(); reader.NextRow()) {
        if (!coder.WriteRow(reader)) break;
        ++rows;
        RowDone();
    }
    return rows;
}

int TZUB_CustomGifCompressor::WriteTranslatedRows(TZUB_LZWCompressor &coder,
                                                  const TDeviceIndependentBitmap &dib, int firstRow, int step,
                                                  TLogicalPalette &palette) {
    // One 8-bit row: each source row is mapped to the palette there and coded from there.
    TDeviceIndependentBitmap row(dt8bit, dib.GetWidth(), 1);
    row.SetColourTable(palette);
    const auto rowTarget = row.GetWriter();
    auto &rowWriter = static_cast<TDIBMappedWriter &>(*rowTarget);
    rowWriter.SetPalette(palette);
    rowWriter.SetDitherer(!palette.Exact() && FSDither ? &TFSDitherer::Create : &TNoDither::Create);
    const auto rowSource = row.GetReader();
    auto &rowReader = static_cast<TDIBMappedReader &>(*rowSource);
    const auto source = dib.GetReader();
    source->Reset(firstRow, step);
    int rows = 0;
    for (; !source->EndOfImage(); source->NextRow()) {
        rowWriter.Reset(0, 1);
        rowWriter.SetRowFrom(*source);
        rowWriter.Flush();
        rowReader.Reset(0, 1);
        if (!coder.WriteRow(rowReader)) break;
        ++rows;
        RowDone();
    }
    return rows;
}

void TZUB_CustomGifCompressor::WritePlainText(const TPlainText &text, const TGIFGraphicControlInfo &info) {
    Require89a("Plain Text");
    if (globalPalette_.GetCount() == 0) throw EGIFError("A Global Palette has not been defined");
    WriteScreenOnce(text.GridWidth, text.GridHeight, 8, 0);
    WriteCommentAndControl(info, text.Transparent,
                           globalPalette_.GetNearestColourIndex(text.TransparentColour));
    graphics::TStream &stream = Stream();
    WriteByte(stream, kExtensionIntroducer);
    WriteByte(stream, kPlainTextLabel);
    WriteByte(stream, 12);
    WriteWord(stream, CheckedWord(info.Origin.X));
    WriteWord(stream, CheckedWord(info.Origin.Y));
    WriteWord(stream, CheckedWord(text.GridWidth));
    WriteWord(stream, CheckedWord(text.GridHeight));
    WriteByte(stream, text.CellWidth);
    WriteByte(stream, text.CellHeight);
    WriteByte(stream, globalPalette_.GetNearestColourIndex(text.ForegroundColour));
    WriteByte(stream, globalPalette_.GetNearestColourIndex(text.BackgroundColour));
    const size_t length = std::strlen(text.Text.c_str());
    WriteDataBlock(stream, reinterpret_cast<const uint8_t *>(text.Text.data()), length);
}
