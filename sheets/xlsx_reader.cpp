#include "sheets/xlsx_reader.h"

#include <zip.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "sheets/xlsx_parts.h"

namespace kestrio::sheets {
namespace {

// The start of a compound document: an .xls workbook, or an .xlsx one encrypted with a
// password (which wraps the zip archive in such a document).
constexpr std::string_view kCompoundDocumentMagic = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

constexpr std::string_view kPasswordMessage =
    "the workbook is protected with a password; save a copy without one and open that";

std::string Damaged(std::string_view what) { return DamagedWorkbook(what); }

bool EndsWith(std::string_view text, std::string_view end) { return text.ends_with(end); }

// The UTF-16 name of the stream that holds the encryption data of a protected workbook.
bool HoldsEncryptionInfo(std::string_view bytes) {
  static const std::string kName = [] {
    std::string name;
    for (char c : std::string_view("EncryptionInfo")) {
      name.push_back(c);
      name.push_back('\0');
    }
    return name;
  }();
  return bytes.find(kName) != std::string_view::npos;
}

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// The archive with a budget of unpacked bytes shared by every part read from it.
class Archive {
 public:
  Archive(zip_t* archive, std::uint64_t budget) : archive_(archive), budget_(budget) {}

  bool Has(const std::string& name) const {
    return zip_name_locate(archive_.get(), name.c_str(), ZIP_FL_NOCASE) >= 0;
  }

  // Streams the part's bytes to sink in chunks. sink returns false to stop early.
  Status Stream(const std::string& name,
                const std::function<Status(std::string_view, bool)>& sink) {
    const zip_int64_t index = zip_name_locate(archive_.get(), name.c_str(), ZIP_FL_NOCASE);
    if (index < 0) return Status::BadSpreadsheet(Damaged("it has no part " + name));
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_.get(), static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
        (stat.valid & ZIP_STAT_SIZE) && stat.size > budget_) {
      return TooBig();
    }
    std::unique_ptr<zip_file_t, EntryCloser> file(
        zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0));
    if (!file) return OpenFailure(name);
    std::string buffer(1 << 16, '\0');
    while (true) {
      const zip_int64_t n = zip_fread(file.get(), buffer.data(), buffer.size());
      if (n < 0) return Status::BadSpreadsheet(Damaged("its part " + name + " cannot be unpacked"));
      if (static_cast<std::uint64_t>(n) > budget_) return TooBig();
      budget_ -= static_cast<std::uint64_t>(n);
      const bool last = n == 0;
      Status status = sink(std::string_view(buffer.data(), static_cast<std::size_t>(n)), last);
      if (!status.ok() || last) return status;
    }
  }

  // Feeds a whole part to handler, stopping early when the handler has enough.
  Status Parse(const std::string& name, XmlHandler& handler) {
    XmlStream stream(handler, name);
    return Stream(name, [&](std::string_view chunk, bool last) {
      if (stream.stopped()) return Status::Ok();
      return stream.Feed(chunk, last);
    });
  }

  Status ReadWhole(const std::string& name, std::string* out) {
    out->clear();
    return Stream(name, [&](std::string_view chunk, bool) {
      out->append(chunk);
      return Status::Ok();
    });
  }

 private:
  Status TooBig() const {
    return Status::BadSpreadsheet("the workbook unpacks to more than " +
                                  std::to_string(original_budget_ >> 20) +
                                  " MB, far more than any roster");
  }

  Status OpenFailure(const std::string& name) const {
    const int code = zip_error_code_zip(zip_get_error(archive_.get()));
    if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_ENCRNOTSUPP) {
      return Status::BadSpreadsheet(std::string(kPasswordMessage));
    }
    return Status::BadSpreadsheet(Damaged("its part " + name + " cannot be unpacked"));
  }

  std::unique_ptr<zip_t, ArchiveCloser> archive_;
  std::uint64_t budget_;
  std::uint64_t original_budget_ = budget_;
};

Status OpenArchive(std::string_view bytes, const SheetLimits& limits,
                   std::unique_ptr<Archive>* out) {
  if (bytes.starts_with(kCompoundDocumentMagic)) {
    return Status::BadSpreadsheet(
        HoldsEncryptionInfo(bytes) ? std::string(kPasswordMessage)
                                   : "the file is an Excel 97-2003 workbook (.xls); save it as an "
                                     "Excel workbook (.xlsx) or as CSV and open that");
  }
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* archive = source != nullptr ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
  zip_error_fini(&error);
  if (archive == nullptr) {
    if (source != nullptr) zip_source_free(source);
    return Status::BadSpreadsheet(Damaged("it is not a zip archive, or a damaged one"));
  }
  *out = std::make_unique<Archive>(archive, limits.max_unpacked_bytes);
  return Status::Ok();
}

// Where the workbook part is: the package's relationships say, and every writer puts
// it at xl/workbook.xml.
std::string WorkbookPartName(Archive& archive) {
  std::string rels;
  std::vector<Relationship> relationships;
  if (archive.Has("_rels/.rels") && archive.ReadWhole("_rels/.rels", &rels).ok() &&
      ParseRelationships(rels, &relationships).ok()) {
    for (const Relationship& r : relationships) {
      if (EndsWith(r.type, "/officeDocument")) return ResolvePartName("", r.target);
    }
  }
  return "xl/workbook.xml";
}

std::string RelationshipsPartOf(const std::string& part) {
  const auto slash = part.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
  const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
  return folder + "_rels/" + file + ".rels";
}

// The parts the chosen sheet needs, found through the workbook and its relationships.
struct WorkbookParts {
  std::vector<std::string> sheet_names;
  std::vector<std::string> sheet_parts;
  std::string shared_strings;  // empty when the workbook has none
  std::string styles;          // likewise
  bool date1904 = false;
};

Status FindParts(Archive& archive, WorkbookParts* parts) {
  const std::string workbook_part = WorkbookPartName(archive);
  std::string xml;
  WorkbookInfo info;
  Status s = archive.ReadWhole(workbook_part, &xml);
  if (s.ok()) s = ParseWorkbook(xml, &info);
  if (!s.ok()) return s;
  std::vector<Relationship> relationships;
  const std::string rels_part = RelationshipsPartOf(workbook_part);
  s = archive.ReadWhole(rels_part, &xml);
  if (s.ok()) s = ParseRelationships(xml, &relationships);
  if (!s.ok()) return s;

  parts->date1904 = info.date1904;
  for (const Relationship& r : relationships) {
    if (EndsWith(r.type, "/sharedStrings"))
      parts->shared_strings = ResolvePartName(workbook_part, r.target);
    if (EndsWith(r.type, "/styles")) parts->styles = ResolvePartName(workbook_part, r.target);
  }
  for (const WorkbookSheet& sheet : info.sheets) {
    const auto r =
        std::find_if(relationships.begin(), relationships.end(),
                     [&](const Relationship& rel) { return rel.id == sheet.relationship_id; });
    // Chart sheets and dialog sheets hold no cells.
    if (r == relationships.end() || !EndsWith(r->type, "/worksheet")) continue;
    parts->sheet_names.push_back(sheet.name);
    parts->sheet_parts.push_back(ResolvePartName(workbook_part, r->target));
  }
  if (parts->sheet_parts.empty()) return Status::BadSpreadsheet("the workbook holds no worksheet");
  return Status::Ok();
}

std::string MergedNote(const std::vector<std::string>& ranges) {
  std::string note = "The sheet has merged cells; every cell of a merged range takes its value (";
  for (std::size_t k = 0; k < ranges.size() && k < 5; ++k) {
    if (k > 0) note += ", ";
    note += ranges[k];
  }
  note += ranges.size() > 5 ? ", ...)." : ").";
  return note;
}

Status ReadSheet(Archive& archive, const WorkbookParts& parts, const SheetLimits& limits,
                 XlsxRead* read) {
  SharedStringsHandler strings(limits.max_cells);
  if (!parts.shared_strings.empty() && archive.Has(parts.shared_strings)) {
    if (Status s = archive.Parse(parts.shared_strings, strings); !s.ok()) return s;
  }
  std::vector<bool> date_styles;
  if (!parts.styles.empty() && archive.Has(parts.styles)) {
    std::string xml;
    Status s = archive.ReadWhole(parts.styles, &xml);
    if (s.ok()) s = ParseStyles(xml, &date_styles);
    if (!s.ok()) return s;
  }
  SheetHandler sheet(strings.strings(), date_styles, limits);
  if (Status s = archive.Parse(parts.sheet_parts[read->sheet], sheet); !s.ok()) return s;
  SheetContent& content = sheet.content();
  if (Status s = FillMergedRanges(&content, limits); !s.ok()) return s;
  if (!content.merged_ranges.empty()) read->notes.push_back(MergedNote(content.merged_ranges));
  if (content.formulas_without_value > 0) {
    read->notes.push_back(std::to_string(content.formulas_without_value) +
                          " formula cells have no saved value and read as empty; open the "
                          "workbook in a spreadsheet program and save it to keep their values.");
  }
  read->rows = std::move(content.rows);
  read->truncated = content.truncated;
  return Status::Ok();
}

}  // namespace

XlsxRead ReadXlsx(std::string_view bytes, std::size_t sheet, const SheetLimits& limits) {
  XlsxRead read;
  std::unique_ptr<Archive> archive;
  read.status = OpenArchive(bytes, limits, &archive);
  if (!read.status.ok()) return read;
  WorkbookParts parts;
  read.status = FindParts(*archive, &parts);
  if (!read.status.ok()) return read;
  read.sheet_names = parts.sheet_names;
  read.sheet = sheet < parts.sheet_parts.size() ? sheet : 0;
  read.date1904 = parts.date1904;
  read.status = ReadSheet(*archive, parts, limits, &read);
  if (!read.status.ok()) read.rows.clear();
  return read;
}

}  // namespace kestrio::sheets
