// The grid: a table of text cells with fixed header rows and columns,
// a current cell, and the LeaveCell / Click / DblClick / Scroll events of
// rule 5.
#pragma once

#include <string>
#include <vector>

#include "platform/control.h"

namespace kit {

enum class Arrow { Up, Down, Left, Right };

class Grid : public Control {
 public:
  // Twips of the grid's border; cell positions are measured from the
  // control's outer edge, so (grid left + CellLeft) is the cell on screen.
  static constexpr double kBorder = 30;
  static constexpr double kDefaultRowHeight = 240;
  static constexpr double kDefaultColWidth = 960;
  // Space around a header text in a column sized by the format string.
  static constexpr double kCellPadding = 120;

  Grid(Form& owner, std::string name, int index = -1);
  ControlKind kind() const override { return ControlKind::Grid; }
  bool canTakeFocus() const override { return true; }

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  void setRows(int n);
  void setCols(int n);
  int fixedRows() const { return fixedRows_; }
  int fixedCols() const { return fixedCols_; }
  void setFixedRows(int n);
  void setFixedCols(int n);

  // "^" centres, "<" left-aligns, ">" right-aligns a column; "|" separates
  // columns. Sets the column count, the header texts of row 0 and each
  // column's width from its header text (the platform's gridTextWidthTwips
  // + padding).
  const std::string& formatString() const { return format_; }
  void setFormatString(const std::string& f);
  Align colAlignment(int c) const;

  // Current cell. Setting a different value raises LeaveCell first, while
  // Row and Col still name the cell being left.
  int row() const { return row_; }
  int col() const { return col_; }
  void setRow(int r);
  void setCol(int c);
  // Text of the current cell; writing it raises nothing.
  const std::string& text() const { return textMatrix(row_, col_); }
  void setText(const std::string& s) { setTextMatrix(row_, col_, s); }
  const std::string& textMatrix(int r, int c) const;
  void setTextMatrix(int r, int c, const std::string& s);

  double colWidth(int c) const;
  void setColWidth(int c, double twips);
  double rowHeight(int r) const;
  void setRowHeight(int r, double twips);

  // First scrollable row shown below the fixed rows; the first scrollable
  // column shown right of the fixed columns. Moving either hides every
  // editor placed over the grid (as hideEditor does), then raises Scroll:
  // an editor left where it was would sit over another cell than the one it
  // edits, and a key or a pick in it would go to a cell the user no longer
  // sees under it.
  int topRow() const { return topRow_; }
  void setTopRow(int r);
  int leftCol() const { return leftCol_; }
  void setLeftCol(int c);
  // Number of scrollable rows that fit fully below the fixed rows.
  int visibleRows() const;
  // The grid shows a scroll bar where its scrollable rows (columns) do not
  // fit; a bar takes the platform's scrollBarTwips from the cells' room.
  bool showsVerticalBar() const;
  bool showsHorizontalBar() const;

  // Puts an in-place editor over the current cell: the grid first scrolls
  // the cell into view (raising Scroll when it moves; the scroll hides the
  // grid's other editors, not this one), then the editor takes the cell's
  // place, and its height too where fullHeight. From then on the editor is
  // one of the grid's own, which every scroll hides.
  void placeEditor(Control& editor, bool fullHeight);
  // Hides an in-place editor. One that has the focus gives it back to the
  // grid first, rather than to whatever follows it in tab order, so the next
  // key the user presses reaches no button the user did not move to.
  void hideEditor(Control& editor);
  // Whether an editor placed over the grid still edits the current cell:
  // shown, or taken out of sight by a scroll since it was placed (a control
  // never placed over the grid is none of its editors). What such
  // an editor holds (a text typed, an item picked) waits for the cell to be
  // left, as it would have without the scroll; no key or pick reaches it
  // meanwhile. placeEditor and hideEditor end that wait.
  bool editorOpen(const Control& editor) const;

  // Position and size of the current cell, relative to the grid's outer
  // left/top, as shown with the current scrolling.
  double cellLeft() const;
  double cellTop() const;
  double cellWidth() const { return colWidth(col_); }
  double cellHeight() const { return rowHeight(row_); }
  // Position of any cell (the same measure).
  double colPos(int c) const;
  double rowPos(int r) const;

  // The cell under the mouse pointer at the last user click or move.
  int mouseRow() const { return mouseRow_; }
  int mouseCol() const { return mouseCol_; }

  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> LeaveCell;
  std::function<void()> EnterCell;
  std::function<void()> Scroll;

  // User entry points. A click: focus moves to the grid, then one move to
  // the cell (a scrollable cell; a click on a fixed cell does not move) with
  // at most one LeaveCell, then Click. A double click: the click, then
  // DblClick. userDblClick raises only the DblClick of a second press, for a
  // backend that has reported the first press through userClickCell.
  // Entry points ignore cells outside the grid (a backend's stray
  // coordinates must not end the program).
  bool userMouseMove(int r, int c);
  void userClickCell(int r, int c);
  void userDoubleClickCell(int r, int c);
  void userDblClick(int r, int c);
  // An arrow key: one move within the scrollable cells, scrolled into view,
  // with no Click.
  void userArrow(Arrow dir);
  // The wheel or the vertical scroll bar; the horizontal scroll bar.
  void userScroll(int topRow);
  void userScrollLeft(int leftCol);

 private:
  int rows_ = 2, cols_ = 2, fixedRows_ = 1, fixedCols_ = 1;
  int row_ = 1, col_ = 1;
  int topRow_ = 1, leftCol_ = 1;
  int mouseRow_ = 0, mouseCol_ = 0;
  std::string format_;
  std::vector<std::string> cells_;
  std::vector<double> colWidths_;
  std::vector<double> rowHeights_;
  std::vector<Align> colAlign_;
  // The editors placed over the grid, and the one being placed now.
  std::vector<Control*> editors_;
  Control* placing_ = nullptr;
  // The editors a scroll hid, still waiting for their cell to be left.
  std::vector<const Control*> scrolledAway_;
  void resize(int rows, int cols);
  void scrolled();
  void moveTo(int r, int c);
  void scrollIntoView();
  // Room for cells inside the border and the scroll bars shown.
  double roomWidth() const;
  double roomHeight() const;
  bool rowsOverflow(double room) const;
  bool colsOverflow(double room) const;
  void checkCell(int r, int c) const;
};

}  // namespace kit
