// The settings dialog's validated fields: the control and mark ids of each, the label it goes by
// in scripts (the settings' own words for the halves of a pair), the factor from the settings'
// unit to the shown one, and its range; and the pairs of fields under one label. Constant
// tables, shared by the dialog's controls and its answer lines.
#pragma once

#include "views/dialogs/settings_dialog.h"

namespace Rhyth::SettingsFields {

// A validated field: its mark, the label it goes by (the settings' own word for a half of a
// pair), how the settings' unit turns into the shown one, and its range.
struct FieldEntry {
  int id;
  int markId;
  const char* label;
  double factor;
  double minimum;
  double maximum;
};

inline constexpr FieldEntry kFields[] = {
    {SettingsDialog::kBinWidthEdit, 124, "Histogram bin width", 1000, 0.1, 10000},
    {SettingsDialog::kPrrEdit, 125, "pRR threshold", 1000, 0.001, 1000},
    {SettingsDialog::kSdarrEdit, 127, "SDARR averaging", 1, 1, 3600},
    {SettingsDialog::kRrLowEdit, 152, "RR low limit", 1000, 0, 60000},
    {SettingsDialog::kRrHighEdit, 153, "RR high limit", 1000, 0, 60000},
    {SettingsDialog::kComplexityLowEdit, 156, "Complexity low limit", 1, 0, 10},
    {SettingsDialog::kComplexityHighEdit, 157, "Complexity high limit", 1, 0, 10},
    {SettingsDialog::kMaxFrequencyEdit, 131, "Maximum frequency", 1, 0, 10},
    {SettingsDialog::kFrequencyCountEdit, 133, "Number of frequencies", 1, 10, 10000},
    {SettingsDialog::kVlfLowEdit, 136, "VLF low", 1, 0, 10},
    {SettingsDialog::kVlfHighEdit, 137, "VLF high", 1, 0, 10},
    {SettingsDialog::kLfLowEdit, 140, "LF low", 1, 0, 10},
    {SettingsDialog::kLfHighEdit, 141, "LF high", 1, 0, 10},
    {SettingsDialog::kHfLowEdit, 144, "HF low", 1, 0, 10},
    {SettingsDialog::kHfHighEdit, 145, "HF high", 1, 0, 10},
};

// Two fields under one label ("RR Interval: low - high").
struct PairEntry {
  const char* label;
  int lowId;
  int highId;
};

inline constexpr PairEntry kPairs[] = {
    {"RR Interval", SettingsDialog::kRrLowEdit, SettingsDialog::kRrHighEdit},
    {"Complexity", SettingsDialog::kComplexityLowEdit, SettingsDialog::kComplexityHighEdit},
    {"VLF", SettingsDialog::kVlfLowEdit, SettingsDialog::kVlfHighEdit},
    {"LF", SettingsDialog::kLfLowEdit, SettingsDialog::kLfHighEdit},
    {"HF", SettingsDialog::kHfLowEdit, SettingsDialog::kHfHighEdit},
};

inline const FieldEntry* FieldOf(int id) {
  for (const FieldEntry& field : kFields)
    if (field.id == id) return &field;
  return nullptr;
}

}  // namespace Rhyth::SettingsFields
