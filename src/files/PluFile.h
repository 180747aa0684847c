#pragma once
// The older product file .plu: records of 92 bytes back to back, columns 0 to 8 of one row each,
// the names in the scale's code page, the file closed by one byte 0x1A. Columns 9 (logo) and 10
// (certification code) are not stored: the reader takes the logo from the logo chooser.
//
// Record layout (offset, width, column, fill):
//    0  4  0 product number   blanks on the left
//    5 28  1 name line 1      blanks on the right, scale code page
//   34 28  2 name line 2      as name line 1
//   63  6  3 price            blanks on the left
//   70  3  4 shelf life       blanks on the left
//   74  4  5 tare weight      "0" on the left
//   79  6  6 product code     "0" on the left
//   86  2  7 group code       "0" on the left
//   89  3  8 message number   "0" on the left
// with one blank between fields (offsets 4, 33, 62, 69, 73, 78, 85, 88).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Table.h"

namespace qm
{

inline constexpr size_t kPluRecordSize = 92;

// The bytes `SaveFile1_5` writes: one record per data row, then 0x1A. A field longer than its
// width keeps its first characters.
std::string pluFileBytes(const Table& products);

// A row whose cells the .plu format cannot hold as they are: the columns cut to their field width
// (a six-character expiry date, a group code of three digits, message number 1000), names
// holding a byte that does not come back from the scale's code page, a logo other than "0" or a
// certification code (the format has no place for them), and numbers that the "0" fill on the
// left turns into another value or into no number at all ("-5" would be "00-5").
enum class PluLossKind { Cut, NotStored, NumberChanged };
struct PluLoss {
    int row;
    std::vector<int> columns;
    std::vector<PluLossKind> kinds; // one per column
};
std::vector<PluLoss> pluLosses(const Table& products);

// The question shown before a .plu save that would lose data ("nothing lost silently"), UTF-8.
std::string pluLossQuestion(const std::vector<PluLoss>& losses);

// `OpenFile1_5` over bytes: the end of the bytes reads as 0x1A; fields keep their fill
// characters; column 9 gets the logo chooser's index as decimal text, column 10 stays empty.
// A last record cut short by the end of the bytes is not read: `truncated` tells the caller.
// At most kMaxProductRows records are read: `tooManyRecords` tells of more.
struct PluRead {
    Table table;
    int records = 0;
    bool truncated = false;
    bool tooManyRecords = false;
};
PluRead readPluBytes(std::string_view bytes, int logoIndex);

struct ProductLoad {
    Table table;
    std::optional<std::string> error; // UTF-8, for the user; what was read stays in `table`
};

// File-level `OpenFile1_5` and `SaveFile1_5` (the caller has chosen the full name). Saving writes
// the bytes as they are; ask `pluLosses` first to warn the user. Opening reads no further than
// the byte after the last record a product table can hold: a longer file gives its first
// kMaxProductRows records and the message.
ProductLoad OpenFile1_5(const std::filesystem::path& path, int logoIndex);
std::optional<std::string> SaveFile1_5(const std::filesystem::path& path, const Table& products);
// `OpenFile1_5` over bytes already read; `path` names the file in the message.
ProductLoad pluLoadFromBytes(const std::filesystem::path& path, std::string_view bytes, int logoIndex);

} // namespace qm
