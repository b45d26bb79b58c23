#include "Platform/Gdi/Stretching.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace Platform {
namespace {

// Source index of destination index x (already mirrored) on one axis, nearest pixel.
int NearestIndex(int64_t x, int64_t s, int64_t d) {
  int64_t i;
  if (d > s) {
    const int64_t n = (2 * x + 1) * s - 2 * d;  // ceil(n / 2d)
    i = n <= 0 ? 0 : (n + 2 * d - 1) / (2 * d);
  } else {
    i = ((2 * x + 2) * s - d) / (2 * d);
  }
  return static_cast<int>(i < 0 ? 0 : i >= s ? s - 1 : i);
}

int Mirrored(int x, int extent, bool flip) { return flip ? extent - 1 - x : x; }

// The first of the two source pixels a HALFTONE sample blends, and the weight of the second.
struct Tap {
  int index;
  float weight;
};

std::vector<Tap> Taps(int first, int count, int s, int d, bool flip) {
  const float step = static_cast<float>(s) / static_cast<float>(d);
  std::vector<Tap> taps(static_cast<size_t>(count));
  for (int k = 0; k < count; ++k) {
    const float p = static_cast<float>(Mirrored(first + k, d, flip)) * step;
    int i = static_cast<int>(p);
    float f = p - static_cast<float>(i);
    if (i >= s - 1) i = s - 1, f = 0;
    taps[static_cast<size_t>(k)] = {i, f};
  }
  return taps;
}

// a * (1 - weight) + b * weight, rounded, for the four bytes of a pixel at once. Single
// precision, in this order of operations, is what makes the results match Windows'.
#ifdef __SSE2__
__m128 Floats(const uint8_t* p) {
  const __m128i zero = _mm_setzero_si128();
  __m128i v = _mm_cvtsi32_si128(*reinterpret_cast<const int32_t*>(p));
  v = _mm_unpacklo_epi16(_mm_unpacklo_epi8(v, zero), zero);
  return _mm_cvtepi32_ps(v);
}

void Blend4(const uint8_t* a, const uint8_t* b, float weight, uint8_t* out) {
  const __m128 sum = _mm_add_ps(_mm_mul_ps(Floats(a), _mm_set1_ps(1.0f - weight)),
                                _mm_mul_ps(Floats(b), _mm_set1_ps(weight)));
  __m128i v = _mm_cvttps_epi32(_mm_add_ps(sum, _mm_set1_ps(0.5f)));
  v = _mm_packus_epi16(_mm_packs_epi32(v, v), v);
  const int32_t packed = _mm_cvtsi128_si32(v);
  std::memcpy(out, &packed, 4);
}
#else
void Blend4(const uint8_t* a, const uint8_t* b, float weight, uint8_t* out) {
  for (int c = 0; c < 4; ++c)
    out[c] = static_cast<uint8_t>(static_cast<float>(a[c]) * (1.0f - weight) +
                                  static_cast<float>(b[c]) * weight + 0.5f);
}
#endif

// One source row blended across at every column tap, four bytes per pixel.
void BlendRow(const unsigned char* row, int width, const std::vector<Tap>& taps, uint8_t* out) {
  for (const Tap& t : taps) {
    const unsigned char* a = row + t.index * 4;
    Blend4(a, t.index + 1 < width ? a + 4 : a, t.weight, out);
    out += 4;
  }
}

cairo_surface_t* NewImage(int w, int h, cairo_format_t format = CAIRO_FORMAT_ARGB32) {
  cairo_surface_t* s = cairo_image_surface_create(format, w, h);
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) return s;
  cairo_surface_destroy(s);
  return nullptr;
}

}  // namespace

cairo_surface_t* NearestStretch(const SourceImage& src, const StretchTarget& to) {
  const cairo_rectangle_int_t& part = to.part;
  cairo_surface_t* out = NewImage(part.width, part.height, src.format);
  if (!out) return nullptr;
  std::vector<int> columns(static_cast<size_t>(part.width));
  for (int k = 0; k < part.width; ++k)
    columns[static_cast<size_t>(k)] =
        NearestIndex(Mirrored(part.x + k, to.width, to.flipX), src.width, to.width);
  unsigned char* data = cairo_image_surface_get_data(out);
  const int stride = cairo_image_surface_get_stride(out);
  for (int r = 0; r < part.height; ++r) {
    const int y = NearestIndex(Mirrored(part.y + r, to.height, to.flipY), src.height, to.height);
    const auto* from =
        reinterpret_cast<const uint32_t*>(src.data + static_cast<ptrdiff_t>(y) * src.stride);
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(r) * stride);
    for (int k = 0; k < part.width; ++k) row[k] = from[columns[static_cast<size_t>(k)]];
  }
  cairo_surface_mark_dirty(out);
  return out;
}

cairo_surface_t* HalftoneStretch(const SourceImage& src, const StretchTarget& to,
                                 unsigned char alpha) {
  const cairo_rectangle_int_t& part = to.part;
  cairo_surface_t* out = NewImage(part.width, part.height);
  if (!out) return nullptr;
  const std::vector<Tap> columns = Taps(part.x, part.width, src.width, to.width, to.flipX);
  const std::vector<Tap> rows = Taps(part.y, part.height, src.height, to.height, to.flipY);
  // The blended source rows, kept while consecutive destination rows still need them.
  const size_t rowBytes = static_cast<size_t>(part.width) * 4;
  std::vector<uint8_t> upper(rowBytes), lower(rowBytes);
  int upperRow = -1, lowerRow = -1;
  auto blended = [&](int y, std::vector<uint8_t>& buffer, int& held) {
    if (held == y) return;
    if (&buffer == &upper && lowerRow == y) {
      upper.swap(lower);
      std::swap(upperRow, lowerRow);
      return;
    }
    BlendRow(src.data + static_cast<ptrdiff_t>(y) * src.stride, src.width, columns, buffer.data());
    held = y;
  };
  unsigned char* data = cairo_image_surface_get_data(out);
  const int stride = cairo_image_surface_get_stride(out);
  for (int r = 0; r < part.height; ++r) {
    const Tap& t = rows[static_cast<size_t>(r)];
    const int next = t.index + 1 < src.height ? t.index + 1 : t.index;
    blended(t.index, upper, upperRow);
    unsigned char* px = data + static_cast<ptrdiff_t>(r) * stride;
    if (t.weight == 0) {  // on a source row: nothing to blend
      std::memcpy(px, upper.data(), rowBytes);
    } else {
      blended(next, lower, lowerRow);
      for (size_t k = 0; k < rowBytes; k += 4) Blend4(&upper[k], &lower[k], t.weight, px + k);
    }
    for (size_t k = 3; k < rowBytes; k += 4) px[k] = alpha;
  }
  cairo_surface_mark_dirty(out);
  return out;
}

}  // namespace Platform
