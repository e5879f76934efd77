#include "platform/win32/emf_file.h"

#include <cmath>
#include <map>
#include <string>

namespace win32::emf {
namespace {

static_assert(sizeof(LOGFONTW) == 92, "the font record holds the description as stored");

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x10000;
constexpr std::uint32_t kHeaderSize = 108;
constexpr std::uint32_t kFontPanoseSize = 320;  // the description plus names and Panose numbers
constexpr std::uint32_t kPenJoinMiter = 0x2000;
constexpr std::uint32_t kRegionRectangles = 1;

// The handle table of a file being written: each distinct pen, brush and font is created once
// in the slot given to it and selected by every call that ran under it.
class ObjectTable {
 public:
  explicit ObjectTable(Bytes& out) : m_out(out) {}

  std::uint32_t Pen(const gdi::Pen& pen) {
    if (pen.style == PS_NULL) return kStockObject | NULL_PEN;
    const std::string key = "pen" + std::to_string(pen.style) + "/" + std::to_string(pen.geometric) +
                            "/" + std::to_string(pen.width) + "/" + std::to_string(pen.colour) +
                            DashesKey(pen.userDashes);
    return Slot(key, [&](std::uint32_t slot) {
      // A cosmetic pen is one pixel wide; wider ones are drawn with flat ends and mitred joins,
      // which only the extended pen can say.
      if (!pen.geometric && pen.style != PS_USERSTYLE && pen.width <= 1) {
        RecordBuilder(kCreatePen).U32(slot).U32(std::uint32_t(pen.style)).I32(pen.width).I32(0)
            .U32(pen.colour).AppendTo(m_out);
        return;
      }
      std::uint32_t style = std::uint32_t(pen.style);
      if (pen.geometric || pen.width > 1) style |= PS_GEOMETRIC | PS_ENDCAP_FLAT | kPenJoinMiter;
      RecordBuilder record(kExtCreatePen);
      record.U32(slot).U32(0).U32(0).U32(0).U32(0);  // no pattern bitmap
      record.U32(style).U32(std::uint32_t(pen.width)).U32(BS_SOLID).U32(pen.colour).U32(0);
      const bool user = pen.style == PS_USERSTYLE;
      record.U32(user ? std::uint32_t(pen.userDashes.size()) : 0);
      if (user)
        for (double dash : pen.userDashes) record.U32(std::uint32_t(std::lround(dash)));
      record.AppendTo(m_out);
    });
  }

  std::uint32_t Brush(const gdi::Brush& brush) {
    if (brush.null) return kStockObject | NULL_BRUSH;
    return Slot("brush" + std::to_string(brush.colour), [&](std::uint32_t slot) {
      RecordBuilder(kCreateBrushIndirect).U32(slot).U32(BS_SOLID).U32(brush.colour).U32(0).AppendTo(m_out);
    });
  }

  std::uint32_t Font(const LOGFONTW& font) {
    const std::string key = "font" + std::string(reinterpret_cast<const char*>(&font), sizeof font);
    return Slot(key, [&](std::uint32_t slot) {
      RecordBuilder record(kExtCreateFontIndirectW);
      record.U32(slot).I32(font.lfHeight).I32(font.lfWidth).I32(font.lfEscapement)
          .I32(font.lfOrientation).I32(font.lfWeight);
      const std::uint8_t flags[] = {font.lfItalic,        font.lfUnderline,    font.lfStrikeOut,
                                    font.lfCharSet,       font.lfOutPrecision, font.lfClipPrecision,
                                    font.lfQuality,       font.lfPitchAndFamily};
      record.Raw(flags, sizeof flags);
      for (WCHAR c : font.lfFaceName) {
        const std::uint8_t pair[] = {std::uint8_t(c), std::uint8_t(c >> 8)};
        record.Raw(pair, 2);
      }
      const Bytes rest(kFontPanoseSize - sizeof(LOGFONTW), 0);
      record.Raw(rest.data(), rest.size());
      record.AppendTo(m_out);
    });
  }

  // Slots in use, the scratch slot and the unused slot 0 included.
  std::uint32_t count() const { return kScratchObject + 1 + std::uint32_t(m_slots.size()); }

 private:
  static std::string DashesKey(const std::vector<double>& dashes) {
    std::string key;
    for (double dash : dashes) {
      key += ',';
      key += std::to_string(dash);
    }
    return key;
  }

  template <class Create>
  std::uint32_t Slot(const std::string& key, Create create) {
    auto found = m_slots.find(key);
    if (found != m_slots.end()) return found->second;
    const std::uint32_t slot = count();
    create(slot);
    m_slots.emplace(key, slot);
    return slot;
  }

  Bytes& m_out;
  std::map<std::string, std::uint32_t> m_slots;
};

void Append(Bytes& out, const Bytes& records) { out.insert(out.end(), records.begin(), records.end()); }

// Set first after SAVEDC, while logical and device coordinates still agree: one rectangle as
// an intersection, anything else as a region.
void AppendClip(Bytes& out, const std::vector<RECT>& rects) {
  if (rects.size() == 1) {
    Append(out, BoxRecord(kIntersectClipRect, rects.front()));
    return;
  }
  // An empty clip is a region of one empty rectangle: nothing is drawn.
  const std::vector<RECT> parts = rects.empty() ? std::vector<RECT>{RECT{0, 0, 0, 0}} : rects;
  RECT bound = parts.front();
  for (const RECT& r : parts) {
    bound.left = std::min(bound.left, r.left);
    bound.top = std::min(bound.top, r.top);
    bound.right = std::max(bound.right, r.right);
    bound.bottom = std::max(bound.bottom, r.bottom);
  }
  const std::uint32_t rectBytes = std::uint32_t(parts.size() * 16);
  RecordBuilder record(kExtSelectClipRgn);
  record.U32(32 + rectBytes).U32(RGN_COPY);
  record.U32(32).U32(kRegionRectangles).U32(std::uint32_t(parts.size())).U32(rectBytes).Rect(bound);
  for (const RECT& r : parts) record.Rect(r);
  record.AppendTo(out);
}

// The state a call ran under, as records that set it from the defaults a SAVEDC left in place.
void AppendState(Bytes& out, ObjectTable& objects, const gdi::DrawingState& state) {
  if (state.clipped) AppendClip(out, state.clip);
  if (!gdi::IsIdentity(state.transform)) {
    const XFORM& t = state.transform;
    RecordBuilder(kSetWorldTransform).F32(t.eM11).F32(t.eM12).F32(t.eM21).F32(t.eM22).F32(t.eDx)
        .F32(t.eDy).AppendTo(out);
  }
  if (state.viewportOrigin.x || state.viewportOrigin.y)
    Append(out, PointRecord(kSetViewportOrgEx, state.viewportOrigin.x, state.viewportOrigin.y));
  if (state.windowOrigin.x || state.windowOrigin.y)
    Append(out, PointRecord(kSetWindowOrgEx, state.windowOrigin.x, state.windowOrigin.y));
  for (std::uint32_t slot : {objects.Pen(state.pen), objects.Brush(state.brush), objects.Font(state.font)})
    RecordBuilder(kSelectObject).U32(slot).AppendTo(out);
  // Each against the value a fresh context starts with.
  const std::uint32_t words[][3] = {{kSetTextColor, state.textColour, 0},
                                    {kSetBkColor, state.backColour, 0xFFFFFF},
                                    {kSetBkMode, std::uint32_t(state.backMode), OPAQUE},
                                    {kSetRop2, std::uint32_t(state.rop2), R2_COPYPEN},
                                    {kSetTextAlign, state.textAlign, 0}};
  for (const auto& [type, value, fresh] : words)
    if (value != fresh) RecordBuilder(type).U32(value).AppendTo(out);
  if (state.position.x || state.position.y)
    Append(out, PointRecord(kMoveToEx, state.position.x, state.position.y));
}

std::uint32_t CountRecords(const Bytes& bytes) {
  std::uint32_t count = 0;
  for (std::size_t at = 0; at + 8 <= bytes.size(); ++count) {
    const std::uint32_t size = bytes[at + 4] | (bytes[at + 5] << 8) | (bytes[at + 6] << 16) |
                               (std::uint32_t(bytes[at + 7]) << 24);
    at += size;
  }
  return count;
}

}  // namespace

Bytes EnhancedMetafile(const std::vector<gdi::RecordedCall>& calls, const FileDescription& file) {
  Bytes body;
  ObjectTable objects(body);
  for (const gdi::RecordedCall& call : calls) {
    RecordBuilder(kSaveDc).AppendTo(body);
    AppendState(body, objects, call.state);
    Append(body, call.records);
    // RESTOREDC puts the transform back, but some readers keep it; saying so costs one record.
    if (!gdi::IsIdentity(call.state.transform))
      RecordBuilder(kModifyWorldTransform).F32(1).F32(0).F32(0).F32(1).F32(0).F32(0).U32(MWT_IDENTITY)
          .AppendTo(body);
    RecordBuilder(kRestoreDc).I32(-1).AppendTo(body);
  }
  for (std::uint32_t slot = kScratchObject + 1; slot < objects.count(); ++slot)
    RecordBuilder(kDeleteObject).U32(slot).AppendTo(body);
  // The end record: no palette; its offset field points past the count, and its size repeats.
  RecordBuilder(kEof).U32(0).U32(16).U32(20).AppendTo(body);

  RecordBuilder header(kHeader);
  header.Rect({0, 0, std::max<LONG>(file.pictureSize.cx, 1) - 1, std::max<LONG>(file.pictureSize.cy, 1) - 1});
  header.Rect(file.frame).U32(kSignature).U32(kVersion);
  const std::size_t bytesAt = header.size();
  header.U32(0).U32(0);  // file size and record count, filled in below
  header.U32(objects.count() & 0xFFFF);  // handles, and a reserved half-word
  header.U32(std::uint32_t(file.description.size())).U32(file.description.empty() ? 0 : kHeaderSize);
  header.U32(0);  // palette entries
  header.I32(file.devicePixels.cx).I32(file.devicePixels.cy);
  header.I32(file.deviceMillimetres.cx).I32(file.deviceMillimetres.cy);
  header.U32(0).U32(0).U32(0);  // no pixel format, no OpenGL
  header.I32(file.deviceMillimetres.cx * 1000).I32(file.deviceMillimetres.cy * 1000);
  for (char16_t c : file.description) {
    const std::uint8_t pair[] = {std::uint8_t(c), std::uint8_t(c >> 8)};
    header.Raw(pair, 2);
  }
  Bytes out = header.Finish();
  out.insert(out.end(), body.begin(), body.end());
  const std::uint32_t total = std::uint32_t(out.size());
  const std::uint32_t records = CountRecords(out);
  for (int i = 0; i < 4; ++i) {
    out[bytesAt + i] = std::uint8_t(total >> (8 * i));
    out[bytesAt + 4 + i] = std::uint8_t(records >> (8 * i));
  }
  return out;
}

}  // namespace win32::emf
