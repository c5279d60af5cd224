#include "framework/HostValues.h"

#include <QGuiApplication>

#include "framework/Sampler.h"

namespace {
// The pool's image `index`: the same pixels whenever it is drawn.
QImage PoolImage(std::uint64_t index) {
  std::uint64_t state = index * 0x9e3779b97f4a7c15u + 1;
  const auto next = [&state] {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return static_cast<QRgb>(state >> 32);
  };
  QImage image(static_cast<int>(index % 3 + 1), static_cast<int>(index / 3 % 3 + 1), QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, next());
  return image;
}
}  // namespace

void SampleOf(QImage& image, Sampler& s) {
  if (s.ImagePool() > 0) {
    image = PoolImage(static_cast<std::uint64_t>(s.Between(0, s.ImagePool() - 1)));
    return;
  }
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
