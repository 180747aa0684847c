#pragma once
// Header texts of a grid are never clipped: every column is at least as wide as its header text
// needs with the grid's font, and stays so when the font changes.

class QHeaderView;
class QTableView;

namespace qm::app
{

// The width the text of `section` needs: its text without the trailing blanks (which only pad
// it), with the style's margins, in the header's current font.
int headerTextWidth(const QHeaderView& header, int section);

// Widens the grid's columns whose header text does not fit now, and again after every font
// change of the grid. A column's width becomes max(its width, the width its header needs);
// a column the user has not resized goes back to its laid-out width (its width now) when a
// smaller font lets it.
void keepHeadersFitted(QTableView& grid);

} // namespace qm::app
