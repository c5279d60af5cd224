#include "vqxpreslayer/ImageValueText.h"

#include <array>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>

#include "vqxpreslayer/ParameterTypeSerializerImpl.h"

namespace {

TString EncodePng(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  const QByteArray text = png.toBase64();
  return TString::FromAscii(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

// Scenes repeat a few images (the shapes of their marks) many times over: the text of the
// last few images encoded on this thread is kept, and an image equal to one of them (same
// size, format and pixels) takes its text. Per thread, so that writers on different
// threads share nothing.
TString Base64Png(const QImage& image) {
  if (image.isNull()) return TString();
  struct Encoded {
    QImage image;
    TString text;
  };
  constexpr std::size_t kKept = 16;
  thread_local std::array<Encoded, kKept> kept;
  thread_local std::size_t next = 0;
  for (const Encoded& e : kept)
    if (!e.image.isNull() && e.image.size() == image.size() && e.image == image) return e.text;
  Encoded& slot = kept[next];
  next = (next + 1) % kKept;
  slot.text = EncodePng(image);
  slot.image = image;
  return slot.text;
}

QImage DecodePng(const TString& text, const char* type) {
  const std::string utf8 = text.ToUtf8();
  const auto decoded = QByteArray::fromBase64Encoding(QByteArray(utf8.data(), static_cast<int>(utf8.size())),
                                                      QByteArray::AbortOnBase64DecodingErrors);
  QImage image;
  if (!decoded || !image.loadFromData(*decoded, "PNG")) throw ValueTextException(type, text);
  return image;
}

// Likewise for reading: the images of the last few texts decoded on this thread are kept
// (images share their pixels until one of them is changed).
QImage ImageOf(const TString& text, const char* type) {
  if (text.IsEmpty()) return QImage();
  struct Decoded {
    TString text;
    QImage image;
  };
  constexpr std::size_t kKept = 16;
  thread_local std::array<Decoded, kKept> kept;
  thread_local std::size_t next = 0;
  for (const Decoded& d : kept)
    if (!d.image.isNull() && d.text == text) return d.image;
  QImage image = DecodePng(text, type);
  Decoded& slot = kept[next];
  next = (next + 1) % kKept;
  slot.text = text;
  slot.image = image;
  return image;
}

}  // namespace

TString ValueText<QImage>::ToString(const QImage& image) { return Base64Png(image); }
QImage ValueText<QImage>::FromString(const TString& text) { return ImageOf(text, "image"); }

TString ValueText<QPixmap>::ToString(const QPixmap& pixmap) {
  return pixmap.isNull() ? TString() : Base64Png(pixmap.toImage());
}

QPixmap ValueText<QPixmap>::FromString(const TString& text) {
  const QImage image = ImageOf(text, "pixmap");
  if (image.isNull()) return QPixmap();
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    throw ValueTextException("pixmap (no QGuiApplication to hold it)", TString());
  return QPixmap::fromImage(image);
}

template class ParameterTypeSerializer<QImage>;
template class ParameterTypeSerializer<QPixmap>;
