#include "host/tabulon/measurement_table.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <stdexcept>

#include "core/bitset.h"
#include "host/framework/host_text.h"
#include "host/framework/registered_classes.h"
#include "host/recording/csv_field.h"
#include "host/tabulon/number_format.h"

namespace PendrelHost {

namespace {

template <class I>
Tarn::HeldReference<I> Face(IUnknown* object) {
  void* face = nullptr;
  if (object) object->QueryInterface(I::iid, &face);
  return Tarn::HeldReference<I>(static_cast<I*>(face));
}

// Takes over a text a function or class object gave.
std::u16string WideTextOf(IQuorString* text) {
  Tarn::HeldReference<IQuorString> held(text);
  return text ? Tarn::TextOf(text) : std::u16string();
}

std::string TextOf(IQuorString* text) { return Tarn::Utf8(WideTextOf(text)); }

// The measurement classes the modules registered, in the order of their type words.
std::vector<MeasurementColumn> MeasurementColumns() {
  std::vector<std::pair<DWORD, MeasurementColumn>> found;
  for (const auto& classObject : Tarn::RegisteredClassObjects()) {
    if (classObject->IsCategory(CATID_TabulonFunctionClass) != S_OK) continue;
    auto measurement = Face<ITabulonFunctionClass2>(classObject.get());
    if (!measurement) continue;
    DWORD type = 0;
    measurement->GetTypeId(&type);
    IQuorString* name = nullptr;
    measurement->GetName(0, &name);
    std::string display = TextOf(name);
    found.emplace_back(type, MeasurementColumn{std::move(measurement), std::move(display)});
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<MeasurementColumn> columns;
  for (auto& [type, column] : found) columns.push_back(std::move(column));
  return columns;
}

// The selection's first tick counted from the document start, as the table tells its functions.
LONGLONG TicksBefore(const Recording& recording, const PendrelPosition& position) {
  LONGLONG ticks = 0;
  for (LONG record = 0; record < position.record && std::size_t(record) < recording.RecordCount();
       ++record) {
    ticks += recording.TickCount(std::size_t(record));
  }
  return ticks + position.offset;
}

}  // namespace

MeasurementTable::MeasurementTable(HostedDocument& document, LONG channel)
    : m_document(&document),
      m_channel(channel),
      m_host(new TabulonHostObject(document)),
      m_columns(MeasurementColumns()) {
  IUnknown* data = nullptr;
  m_host->GetRecordData(&data);
  Tarn::HeldReference<IUnknown> held(data);
  m_recordData = Face<IPendrelRecordData>(data);
}

MeasurementTable::~MeasurementTable() {
  // The functions let go of the host objects before the table's own go.
  for (Row& row : m_rows) {
    for (auto& function : row.functions) {
      if (function) function->Detach();
    }
  }
}

void MeasurementTable::AddRow(MeasurementSelection selection) {
  Row row{std::move(selection), {}, std::vector<MeasurementCell>(m_columns.size())};
  for (const MeasurementColumn& column : m_columns) {
    ITabulonFunction* function = nullptr;
    column.classObject->CreateFunction(static_cast<ITabulonHost*>(m_host.get()), m_channel,
                                       nullptr, &function);
    Tarn::HeldReference<ITabulonFunction> held(function);
    row.functions.push_back(Face<IQuorDataFunction>(function));
  }
  m_rows.push_back(std::move(row));
}

void MeasurementTable::AddRows(const std::vector<MeasurementSelection>& selections) {
  for (const MeasurementSelection& selection : selections) AddRow(selection);
}

void MeasurementTable::Evaluate() {
  for (Row& row : m_rows) {
    for (std::size_t column = 0; column < m_columns.size(); ++column) EvaluateCell(row, column);
  }
}

void MeasurementTable::EvaluateCell(Row& row, std::size_t column) {
  MeasurementCell& cell = row.cells[column];
  cell = {};
  IQuorDataFunction* function = row.functions[column].get();
  if (!function) return;
  const MeasurementSelection& selection = row.selection;
  Quor::Bitset channels;
  if (m_channel >= 0) channels.SetBit(std::size_t(m_channel));
  Tarn::HeldReference<IQuorBitset> channelSet(channels.GetInterface());
  function->SetSource(0, m_recordData.get());
  function->SetChannel(0, channelSet.get());
  function->SetSelection(0, TicksBefore(m_document->Data().Source(), selection.start),
                         kSelectionOfData, selection.start.offset, selection.start.record,
                         selection.end.offset, selection.end.record);
  VARIANT value;
  VariantInit(&value);
  cell.result = function->Evaluate(kTabulonEvaluateAll, m_channel, 0, &value);
  IQuorString* format = nullptr;
  function->GetNumberFormat(0, 0, &format);
  cell.text = FormatTabulonValue(value, WideTextOf(format));
  IQuorString* unit = nullptr;
  if (function->GetUnitString(&unit) == S_OK) cell.unit = TextOf(unit);
  VariantClear(&value);
}

std::size_t MeasurementTable::ColumnOf(std::string_view name) const {
  for (std::size_t column = 0; column < m_columns.size(); ++column) {
    if (m_columns[column].name == name) return column;
  }
  return std::string_view::npos;
}

std::string MeasurementTable::ColumnUnit(std::size_t column) const {
  for (const Row& row : m_rows) {
    if (!row.cells[column].unit.empty()) return row.cells[column].unit;
  }
  return {};
}

void MeasurementTable::WriteText(std::ostream& out) const {
  std::size_t width = 0;
  for (const MeasurementColumn& column : m_columns) width = std::max(width, column.name.size());
  for (const Row& row : m_rows) {
    out << row.selection.label << '\n';
    for (std::size_t column = 0; column < m_columns.size(); ++column) {
      const MeasurementCell& cell = row.cells[column];
      const std::string& name = m_columns[column].name;
      out << "  " << name << ':' << std::string(width - name.size() + 1, ' ');
      if (!cell.text.empty()) {
        out << cell.text;
        if (!cell.unit.empty()) out << ' ' << cell.unit;
      }
      out << '\n';
    }
  }
}

void MeasurementTable::WriteCsv(std::ostream& out) const {
  out << "Selection";
  for (std::size_t column = 0; column < m_columns.size(); ++column) {
    std::string heading = m_columns[column].name;
    const std::string unit = ColumnUnit(column);
    if (!unit.empty()) heading += " (" + unit + ")";
    out << ',' << CsvField(heading);
  }
  out << "\r\n";
  for (const Row& row : m_rows) {
    out << CsvField(row.selection.label);
    for (const MeasurementCell& cell : row.cells) out << ',' << CsvField(cell.text);
    out << "\r\n";
  }
}

std::vector<MeasurementSelection> RowsForSelection(const Recording& recording) {
  const std::optional<Selection>& selected = recording.CurrentSelection();
  if (!selected) return {};
  return {{"Selection", {LONG(selected->start.tick), LONG(selected->start.record)},
           {LONG(selected->end.tick), LONG(selected->end.record)}}};
}

std::vector<MeasurementSelection> RowsPerRecord(const Recording& recording) {
  std::vector<MeasurementSelection> rows;
  for (std::size_t record = 0; record < recording.RecordCount(); ++record) {
    rows.push_back({"Record " + std::to_string(record + 1), {0, LONG(record)},
                    {LONG(recording.TickCount(record)), LONG(record)}});
  }
  return rows;
}

std::vector<MeasurementSelection> RowsPerInterval(const Recording& recording, double seconds) {
  if (!(seconds > 0) || !std::isfinite(seconds)) {
    throw std::invalid_argument("the length of a row must be a positive number of seconds");
  }
  const LONGLONG step = std::max<LONGLONG>(1, std::llround(seconds * recording.SampleRate()));
  std::vector<MeasurementSelection> rows;
  for (std::size_t record = 0; record < recording.RecordCount(); ++record) {
    const LONGLONG ticks = recording.TickCount(record);
    for (LONGLONG start = 0, n = 1; start < ticks; start += step, ++n) {
      const LONGLONG end = std::min(ticks, start + step);
      std::string label = "Record " + std::to_string(record + 1) + " part " + std::to_string(n);
      rows.push_back({std::move(label), {LONG(start), LONG(record)}, {LONG(end), LONG(record)}});
    }
  }
  return rows;
}

void PrintMeasurements(HostedDocument& document, const std::vector<MeasurementSelection>& rows,
                       MeasurementOutput output, std::ostream& out) {
  MeasurementTable table(document);
  table.AddRows(rows);
  table.Evaluate();
  if (output == MeasurementOutput::kCsv) {
    table.WriteCsv(out);
  } else {
    table.WriteText(out);
  }
}

}  // namespace PendrelHost
