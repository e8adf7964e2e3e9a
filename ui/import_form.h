#pragma once

// The spreadsheet import dialog as a form model: which sheet, which row holds the
// headers, how a CSV file is split and decoded, which column holds each roster field,
// the event date ages are taken at and how dates like 03/04/2012 read; the first rows as
// they will load; and the OK and Cancel buttons.
//
// The front end shows the form's state and calls its setters as the organiser changes a
// choice; each setter reads the file again or rebuilds the rows, so the preview and the
// summary always show what OK would load. OK asks before it loads anything partial
// (rows skipped, a sheet cut at the row limit) and before it guesses the day/month
// order; it returns true when the dialog closes with rows to load. Cancel always closes.
//
// memory and messages must outlive the form.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sheets/roster_import.h"
#include "sheets/spreadsheet.h"
#include "ui/message_port.h"

namespace kestrio::ui {

inline constexpr std::string_view kImportDialogTitle = "Open Spreadsheet";
inline constexpr std::string_view kImportMessageCaption = "Kestrio: Open Spreadsheet";
// Rows shown in the preview.
inline constexpr std::size_t kImportPreviewRows = 20;
// Rows offered as the header row.
inline constexpr std::size_t kHeaderRowChoices = 20;

// Where the mapping last used for a file with the same headers is kept between sessions.
// Abstract so that tests keep it in memory; the desktop keeps it in its settings.
class MappingMemory {
 public:
  virtual ~MappingMemory() = default;
  // The mapping remembered for headers with this key (sheets::HeaderKey), as a --columns
  // text; nothing when there is none.
  virtual std::optional<std::string> Recall(const std::string& header_key) = 0;
  virtual void Remember(const std::string& header_key, const std::string& columns) = 0;
};

class ImportForm {
 public:
  // Reads the file's bytes (a copy is kept, for reading again with other choices) with
  // the delimiter and encoding detected and the first sheet, and guesses the rest:
  // event date today, the day/month order from the dates or else default_order (the
  // locale's), the mapping remembered for these headers or else guessed from them.
  ImportForm(std::string file_name, std::string bytes, sheets::SheetFormat format,
             sheets::CivilDate today, sheets::DateOrder default_order, MappingMemory& memory,
             MessagePort& messages);

  ImportForm(const ImportForm&) = delete;
  ImportForm& operator=(const ImportForm&) = delete;

  const std::string& file_name() const { return file_name_; }
  // The sheet as read now: its status (not ok: nothing can be loaded, the message says
  // why), the sheet names, delimiter and encoding used, the rows, the notes.
  const sheets::SheetData& sheet() const { return data_; }
  const sheets::ImportSettings& settings() const { return settings_; }
  sheets::DateOrderFinding date_order_finding() const { return finding_; }
  // True when the mapping is the one remembered for these headers.
  bool mapping_remembered() const { return remembered_; }

  // A sheet's worksheet, a CSV file's delimiter (',', ';', '\t') and encoding: the file
  // is read again and the header row and mapping guessed again.
  void SelectSheet(std::size_t sheet);
  void SetDelimiter(char delimiter);
  void SetEncoding(sheets::TextEncoding encoding);
  // The header row (from 0), or none: the mapping is guessed again from it.
  void SetHeaderRow(std::optional<std::size_t> row);
  // The column (from 0, or sheets::kUnmapped) of one field. A column holds one field: a
  // field that had it loses it.
  void SetColumn(sheets::RosterField field, int column);
  void SetEventDate(sheets::CivilDate date);
  // The organiser's answer to the day/month question.
  void SetDateOrder(sheets::DateOrder order);
  // The order the organiser's locale writes dates in, offered when the dates do not tell.
  void SetLocaleDateOrder(sheets::DateOrder order);

  // The choices of a field's column: "(none)" first, then one per column, "C: Weight"
  // with a header row and "Column C" without one. Choice k + 1 is column k.
  std::vector<std::string> ColumnChoices() const;

  // The first data rows as they will load, or why each is skipped.
  const std::vector<sheets::LinePreview>& preview() const { return preview_; }
  // One sentence on what OK would do: how many rows load and how many are skipped, or
  // why nothing can load.
  std::string Summary() const;
  // What the organiser should check: the sheet's notes, a sheet cut at the row limit,
  // fields without a column, a day/month order the dates do not decide.
  std::vector<std::string> Warnings() const;

  bool Ok();
  bool Cancel();

  // After an OK that closed: the rows to load, as roster lines.
  bool accepted() const { return accepted_; }
  const std::vector<sheets::RowLine>& lines() const { return lines_; }

 private:
  void Read(const sheets::SheetRequest& request);
  void GuessMapping();
  void Rebuild();
  bool Ask(const std::string& text);

  std::string file_name_;
  std::string bytes_;
  sheets::SheetFormat format_;
  MappingMemory& memory_;
  MessagePort& messages_;
  sheets::SheetRequest request_;
  sheets::SheetData data_;
  sheets::ImportSettings settings_;
  sheets::DateOrderFinding finding_ = sheets::DateOrderFinding::NotNeeded;
  bool order_chosen_ = false;
  bool remembered_ = false;
  std::vector<sheets::RowLine> lines_;
  std::vector<sheets::LinePreview> preview_;
  std::size_t skipped_ = 0;
  bool accepted_ = false;
};

}  // namespace kestrio::ui
