// The host's Tabulon measurement table over one open document: one column per measurement
// class that modules registered (in the order of their type words), one row per selection. The
// table creates each row's functions through their class objects, gives them the document's
// record data, the channel and the row's selection, evaluates them, and shows each value in
// its number format with its unit. It prints as text or as CSV. The table belongs to whoever
// made it and must not outlive the hosted document.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "host/framework/held_reference.h"
#include "host/tabulon/tabulon_host_object.h"

namespace PendrelHost {

// A row's stretch of the recording (the end exclusive; a point when start equals end).
struct MeasurementSelection {
  std::string label;
  PendrelPosition start;
  PendrelPosition end;
};

struct MeasurementColumn {
  Tarn::HeldReference<ITabulonFunctionClass2> classObject;
  std::string name;  // the display name
};

struct MeasurementCell {
  HRESULT result = E_FAIL;
  std::string text;  // empty when there is no value
  std::string unit;
};

class MeasurementTable {
 public:
  // `channel` is the channel the rows' functions are given.
  explicit MeasurementTable(HostedDocument& document, LONG channel = 0);
  ~MeasurementTable();
  MeasurementTable(const MeasurementTable&) = delete;
  MeasurementTable& operator=(const MeasurementTable&) = delete;

  // A row whose functions are made now and evaluated by Evaluate.
  void AddRow(MeasurementSelection selection);
  void AddRows(const std::vector<MeasurementSelection>& selections);
  // Evaluates every function of every row.
  void Evaluate();

  const std::vector<MeasurementColumn>& Columns() const { return m_columns; }
  std::size_t RowCount() const { return m_rows.size(); }
  const MeasurementSelection& Selection(std::size_t row) const { return m_rows[row].selection; }
  const MeasurementCell& Cell(std::size_t row, std::size_t column) const {
    return m_rows[row].cells[column];
  }
  // The function of a cell, for a caller that asks it more.
  IQuorDataFunction* Function(std::size_t row, std::size_t column) const {
    return m_rows[row].functions[column].get();
  }
  // The column of a display name; npos when there is none.
  std::size_t ColumnOf(std::string_view name) const;

  // Per row: the selection's label, then one line per measurement, "name: value unit".
  void WriteText(std::ostream& out) const;
  // A header of the column names with their units, then one line per row.
  void WriteCsv(std::ostream& out) const;

 private:
  struct Row {
    MeasurementSelection selection;
    std::vector<Tarn::HeldReference<IQuorDataFunction>> functions;
    std::vector<MeasurementCell> cells;
  };

  void EvaluateCell(Row& row, std::size_t column);
  // The unit a column's values are in: the first one a row gives.
  std::string ColumnUnit(std::size_t column) const;

  HostedDocument* m_document;
  LONG m_channel;
  Tarn::HeldReference<TabulonHostObject> m_host;
  Tarn::HeldReference<IPendrelRecordData> m_recordData;
  std::vector<MeasurementColumn> m_columns;
  std::vector<Row> m_rows;
};

// The user's current selection as a row; none when nothing is selected.
std::vector<MeasurementSelection> RowsForSelection(const Recording& recording);
// One row for the whole data of each record.
std::vector<MeasurementSelection> RowsPerRecord(const Recording& recording);
// Rows of `seconds` each, from the start of every record (the last row of a record may be
// shorter). Throws std::invalid_argument for a length that is not a positive number.
std::vector<MeasurementSelection> RowsPerInterval(const Recording& recording, double seconds);

enum class MeasurementOutput { kText, kCsv };

// A table's whole use in one call, for the command line: the rows evaluated and printed.
void PrintMeasurements(HostedDocument& document, const std::vector<MeasurementSelection>& rows,
                       MeasurementOutput output, std::ostream& out);

}  // namespace PendrelHost
