#pragma once
// Text forms of images: the image's PNG encoding in base64; the empty text stands for the
// null image. Text that is not base64, or not an image, raises ValueTextException. A
// QPixmap exists only beside a QGuiApplication: without one, reading a pixmap's text
// raises instead of making one.

#pragma GCC visibility push(default)

#include <QImage>
#include <QPixmap>

#include "vqxpreslayer/BuiltinValueText.h"

template <>
struct ValueText<QImage> {
  static TString ToString(const QImage& image);
  static QImage FromString(const TString& text);
};

template <>
struct ValueText<QPixmap> {
  static TString ToString(const QPixmap& pixmap);
  static QPixmap FromString(const TString& text);
};

extern template class ParameterTypeSerializer<QImage>;
extern template class ParameterTypeSerializer<QPixmap>;

#pragma GCC visibility pop
