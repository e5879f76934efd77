// The change flags: what a change of the settings makes the analysis redo. Bits 24 to 26 select
// stages of the beat detection chain; the low three bytes the engine's work. Any bit above
// 0xFFFFFF makes the engine read every beat again.
#pragma once

#include "platform/win32/types.h"

namespace Rhyth {

constexpr DWORD kChangeSpectrum = 0x3;           // the periodogram and its bands
constexpr DWORD kChangePeriodogram = 0x1;        // the periodogram and the total power
constexpr DWORD kChangeSpectrumBands = 0x2;      // the band powers only
constexpr DWORD kChangeSegments = 0x100;         // the averaging segments (SDARR)
constexpr DWORD kChangeSums = 0x10000;           // the sums of the RR, delta and rate series
constexpr DWORD kChangeHistograms = 0x20000;     // histogram bins
constexpr DWORD kChangePrrx = 0x40000;           // the pRRx statistic and the median
// Any bit of a byte makes the engine redo that pass.
constexpr DWORD kSpectrumPass = 0xFF;
constexpr DWORD kSegmentPass = 0xFF00;
constexpr DWORD kTimeDomainPass = 0xFF0000;
constexpr DWORD kChangeFilterStages = 0x1000000;         // low-pass, derivative, resampling
constexpr DWORD kChangeNormalisationStages = 0x2000000;  // normalisation, peak detection
constexpr DWORD kChangeFiducialStage = 0x4000000;        // the fiducial points
constexpr DWORD kChangeEngine = 0xFFFFFF;                // every statistic
constexpr DWORD kChangeEverything = 0xFFFFFFFF;

}  // namespace Rhyth
