#include "framework/HostValues.h"

#include <QGuiApplication>

#include "framework/Sampler.h"

void SampleOf(QImage& image, Sampler& s) {
  QImage next(static_cast<int>(s.Between(1, 3)), static_cast<int>(s.Between(1, 3)), QImage::Format_ARGB32);
  for (int y = 0; y < next.height(); ++y)
    for (int x = 0; x < next.width(); ++x) next.setPixel(x, y, static_cast<QRgb>(s.Next()));
  if (next == image) next.setPixel(0, 0, ~next.pixel(0, 0));
  image = std::move(next);
}

void SampleOf(QPixmap& pixmap, Sampler& s) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  QImage image = pixmap.toImage();
  SampleOf(image, s);
  pixmap = QPixmap::fromImage(image);
}

void SampleOf(PaneId& pane, Sampler& s) {
  PaneId next(static_cast<unsigned int>(s.Between(0, 20)), static_cast<unsigned int>(s.Between(0, 20)));
  pane = next == pane ? PaneId(next.Row() + 1, next.Column()) : next;
}

void SampleOf(DataColumn& column, Sampler& s) {
  std::vector<TString> values;
  for (auto n = s.Between(0, 3); n > 0; --n) values.push_back(s.Text());
  column = DataColumn(s.Text(), std::move(values));
}
