#pragma once
// Member types that sibling libraries own: images (QImage, QPixmap) and the presentation
// layer's value structures (PaneId, DataColumn), with what the framework needs of them
// beyond their own text forms and serializers: sample values for tools and tests.

#pragma GCC visibility push(default)

#include "vqxpreslayer/ImageValueText.h"
#include "vqxpreslayerdata/DataColumn.h"
#include "vqxpreslayerdata/PaneId.h"

class Sampler;

// Another value than the one held. A pixmap is sampled only beside a QGuiApplication.
void SampleOf(QImage& image, Sampler& sampler);
void SampleOf(QPixmap& pixmap, Sampler& sampler);
void SampleOf(PaneId& pane, Sampler& sampler);
void SampleOf(DataColumn& column, Sampler& sampler);

#pragma GCC visibility pop
