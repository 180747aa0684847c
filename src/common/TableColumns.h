#pragma once
// The tables of the program by name, and the columns of each as the code names them. The
// headers and widths of the columns are the layouts in common/TableLayouts.h.

namespace qm
{

// The tables whose current cell an operation may move or whose cell a failure names.
enum class TableId { Products, Messages, Settings, Config, Tests, PriceKeys, Reports };

// Column 0 of the product, message and configuration tables: the number of the row's record
// (PLU number, message number, row index); sorting and renumbering work on it.
inline constexpr int kNumberColumn = 0;

// The product table (`StringGrid1`).
namespace plucol
{
inline constexpr int Plu = 0, Name1 = 1, Name2 = 2, Price = 3, Shelf = 4, Tare = 5, Code = 6, Group = 7, Message = 8,
                     Logo = 9, Cert = 10;
}
inline constexpr int kProductColumns = 11;
// The most rows a product table (and its file) can need: one per PLU cell 1..4000 of a scale.
inline constexpr int kMaxProductRows = 4000;

// The message table (`StringGrid2`): the message number, then the eight lines of the label text.
namespace msgcol
{
inline constexpr int Number = 0, FirstLine = 1, LastLine = 8;
}
inline constexpr int kMessageColumns = 9;
// The most rows a message table can need: one per message number 1..1000.
inline constexpr int kMaxMessageRows = 1000;

// The configuration table: the program's list of scales.
namespace cfgcol
{
inline constexpr int Index = 0, Name = 1, Department = 2, Number = 3, Port = 4, Speed = 5, ProductFile = 6,
                     MessageFile = 7, Note = 8;
}
inline constexpr int kConfigColumns = 9;
// The most rows a configuration table can need: scale numbers 1..99 on each of COM1..COM16.
inline constexpr int kMaxConfigRows = 16 * 99;

// The report table: the totals of one PLU each.
inline constexpr int kReportColumns = 8;
// The most rows a report can need: one per PLU cell.
inline constexpr int kMaxReportRows = kMaxProductRows;

// The test table: one link test per row.
namespace testcol
{
inline constexpr int Index = 0, Name = 1, Port = 2, Link = 3, Time = 4, State = 5;
}
inline constexpr int kTestColumns = 6;

} // namespace qm
