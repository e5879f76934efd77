#include "tracedisplay/timescale/time_label_drawer.h"

#include <cstdio>
#include <cstring>
#include <cmath>
#include <limits>
#include <string>

#include "core/com_ptr.h"
#include "core/time_formatter.h"
#include "platform/pendrel/numbered_marks.h"
#include "tracedisplay/panes/time_scale.h"
#include "tracedisplay/timescale/record_time.h"

namespace PendrelDraw {

namespace {

constexpr DWORD kClockMode = 3;

// The remainder of a division that rounds towards minus infinity.
LONGLONG FloorMod(LONGLONG a, LONGLONG b) {
  const LONGLONG r = a % b;
  return r < 0 ? r + b : r;
}

// Whether numbered mark i (from 0) shows its number when the marks are `ratio` units apart
// on average; a negative ratio (no unit to measure by) numbers none.
bool ShowsNumber(LONG i, LONGLONG ratio) {
  if (ratio < 0) return false;
  const LONG n = i + 1;
  if (ratio > 50) return true;
  if (ratio > 25) return n % 2 == 0;
  if (ratio > 10) return n % 5 == 0;
  return n % 100 == 0;
}

}  // namespace

// The time of a span: its first column's time, and the seconds per pixel.
struct TimeLabelDrawer::SpanTime {
  double firstSeconds;
  double secondsPerPixel;
};

TimeLabelDrawer::TimeLabelDrawer(TimeScale* scale)
    : DrawerBase(DrawerBaseInit(0, -1, LONG(0xC0000000), 1)), m_scale(scale) {}

DrawerBase* TimeLabelDrawer::MakeCopy() const {
  auto* copy = new TimeLabelDrawer(nullptr);
  static_cast<DrawerBaseInit&>(*copy) = *this;
  copy->m_layout = m_layout;
  copy->m_modeWord = m_modeWord;
  copy->m_labelEvery = m_labelEvery;
  return copy;
}

HRESULT TimeLabelDrawer::Clone(DWORD flags, IPendrelRecordDrawer** copy) {
  if (!copy) return S_OK;
  return DrawerBase::Clone(flags, copy);
}

HRESULT TimeLabelDrawer::GetCapabilities(DWORD, DWORD* flags, LONG* leftWidth, LONG* rightWidth,
                                         DWORD) {
  const LONG half = m_scale ? m_scale->LabelWidth(nullptr) / 2 : 0;
  if (flags) *flags = 0;
  if (leftWidth) *leftWidth = half;
  if (rightWidth) *rightWidth = half;
  return S_OK;
}

HRESULT TimeLabelDrawer::SetTimeRange(LONG, DWORD, const double*, IUnknown*) { return S_FALSE; }

HRESULT TimeLabelDrawer::Refresh(DWORD) { return S_OK; }

bool TimeLabelDrawer::TimeOfSpan(const DrawSpan& span, SpanTime* time) {
  const auto view = Quor::QueryFace<IPendrelTraceDataView>(Source());
  PendrelTraceRecordInfo info = {};
  RecordTime record;
  if (!view || FAILED(view->GetRecordInformation(span.record, &info)) ||
      !RecordTimeOf(view.Get(), info, &record))
    return false;
  m_modeWord = record.mode;
  time->secondsPerPixel = record.secondsPerPixel;
  time->firstSeconds =
      record.startSeconds + double(span.first - info.firstPixel) * record.secondsPerPixel;
  return true;
}

Quor::String TimeLabelText(DWORD modeWord, double seconds) {
  Quor::TimeFormatter formatter;
  const Quor::ClockTime none = {0.0, std::numeric_limits<double>::quiet_NaN()};
  formatter.SetValue(modeWord, none, none, true, seconds);
  if ((modeWord & 0xFF) == kClockMode) formatter.flags |= Quor::TimeFormatter::kHoursModulo24;
  return formatter.Format();
}

LONG LabelInterval(DWORD longestChars, LONG charWidth, double majorPixels) {
  return double(longestChars + 2) * charWidth >= majorPixels ? 2 : 1;
}

void TimeLabelDrawer::ChooseLabelInterval(HDC dc, double firstLabel, LONG charWidth) {
  m_labelEvery = 1;
  if (!dc) return;
  const DWORD longest =
      std::max(TimeLabelText(m_modeWord, firstLabel).Length(),
               TimeLabelText(m_modeWord, firstLabel + m_layout.major.seconds).Length());
  m_labelEvery = LabelInterval(longest, charWidth, m_layout.majorPixels);
}

HRESULT TimeLabelDrawer::Draw(HDC dc, const DrawSpan* span, DWORD) {
  if (!span) return E_POINTER;
  const LONG left = std::max<LONG>(span->leftColumn, rect.left);
  const LONG right = LONG(std::min<LONGLONG>(span->leftColumn + (span->end - span->first), rect.right));
  if (right <= left) return S_FALSE;
  const RECT fill = {left, rect.top, right, rect.bottom};
  FillRect(dc, &fill, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  SpanTime time = {};
  if (!TimeOfSpan(*span, &time)) return S_OK;
  const LabelMetrics metrics = m_scale ? m_scale->MetricsOn(dc) : LabelMetrics{0, 0};
  m_layout = ComputeTickLayout(metrics.averageCharWidth, time.secondsPerPixel,
                               rect.right - rect.left);
  // Intervals below a second are labelled in milliseconds (clock times never are).
  if (m_layout.major.seconds < 1.0 && (m_modeWord & 0xFF) != kClockMode)
    m_modeWord |= kLabelsInMilliseconds;
  if (m_scale) m_scale->SetLabelState(m_modeWord);

  const int saved = SaveDC(dc);
  if (m_scale && m_scale->LabelFont()) SelectObject(dc, m_scale->LabelFont());
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  const double firstLabel =
      std::ceil(time.firstSeconds / m_layout.major.seconds) * m_layout.major.seconds;
  ChooseLabelInterval(dc, firstLabel, metrics.averageCharWidth);
  DrawTicks(dc, *span, time, left, right);
  DrawNumberedMarks(dc, *span, left, right);
  RestoreDC(dc, saved);
  return S_OK;
}

void TimeLabelDrawer::DrawTicks(HDC dc, const DrawSpan& span, const SpanTime& time, LONG left,
                                LONG right) {
  if (!(m_layout.minorSpacing >= 1.0) || !std::isfinite(m_layout.minorSpacing)) return;
  const double printScale = PrintScale();
  const LONG majorLength = LONG(4.0 * printScale - 1.0);
  const LONG minorLength = LONG(2.0 * printScale) / 2;
  const double minorSeconds = m_layout.major.seconds / m_layout.minorPerMajor;
  const LONGLONG firstIndex = LONGLONG(std::ceil(time.firstSeconds / minorSeconds - 1e-9));
  const double origin = (double(firstIndex) * minorSeconds - time.firstSeconds) / time.secondsPerPixel;
  const LONGLONG width = span.end - span.first;
  LONG previousLabelRight = std::numeric_limits<LONG>::min();
  for (LONGLONG k = 0;; ++k) {
    const LONGLONG x = LONGLONG(std::floor(double(k) * m_layout.minorSpacing + origin + 0.5));
    if (x >= width) break;
    if (x < 0) continue;
    const LONG column = LONG(span.leftColumn + x);
    const LONGLONG index = firstIndex + k;
    const bool major = FloorMod(index, m_layout.minorPerMajor) == 0;
    if (major && FloorMod(index / m_layout.minorPerMajor, m_labelEvery) == 0) {
      const Quor::String text = TimeLabelText(m_modeWord, double(index) * minorSeconds);
      SIZE size = {};
      GetTextExtentPoint32W(dc, text.c_str(), int(text.Length()), &size);
      const LONG labelLeft = column - size.cx / 2;
      const bool visible = labelLeft < span.clip.right && labelLeft + size.cx > span.clip.left;
      if (text.Length() > 0 && labelLeft > previousLabelRight && visible) {
        TextOutW(dc, column, rect.top + majorLength, text.c_str(), int(text.Length()));
        previousLabelRight = labelLeft + size.cx;
      }
    }
    if (column >= std::max(left, span.clip.left) && column < std::min(right, span.clip.right)) {
      MoveToEx(dc, column, rect.top, nullptr);
      LineTo(dc, column, rect.top + (major ? majorLength : minorLength));
    }
  }
}

void TimeLabelDrawer::DrawNumberedMarks(HDC dc, const DrawSpan& span, LONG left, LONG right) {
  const auto marks = Quor::QueryFace<IPendrelNumberedMarks>(Source());
  const auto view = Quor::QueryFace<IPendrelTraceDataView>(Source());
  LONG count = 0;
  if (!marks || !view || FAILED(marks->GetMarkCount(&count)) || count <= 0) return;
  LONGLONG total = 0;
  LONG unit = 0;
  marks->GetMarkSizes(&total, &unit);
  // Without a unit the marks' spacing is unknown: none is numbered.
  const LONGLONG ratio = unit != 0 ? total / unit : -1;
  const HBRUSH box = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  SetTextColor(dc, RGB(255, 255, 255));
  for (LONG i = 0; i < count; ++i) {
    LONG record = 0, tick = 0;
    LONGLONG pixel = 0;
    if (FAILED(marks->GetMarkPosition(i, &record, &tick)) || record != span.record ||
        FAILED(view->PositionToPixel(record, tick, &pixel)))
      continue;
    const LONG x = LONG(pixel - span.first + span.leftColumn);
    if (x < left || x >= right) continue;
    if (!ShowsNumber(i, ratio)) {
      const RECT dot = {x - 1, rect.bottom - 4, x + 2, rect.bottom - 1};
      FillRect(dc, &dot, box);
      continue;
    }
    char digits[24];
    std::snprintf(digits, sizeof digits, "%ld", long(i + 1));
    const std::u16string text(digits, digits + std::strlen(digits));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    const RECT frame = {x - size.cx / 2 - 2, rect.bottom - size.cy - 1, x + size.cx / 2 + 3,
                        rect.bottom};
    FillRect(dc, &frame, box);
    TextOutW(dc, x, frame.top, text.c_str(), int(text.size()));
  }
}

}  // namespace PendrelDraw
