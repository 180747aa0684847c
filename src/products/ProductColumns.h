#pragma once
// Columns of the product table and the bounds of its PLU numbers.

namespace qm
{

namespace plucol
{
inline constexpr int Plu = 0, Name1 = 1, Name2 = 2, Price = 3, Shelf = 4, Tare = 5, Code = 6, Group = 7, Message = 8,
                     Logo = 9, Cert = 10;
}

// A scale holds PLU cells 1..4000.
inline constexpr int kMaxPlu = 4000;
// Width of each name on the wire and on the scale's label.
inline constexpr int kNameWidth = 28;
// Characters of the certification code that travel inside the names.
inline constexpr int kCertWidth = 4;

} // namespace qm
