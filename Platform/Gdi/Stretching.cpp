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

// Two rows of n bytes blended into out, byte by byte.
#ifdef __SSE2__
void BlendRows(const uint8_t* a, const uint8_t* b, size_t n, float weight, uint8_t* out) {
  const __m128 w0 = _mm_set1_ps(1.0f - weight), w1 = _mm_set1_ps(weight);
  const __m128 half = _mm_set1_ps(0.5f);
  const __m128i zero = _mm_setzero_si128();
  auto blend = [&](__m128i x, __m128i y) {  // four 32-bit lanes each
    const __m128 sum =
        _mm_add_ps(_mm_mul_ps(_mm_cvtepi32_ps(x), w0), _mm_mul_ps(_mm_cvtepi32_ps(y), w1));
    return _mm_cvttps_epi32(_mm_add_ps(sum, half));
  };
  size_t k = 0;
  for (; k + 16 <= n; k += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + k));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + k));
    const __m128i xl = _mm_unpacklo_epi8(x, zero), xh = _mm_unpackhi_epi8(x, zero);
    const __m128i yl = _mm_unpacklo_epi8(y, zero), yh = _mm_unpackhi_epi8(y, zero);
    const __m128i r0 = blend(_mm_unpacklo_epi16(xl, zero), _mm_unpacklo_epi16(yl, zero));
    const __m128i r1 = blend(_mm_unpackhi_epi16(xl, zero), _mm_unpackhi_epi16(yl, zero));
    const __m128i r2 = blend(_mm_unpacklo_epi16(xh, zero), _mm_unpacklo_epi16(yh, zero));
    const __m128i r3 = blend(_mm_unpackhi_epi16(xh, zero), _mm_unpackhi_epi16(yh, zero));
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(r0, r1), _mm_packs_epi32(r2, r3));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), bytes);
  }
  for (; k < n; k += 4) Blend4(a + k, b + k, weight, out + k);
}
#else
void BlendRows(const uint8_t* a, const uint8_t* b, size_t n, float weight, uint8_t* out) {
  for (size_t k = 0; k < n; k += 4) Blend4(a + k, b + k, weight, out + k);
}
#endif

// One source row blended across at every column tap, four bytes per pixel.
#ifdef __SSE2__
void BlendRow(const unsigned char* row, int width, const std::vector<Tap>& taps, uint8_t* out) {
  const __m128i zero = _mm_setzero_si128();
  const __m128 half = _mm_set1_ps(0.5f);
  // the tap's pixel and the one to its right, as two lanes of four floats
  auto blend = [&](const Tap& t) {
    const unsigned char* a = row + t.index * 4;
    int64_t pair;
    if (t.index + 1 < width) {
      std::memcpy(&pair, a, 8);
    } else {
      std::memcpy(&pair, a, 4);
      std::memcpy(reinterpret_cast<char*>(&pair) + 4, a, 4);
    }
    const __m128i wide = _mm_unpacklo_epi8(_mm_cvtsi64_si128(pair), zero);
    const __m128 x = _mm_cvtepi32_ps(_mm_unpacklo_epi16(wide, zero));
    const __m128 y = _mm_cvtepi32_ps(_mm_unpackhi_epi16(wide, zero));
    const __m128 sum = _mm_add_ps(_mm_mul_ps(x, _mm_set1_ps(1.0f - t.weight)),
                                  _mm_mul_ps(y, _mm_set1_ps(t.weight)));
    return _mm_cvttps_epi32(_mm_add_ps(sum, half));
  };
  size_t k = 0;
  for (; k + 4 <= taps.size(); k += 4, out += 16) {
    const __m128i lo = _mm_packs_epi32(blend(taps[k]), blend(taps[k + 1]));
    const __m128i hi = _mm_packs_epi32(blend(taps[k + 2]), blend(taps[k + 3]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(lo, hi));
  }
  for (; k < taps.size(); ++k, out += 4) {
    const unsigned char* a = row + taps[k].index * 4;
    Blend4(a, taps[k].index + 1 < width ? a + 4 : a, taps[k].weight, out);
  }
}
#else
void BlendRow(const unsigned char* row, int width, const std::vector<Tap>& taps, uint8_t* out) {
  for (const Tap& t : taps) {
    const unsigned char* a = row + t.index * 4;
    Blend4(a, t.index + 1 < width ? a + 4 : a, t.weight, out);
    out += 4;
  }
}
#endif

// Sets the alpha byte of n / 4 pixels.
void SetAlpha(uint8_t* px, size_t n, unsigned char alpha) {
  const uint32_t a = static_cast<uint32_t>(alpha) << 24;
  size_t k = 0;
#ifdef __SSE2__
  const __m128i keep = _mm_set1_epi32(0x00FFFFFF), add = _mm_set1_epi32(static_cast<int>(a));
  for (; k + 16 <= n; k += 16) {
    auto* p = reinterpret_cast<__m128i*>(px + k);
    _mm_storeu_si128(p, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(p), keep), add));
  }
#endif
  for (; k < n; k += 4) {
    uint32_t v;
    std::memcpy(&v, px + k, 4);
    v = (v & 0x00FFFFFFu) | a;
    std::memcpy(px + k, &v, 4);
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
      BlendRows(upper.data(), lower.data(), rowBytes, t.weight, px);
    }
    SetAlpha(px, rowBytes, alpha);
  }
  cairo_surface_mark_dirty(out);
  return out;
}

}  // namespace Platform
