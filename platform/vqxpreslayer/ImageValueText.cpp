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

// Scenes repeat a few images (the shapes of their marks) many times over: the last few
// conversions on a thread are kept, each way, and a key equal to a kept one takes its value.
// Per thread, so that writers and readers on different threads share nothing.
template <typename Key, typename Value>
class Recent {
 public:
  template <typename Make>
  Value Get(const Key& key, Make make) {
    for (const Entry& e : m_kept)
      if (e.used && e.key == key) return e.value;
    Entry& slot = m_kept[m_next];
    m_next = (m_next + 1) % m_kept.size();
    slot.value = make(key);  // first: a throw keeps nothing
    slot.key = key;
    slot.used = true;
    return slot.value;
  }

 private:
  struct Entry {
    Key key;
    Value value;
    bool used = false;
  };
  std::array<Entry, 16> m_kept;
  std::size_t m_next = 0;
};

// Equal images (same size, format and pixels) have equal text.
TString Base64Png(const QImage& image) {
  if (image.isNull()) return TString();
  thread_local Recent<QImage, TString> kept;
  return kept.Get(image, EncodePng);
}

QImage DecodePng(const TString& text, const char* type) {
  const std::string utf8 = text.ToUtf8();
  const auto decoded = QByteArray::fromBase64Encoding(QByteArray(utf8.data(), static_cast<int>(utf8.size())),
                                                      QByteArray::AbortOnBase64DecodingErrors);
  QImage image;
  if (!decoded || !image.loadFromData(*decoded, "PNG")) throw ValueTextException(type, text);
  return image;
}

// Images share their pixels until one of them is changed, so a kept image stays as read.
QImage ImageOf(const TString& text, const char* type) {
  if (text.IsEmpty()) return QImage();
  thread_local Recent<TString, QImage> kept;
  return kept.Get(text, [type](const TString& t) { return DecodePng(t, type); });
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
