#pragma once

// The order of the list by one column, as a comparison of two entries.
//
// Each column orders by a key of 140 characters: the column's own field first, then the
// others that break its ties, each in a piece of its field's width. Texts enter their
// piece left-adjusted and the numbers (Weight, Age, Rating) right-adjusted, so that byte
// order follows numeric order for non-negative numbers with two decimals (9.50 before
// 10.00). The comparison gives the order of those keys compared byte by byte as unsigned
// values, piece by piece from the entries' fields, without building or storing a key:
// a roster of a million wrestlers would need 1.1 GB for the keys of its eight columns.
// testing/literal_sort_keys.h builds the keys literally, and a test holds this
// comparison to memcmp of them.

#include "roster/participant.h"

namespace kestrio::roster {

// Width of every ordering key.
inline constexpr std::size_t kSortKeyWidth = 140;

// Three-way comparison (<0, 0, >0) of the keys of column (a ColumnId, 1..8) of a and b,
// ascending. Any other column compares every entry equal.
int CompareSortKeys(int column, const Participant& a, const Participant& b);

// The first kSortKeyPrefixWidth characters of the key of column (1..8) of p, as a sort
// keeps them beside its entries: when two prefixes differ the keys compare as the
// prefixes do, so CompareSortKeys is needed only for equal prefixes. Any other column
// gives blanks.
inline constexpr std::size_t kSortKeyPrefixWidth = 24;
void SortKeyPrefix(int column, const Participant& p, char (&prefix)[kSortKeyPrefixWidth]);

// A shorter key in the same order, which reaches further into a long roster's ties: each
// text piece is the text without its blanks and a 0 byte after it, each number piece
// the length of the number without its blanks and then its characters. Its first
// kCompactPrefixWidth bytes are written, zeros after the key's end. Two entries' compact
// prefixes compare byte by byte as their full keys do when they differ; a key that fits
// its prefix whole is never the start of another, so equal prefixes holding a whole key
// are equal keys. Returns the key's length when it fits the prefix whole, more than
// kCompactPrefixWidth when it does not (the pieces past the prefix are not looked at),
// and -1 when a piece reaching into the prefix holds a text with a character below a
// blank or a number starting with one. Any other column than 1..8 gives the empty key.
inline constexpr std::size_t kCompactPrefixWidth = 32;
int CompactSortKeyPrefix(int column, const Participant& p, char (&prefix)[kCompactPrefixWidth]);

}  // namespace kestrio::roster
