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
#include "pairing/pairing_run.h"
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

  // Takes the run about to be written, whose wrestlers' texts every block is made from.
  // A name that comes back with other texts (a place another wrestler took after Undo)
  // makes the memo forget all it kept, so that writers may key a block on a wrestler's
  // name (WrestlerName) in place of his texts. False, and the run is to be written without
  // the memo, unless Name named each wrestler once and every bout entry carries its
  // wrestler's texts as the selection has them (as a bout board's run does).
  bool See(const pairing::PairingRun& run);
  std::int32_t WrestlerName(int index) const {
    return wrestler_names_[static_cast<std::size_t>(index)];
  }

  // The names given to Name for the wrestlers, by selection index.
  const std::vector<std::int32_t>& WrestlerNames() const { return wrestler_names_; }

  // The alphabetical order of the last writing (the club files' order), by name, for
  // the next writing to carry forward.
  struct AlphaKept {
    bool known = false;
    // The wrestlers of that writing, by name in selection order, and their order.
    std::vector<std::int32_t> selection;
    std::vector<std::int32_t> order;
    // Two of them were equal in every key: their order came from the exchange sort and
    // may change with the wrestlers around them.
    bool ties = false;
  };
  AlphaKept& Alpha() { return alpha_; }

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
  // By name: the texts each name was last seen with.
  std::vector<pairing::SelectedParticipant> texts_;
  std::vector<bool> seen_;
  AlphaKept alpha_;
};

}  // namespace kestrio::reports
