#include "sheets/column_mapping.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace kestrio::sheets {
namespace {

struct Synonym {
  std::string_view words;  // normalised: lower case, single blanks
  RosterField field;
  // Too common a word to name the field among other words ("Last Updated", "Years
  // Wrestling", "Place of Birth"): only the header that is exactly this names it.
  bool exact_only = false;
};

// What registration forms, club lists and older versions of this program call each field.
constexpr Synonym kSynonyms[] = {
    {"last name", RosterField::LastName},
    {"lastname", RosterField::LastName},
    {"surname", RosterField::LastName},
    {"family name", RosterField::LastName},
    {"last", RosterField::LastName, true},
    {"lname", RosterField::LastName, true},
    {"first name", RosterField::FirstName},
    {"firstname", RosterField::FirstName},
    {"given name", RosterField::FirstName},
    {"forename", RosterField::FirstName},
    {"given", RosterField::FirstName, true},
    {"first", RosterField::FirstName, true},
    {"fname", RosterField::FirstName, true},
    {"weight", RosterField::Weight},
    {"wt", RosterField::Weight},
    {"lbs", RosterField::Weight},
    {"kg", RosterField::Weight},
    {"kgs", RosterField::Weight},
    {"wght", RosterField::Weight, true},
    {"lb", RosterField::Weight, true},
    {"weigh in", RosterField::Weight, true},
    {"age", RosterField::Age},
    {"date of birth", RosterField::BirthDate},
    {"dob", RosterField::BirthDate},
    {"d o b", RosterField::BirthDate},
    {"birthdate", RosterField::BirthDate},
    {"birth date", RosterField::BirthDate},
    {"birthday", RosterField::BirthDate},
    {"born", RosterField::BirthDate, true},
    {"birth", RosterField::BirthDate, true},
    {"rating", RosterField::Rating},
    {"experience", RosterField::Rating},
    {"skill", RosterField::Rating},
    {"rate", RosterField::Rating, true},
    {"level", RosterField::Rating, true},
    {"exp", RosterField::Rating, true},
    {"ability", RosterField::Rating, true},
    {"club", RosterField::Club},
    {"team", RosterField::Club},
    {"school", RosterField::Club},
    {"organisation", RosterField::Club, true},
    {"organization", RosterField::Club, true},
    {"status", RosterField::Status},
    {"selected", RosterField::Status, true},
    {"wrestling", RosterField::Status, true},
    {"attending", RosterField::Status, true},
    {"wrestle", RosterField::Status, true},
    {"competing", RosterField::Status, true},
};

// Words that make a header about something else: "Weight Class", "Age Group", "Coach
// Last Name", "Parent Email", "School Grade", "Payment Status".
constexpr std::string_view kOtherThings[] = {
    "class",     "group",    "division", "bracket", "grade",     "category",     "coach",
    "parent",    "guardian", "mother",   "father",  "emergency", "contact",      "email",
    "phone",     "address",  "payment",  "paid",    "fee",       "registration", "membership",
    "insurance", "updated",  "modified", "place",   "city",      "state"};

// Lower case, every run of other characters one blank, no blanks at the ends.
std::string Normalise(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u)) {
      if (blank && !out.empty()) out.push_back(' ');
      out.push_back(static_cast<char>(std::tolower(u)));
      blank = false;
    } else {
      blank = true;
    }
  }
  return out;
}

// True when words occur in text as whole words.
bool ContainsWords(std::string_view text, std::string_view words) {
  for (std::size_t at = text.find(words); at != std::string_view::npos;
       at = text.find(words, at + 1)) {
    const bool starts = at == 0 || text[at - 1] == ' ';
    const std::size_t end = at + words.size();
    if (starts && (end == text.size() || text[end] == ' ')) return true;
  }
  return false;
}

std::string_view Trimmed(std::string_view s) {
  const auto begin = s.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  const auto end = s.find_last_not_of(" \t");
  return s.substr(begin, end - begin + 1);
}

bool EqualWithoutCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// How well a header names a field: 2 for a synonym exactly, 1 for a synonym among
// other words, 0 for none; the longest synonym wins among the words.
int HeaderScore(std::string_view header, RosterField* field) {
  const std::string words = Normalise(header);
  if (words.empty()) return 0;
  for (const Synonym& s : kSynonyms) {
    if (words == s.words) {
      *field = s.field;
      return 2;
    }
  }
  for (std::string_view other : kOtherThings) {
    if (ContainsWords(words, other)) return 0;
  }
  std::size_t longest = 0;
  for (const Synonym& s : kSynonyms) {
    if (!s.exact_only && s.words.size() > longest && ContainsWords(words, s.words)) {
      longest = s.words.size();
      *field = s.field;
    }
  }
  return longest > 0 ? 1 : 0;
}

std::string_view HeaderText(const CellRow& headers, std::size_t column) {
  if (column >= headers.size() || headers[column].kind != CellKind::Text) return {};
  return Trimmed(headers[column].text);
}

std::optional<int> ColumnByLetters(std::string_view text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  int column = 0;
  for (char c : text) {
    const int letter = std::toupper(static_cast<unsigned char>(c)) - 'A';
    if (letter < 0 || letter >= 26) return std::nullopt;
    column = column * 26 + letter + 1;
  }
  return column - 1;
}

// The column a --columns value names: a header, a number from 1 or letters.
std::optional<int> ResolveColumn(std::string_view value, const CellRow& headers) {
  for (std::size_t c = 0; c < headers.size(); ++c) {
    if (EqualWithoutCase(HeaderText(headers, c), value)) return static_cast<int>(c);
  }
  const std::string wanted = Normalise(value);
  for (std::size_t c = 0; c < headers.size(); ++c) {
    if (!wanted.empty() && Normalise(HeaderText(headers, c)) == wanted) return static_cast<int>(c);
  }
  if (std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
      !value.empty() && value.size() <= 5) {
    const int n = std::stoi(std::string(value));
    if (n >= 1) return n - 1;
    return std::nullopt;
  }
  return ColumnByLetters(value);
}

std::optional<RosterField> FieldOfKey(std::string_view key) {
  const std::string k = Normalise(key);
  for (RosterField f : kRosterFields) {
    if (k == FieldKey(f) || k == Normalise(FieldCaption(f))) return f;
  }
  return std::nullopt;
}

}  // namespace

std::string_view FieldCaption(RosterField field) {
  switch (field) {
    case RosterField::LastName:
      return "Last Name";
    case RosterField::FirstName:
      return "First Name";
    case RosterField::Weight:
      return "Weight";
    case RosterField::Age:
      return "Age";
    case RosterField::BirthDate:
      return "Date of Birth";
    case RosterField::Rating:
      return "Rating";
    case RosterField::Club:
      return "Club";
    case RosterField::Status:
      return "Status";
  }
  return {};
}

std::string_view FieldKey(RosterField field) {
  static constexpr std::array<std::string_view, kRosterFieldCount> kKeys = {
      "last", "first", "weight", "age", "dob", "rating", "club", "status"};
  return kKeys[static_cast<std::size_t>(field)];
}

std::optional<RosterField> FieldOfHeader(std::string_view header) {
  RosterField field{};
  if (HeaderScore(header, &field) == 0) return std::nullopt;
  return field;
}

std::optional<std::size_t> GuessHeaderRow(const CellRows& rows) {
  constexpr std::size_t kRowsSearched = 20;
  std::optional<std::size_t> best;
  int best_count = 1;
  for (std::size_t r = 0; r < rows.size() && r < kRowsSearched; ++r) {
    std::array<bool, kRosterFieldCount> named{};
    for (const Cell& cell : rows[r]) {
      if (cell.kind != CellKind::Text) continue;
      if (const auto field = FieldOfHeader(cell.text))
        named[static_cast<std::size_t>(*field)] = true;
    }
    const int count = static_cast<int>(std::count(named.begin(), named.end(), true));
    if (count > best_count) {
      best_count = count;
      best = r;
    }
  }
  return best;
}

ColumnMapping GuessMapping(const CellRow& headers) {
  struct Candidate {
    int score;
    int column;
    RosterField field;
  };
  std::vector<Candidate> candidates;
  for (std::size_t c = 0; c < headers.size(); ++c) {
    RosterField field{};
    const int score = HeaderScore(HeaderText(headers, c), &field);
    if (score > 0) candidates.push_back({score, static_cast<int>(c), field});
  }
  // Exact names first, so that "Weight" wins over "Weight (lbs) at check-in".
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.score > b.score; });
  ColumnMapping mapping;
  for (const Candidate& c : candidates) {
    if (!mapping.Mapped(c.field)) mapping[c.field] = c.column;
  }
  return mapping;
}

ColumnMapping PositionalMapping() {
  ColumnMapping m;
  m[RosterField::LastName] = 0;
  m[RosterField::FirstName] = 1;
  m[RosterField::Weight] = 2;
  m[RosterField::Age] = 3;
  m[RosterField::Rating] = 4;
  m[RosterField::Club] = 5;
  m[RosterField::Status] = 6;
  return m;
}

ColumnsOption ApplyColumnsOption(std::string_view text, const CellRow& headers,
                                 const ColumnMapping& guessed) {
  ColumnsOption result{guessed, {}};
  std::array<bool, kRosterFieldCount> given{};
  ColumnMapping explicit_mapping;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    const std::string_view pair = Trimmed(text.substr(start, comma - start));
    start = comma + 1;
    if (pair.empty()) continue;
    const std::size_t eq = pair.find('=');
    const std::string_view key = Trimmed(pair.substr(0, eq));
    const std::optional<RosterField> field = FieldOfKey(key);
    if (eq == std::string_view::npos || !field) {
      result.error = "bad --columns entry '" + std::string(pair) +
                     "' (use last, first, weight, age, dob, rating, club or status=COLUMN)";
      return result;
    }
    const auto index = static_cast<std::size_t>(*field);
    if (given[index]) {
      result.error = "--columns names " + std::string(FieldKey(*field)) + " twice";
      return result;
    }
    given[index] = true;
    const std::string_view value = Trimmed(pair.substr(eq + 1));
    if (value.empty()) continue;
    const std::optional<int> column = ResolveColumn(value, headers);
    if (!column) {
      result.error = "--columns: the sheet has no column '" + std::string(value) + "'";
      return result;
    }
    for (RosterField other : kRosterFields) {
      if (given[static_cast<std::size_t>(other)] && explicit_mapping[other] == *column) {
        result.error = "--columns gives column '" + std::string(value) + "' to both " +
                       std::string(FieldKey(other)) + " and " + std::string(FieldKey(*field));
        return result;
      }
    }
    explicit_mapping[*field] = *column;
  }
  for (RosterField f : kRosterFields) {
    if (!given[static_cast<std::size_t>(f)]) continue;
    const int column = explicit_mapping[f];
    // A guessed field loses its column to the field the organiser gave it to.
    for (RosterField other : kRosterFields) {
      if (column != kUnmapped && result.mapping[other] == column) result.mapping[other] = kUnmapped;
    }
    result.mapping[f] = column;
  }
  return result;
}

std::string FormatColumnsOption(const ColumnMapping& mapping, const CellRow& headers) {
  std::string out;
  for (RosterField f : kRosterFields) {
    if (!out.empty()) out.push_back(',');
    out.append(FieldKey(f)).push_back('=');
    const int column = mapping[f];
    if (column == kUnmapped) continue;
    const std::string_view header = HeaderText(headers, static_cast<std::size_t>(column));
    // A header that ApplyColumnsOption would read back as this very column.
    const bool usable = !header.empty() && header.find_first_of(",=") == std::string_view::npos &&
                        ResolveColumn(header, headers) == column;
    out.append(usable ? std::string(header) : std::to_string(column + 1));
  }
  return out;
}

std::string HeaderKey(const CellRow& headers) {
  std::string key;
  for (std::size_t c = 0; c < headers.size(); ++c) {
    if (c > 0) key.push_back('\t');
    key.append(Trimmed(headers[c].text));
  }
  return key;
}

}  // namespace kestrio::sheets
