#include "Platform/Gdi/DeviceContext.h"

#include <mutex>
#include <unordered_map>

namespace Platform {
namespace {

struct DcTable {
  std::mutex mutex;
  std::unordered_map<void*, std::unique_ptr<DeviceContext>> dcs;
};

DcTable& Dcs() {
  static DcTable* table = new DcTable;  // outlives every static destructor
  return *table;
}

bool Selects(const DcState& s, const GdiObject* obj) {
  return s.bitmap.get() == obj || s.brush.get() == obj || s.pen.get() == obj || s.font.get() == obj;
}

}  // namespace

DcState::DcState(const DcState& other)
    : bitmap(other.bitmap),
      brush(other.brush),
      pen(other.pen),
      font(other.font),
      textColor(other.textColor),
      bkColor(other.bkColor),
      bkMode(other.bkMode),
      stretchMode(other.stretchMode),
      windowOrg(other.windowOrg),
      viewportOrg(other.viewportOrg),
      position(other.position),
      clip(other.clip ? cairo_region_copy(other.clip) : nullptr) {}

DcState& DcState::operator=(const DcState& other) {
  if (this == &other) return *this;
  cairo_region_t* copy = other.clip ? cairo_region_copy(other.clip) : nullptr;
  if (clip) cairo_region_destroy(clip);
  clip = copy;
  bitmap = other.bitmap;
  brush = other.brush;
  pen = other.pen;
  font = other.font;
  textColor = other.textColor;
  bkColor = other.bkColor;
  bkMode = other.bkMode;
  stretchMode = other.stretchMode;
  windowOrg = other.windowOrg;
  viewportOrg = other.viewportOrg;
  position = other.position;
  return *this;
}

DcState::~DcState() {
  if (clip) cairo_region_destroy(clip);
}

cairo_surface_t* DeviceContext::Target() const {
  if (!memory) return surface;
  return state.bitmap ? state.bitmap->surface : nullptr;
}

int DeviceContext::Width() const {
  cairo_surface_t* s = Target();
  return s ? cairo_image_surface_get_width(s) : 0;
}

int DeviceContext::Height() const {
  cairo_surface_t* s = Target();
  return s ? cairo_image_surface_get_height(s) : 0;
}

DeviceContext* FindDc(HDC hdc) {
  DcTable& t = Dcs();
  {
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = hdc ? t.dcs.find(hdc) : t.dcs.end();
    if (it != t.dcs.end()) return it->second.get();
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

HDC AddDc(std::unique_ptr<DeviceContext> dc) {
  DeviceContext* raw = dc.get();
  DcTable& t = Dcs();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.dcs.emplace(raw, std::move(dc));
  return reinterpret_cast<HDC>(raw);
}

bool RemoveDc(HDC hdc) {
  std::unique_ptr<DeviceContext> doomed;  // destroyed outside the lock
  DcTable& t = Dcs();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.dcs.find(hdc);
  if (it == t.dcs.end()) return false;
  doomed = std::move(it->second);
  t.dcs.erase(it);
  return true;
}

bool IsSelectedAnywhere(const GdiObject* obj) {
  DcTable& t = Dcs();
  std::lock_guard<std::mutex> lock(t.mutex);
  for (const auto& entry : t.dcs)
    if (Selects(entry.second->state, obj)) return true;
  return false;
}

cairo_region_t* EffectiveClip(const DeviceContext& dc) {
  cairo_rectangle_int_t bounds{0, 0, dc.Width(), dc.Height()};
  cairo_region_t* r = cairo_region_create_rectangle(&bounds);
  if (dc.state.clip) cairo_region_intersect(r, dc.state.clip);
  return r;
}

Canvas::Canvas(DeviceContext& dc) {
  m_surface = dc.Target();
  if (!m_surface) return;
  cairo_surface_mark_dirty(m_surface);
  m_cr = cairo_create(m_surface);
  cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
  if (dc.state.clip) {
    int n = cairo_region_num_rectangles(dc.state.clip);
    for (int i = 0; i < n; ++i) {
      cairo_rectangle_int_t r;
      cairo_region_get_rectangle(dc.state.clip, i, &r);
      cairo_rectangle(m_cr, r.x, r.y, r.width, r.height);
    }
    cairo_clip(m_cr);
  }
  cairo_translate(m_cr, dc.state.viewportOrg.x - dc.state.windowOrg.x,
                  dc.state.viewportOrg.y - dc.state.windowOrg.y);
}

Canvas::~Canvas() {
  if (m_cr) cairo_destroy(m_cr);
  if (m_surface) cairo_surface_flush(m_surface);
}

void SetSourceColor(cairo_t* cr, COLORREF color) {
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                       GetBValue(color) / 255.0);
}

}  // namespace Platform
