#include "palette.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace art {
namespace {

// Colours are gathered at 6 bits a channel: fine enough that a sky gradient over the whole
// title keeps its steps too small to see, coarse enough for a plain table.
constexpr int kBits = 6;
constexpr int kLevels = 1 << kBits;
constexpr int kBins = kLevels * kLevels * kLevels;

int BinOf(QRgb c) {
  constexpr int drop = 8 - kBits;
  return (qRed(c) >> drop) << (2 * kBits) | (qGreen(c) >> drop) << kBits | (qBlue(c) >> drop);
}
int Channel(int bin, int axis) {
  return (bin >> (kBits * (2 - axis))) & (kLevels - 1);
}

struct Box {
  std::vector<int> bins;  // occupied bins only
  std::uint64_t weight = 0;
  int axis = 0;
  int range = 0;
};

void Measure(Box& box) {
  box.range = -1;
  for (int axis = 0; axis < 3; ++axis) {
    int lo = kLevels - 1, hi = 0;
    for (int bin : box.bins) {
      lo = std::min(lo, Channel(bin, axis));
      hi = std::max(hi, Channel(bin, axis));
    }
    if (hi - lo > box.range) {
      box.range = hi - lo;
      box.axis = axis;
    }
  }
}

}  // namespace

QImage ReduceColours(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  std::vector<std::uint32_t> count(kBins, 0);
  std::vector<std::array<std::uint64_t, 3>> sum(kBins, {0, 0, 0});
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      const int bin = BinOf(line[x]);
      ++count[bin];
      sum[bin][0] += qRed(line[x]);
      sum[bin][1] += qGreen(line[x]);
      sum[bin][2] += qBlue(line[x]);
    }
  }

  std::vector<Box> boxes(1);
  for (int bin = 0; bin < kBins; ++bin) {
    if (count[bin] > 0) {
      boxes[0].bins.push_back(bin);
      boxes[0].weight += count[bin];
    }
  }
  Measure(boxes[0]);
  while (boxes.size() < 256) {
    // Split where it helps most: a wide box that covers many pixels.
    auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
      return a.range * double(a.weight) < b.range * double(b.weight);
    });
    if (widest->bins.size() < 2) break;
    Box& box = *widest;
    const int axis = box.axis;
    std::sort(box.bins.begin(), box.bins.end(),
              [axis](int a, int b) { return Channel(a, axis) < Channel(b, axis); });
    std::uint64_t half = 0;
    std::size_t cut = 0;
    while (cut + 1 < box.bins.size() && half + count[box.bins[cut]] <= box.weight / 2) {
      half += count[box.bins[cut++]];
    }
    cut = std::max<std::size_t>(cut, 1);
    Box upper;
    upper.bins.assign(box.bins.begin() + cut, box.bins.end());
    box.bins.resize(cut);
    box.weight = 0;
    for (int bin : box.bins) box.weight += count[bin];
    for (int bin : upper.bins) upper.weight += count[bin];
    Measure(box);
    Measure(upper);
    boxes.push_back(std::move(upper));
  }

  QList<QRgb> table;
  std::vector<std::uint8_t> index(kBins, 0);
  for (const Box& box : boxes) {
    std::array<std::uint64_t, 3> total{0, 0, 0};
    for (int bin : box.bins) {
      for (int c = 0; c < 3; ++c) total[c] += sum[bin][c];
      index[bin] = std::uint8_t(table.size());
    }
    const auto w = std::max<std::uint64_t>(box.weight, 1);
    table.push_back(qRgb(int(total[0] / w), int(total[1] / w), int(total[2] / w)));
  }

  QImage out(rgb.size(), QImage::Format_Indexed8);
  out.setColorTable(table);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    uchar* dst = out.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x) dst[x] = index[BinOf(in[x])];
  }
  return out;
}

bool SavePicture(const QImage& picture, const QString& path) {
  return ReduceColours(picture).save(path, "PNG", 0);
}

}  // namespace art
