#include "vqxpreslayer/ImageValueText.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>

#include "vqxpreslayer/ParameterTypeSerializerImpl.h"

namespace {

TString Base64Png(const QImage& image) {
  if (image.isNull()) return TString();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  const QByteArray text = png.toBase64();
  return TString::FromAscii(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

QImage ImageOf(const TString& text, const char* type) {
  if (text.IsEmpty()) return QImage();
  const std::string utf8 = text.ToUtf8();
  const auto decoded = QByteArray::fromBase64Encoding(QByteArray(utf8.data(), static_cast<int>(utf8.size())),
                                                      QByteArray::AbortOnBase64DecodingErrors);
  QImage image;
  if (!decoded || !image.loadFromData(*decoded, "PNG")) throw ValueTextException(type, text);
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
