#pragma once

// The texts of report blocks (a wrestler's block of the club reports, a bout-sheet line,
// a bout of the bout-number report, a row of the results summary) kept from one writing
// of a day's reports to the next. After a change to the bout board most blocks read as
// before; a block is made again only when its inputs changed, and the reports stay the
// same to the byte, because a kept text is used only for exactly the inputs it was made
// from.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "base/fixed_text.h"
#include "reports/report_line.h"

namespace kestrio::reports {

// Everything a block is made from, as one text: every input appended in full (texts
// with their padding, numbers by their bytes), so that equal keys mean equal blocks.
class BlockKey {
 public:
  void Clear() { key_.clear(); }
  template <std::size_t N>
  BlockKey& Add(const text::FixedText<N>& t) {
    key_.append(t.data(), N);
    return *this;
  }
  template <typename Number>
  BlockKey& Add(Number v) {
    char bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v);
    key_.append(bytes, sizeof v);
    return *this;
  }
  std::string_view view() const { return key_; }

 private:
  std::string key_;
};

enum class BlockKind { kParticipant, kResultsRow, kBoutSheetLine, kBoutByNumber };

class BlockMemo {
 public:
  // Names the wrestlers (by selection index) and the bouts (by their place in the bout
  // list, two entries each) of the run about to be written with numbers from 0 that
  // stay with the same wrestler or bout from one writing to the next (a board's places
  // and bout ids). A block is looked up by its wrestler's or bout's name and used only
  // when its key is the one it was made from.
  void Name(std::vector<std::int32_t> wrestlers, std::vector<std::int32_t> bouts);

  // Writes the block of the wrestler or bout `index` (selection index, or bout-list bout)
  // into out, which must stand at the start of a line: the kept text when it was made
  // from exactly key, else what make writes into a text of its own (from a line start),
  // which is kept. The block must end its last line.
  template <typename Make>
  void Write(ReportText& out, BlockKind kind, std::size_t index, const BlockKey& key,
             const Make& make) {
    Kept* kept = Find(kind, index);
    if (kept == nullptr) return make(out);
    if (kept->key != key.view()) {
      // Made in a text kept for the purpose, so that a block made again takes the
      // room of the one it replaces.
      scratch_.Clear();
      make(scratch_);
      kept->text.assign(scratch_.str());
      kept->key.assign(key.view());
    }
    kept->writing = writing_;
    out.Lines(kept->text);
  }

  // Writes the block of the wrestler or bout `index` when this writing already wrote
  // it (a wrestler's block is in the all-clubs report and in his club's file), so that
  // its key need not be made again; false when it did not.
  bool WriteAgain(ReportText& out, BlockKind kind, std::size_t index) {
    Kept* kept = Find(kind, index);
    if (kept == nullptr || kept->writing != writing_) return false;
    out.Lines(kept->text);
    return true;
  }

  // The alphabetical order of the run's wrestlers (the club files' order), made by
  // compute unless the wrestlers, in selection order, are those of key again.
  template <typename Compute>
  const std::vector<int>& AlphaOrder(const BlockKey& key, const Compute& compute) {
    if (alpha_key_ != key.view() || !alpha_known_) {
      alpha_order_ = compute();
      alpha_key_.assign(key.view());
      alpha_known_ = true;
    }
    return alpha_order_;
  }

  // Forgets the blocks the writing since the last call did not use, so that the memo
  // holds no more than the day's current reports.
  void EndWriting();

 private:
  struct Kept {
    std::string key;
    std::string text;
    std::uint32_t writing = 0;
  };
  Kept* Find(BlockKind kind, std::size_t index);

  std::vector<std::int32_t> wrestler_names_;
  std::vector<std::int32_t> bout_names_;
  // By kind, then by name.
  std::vector<Kept> kept_[4];
  std::uint32_t writing_ = 1;
  ReportText scratch_;
  std::string alpha_key_;
  std::vector<int> alpha_order_;
  bool alpha_known_ = false;
};

}  // namespace kestrio::reports
