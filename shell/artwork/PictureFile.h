#pragma once
// The pictures' resource format: a 16-byte header ("TSPX", width, height and
// QImage format as 32-bit host-order numbers) and the rows of 32-bit pixels.
// Unlike PNG it needs no decoding: the window's image reads the pixels where
// the resource keeps them, so showing a picture costs neither time nor a copy.
#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <cstring>

namespace tongshu::artwork {

inline constexpr char kPictureMagic[4] = {'T', 'S', 'P', 'X'};
inline constexpr qsizetype kPictureHeaderSize = 16;

inline QByteArray EncodePicture(const QImage& image) {
  const std::uint32_t header[3] = {static_cast<std::uint32_t>(image.width()),
                                   static_cast<std::uint32_t>(image.height()),
                                   static_cast<std::uint32_t>(image.format())};
  QByteArray out(kPictureMagic, 4);
  out.append(reinterpret_cast<const char*>(header), sizeof header);
  for (int y = 0; y < image.height(); ++y)
    out.append(reinterpret_cast<const char*>(image.constScanLine(y)), qsizetype{image.width()} * 4);
  return out;
}

// The picture in `data`, or a null image when the bytes are not one. The image
// refers to `data`, which must outlive it, unless the pixels are not aligned
// for 32-bit reads; then it is a copy. `release(info)`, when given, is called
// once `data` is no longer needed, by the image or at once.
inline QImage DecodePicture(const uchar* data, qint64 size, QImageCleanupFunction release = nullptr,
                            void* info = nullptr) {
  QImage image = [&]() -> QImage {
    if (!data || size < kPictureHeaderSize || std::memcmp(data, kPictureMagic, 4) != 0) return {};
    std::uint32_t header[3];
    std::memcpy(header, data + 4, sizeof header);
    const auto [width, height, format] = header;
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) return {};
    if (width == 0 || height == 0 || width > 8192 || height > 8192) return {};
    if (size != kPictureHeaderSize + qint64{width} * height * 4) return {};
    const uchar* pixels = data + kPictureHeaderSize;
    const QImage view(pixels, static_cast<int>(width), static_cast<int>(height),
                      static_cast<qsizetype>(width) * 4, static_cast<QImage::Format>(format));
    if (reinterpret_cast<std::uintptr_t>(pixels) % alignof(std::uint32_t) != 0) return view.copy();
    return QImage(pixels, view.width(), view.height(), view.bytesPerLine(), view.format(), release, info);
  }();
  // Not handed to the image: a copy, or no image at all.
  if (release && (image.isNull() || image.constBits() != data + kPictureHeaderSize)) release(info);
  return image;
}

}  // namespace tongshu::artwork
