#include "platform/grid.h"

#include <algorithm>
#include <stdexcept>

#include "platform/platform.h"

namespace kit {

Grid::Grid(Form& owner, std::string name, int index)
    : Control(owner, std::move(name), index),
      cells_(static_cast<std::size_t>(rows_ * cols_)),
      colWidths_(static_cast<std::size_t>(cols_), kDefaultColWidth),
      rowHeights_(static_cast<std::size_t>(rows_), kDefaultRowHeight),
      colAlign_(static_cast<std::size_t>(cols_), Align::Left) {}

void Grid::resize(int rows, int cols) {
  std::vector<std::string> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  for (int r = 0; r < std::min(rows, rows_); ++r)
    for (int c = 0; c < std::min(cols, cols_); ++c)
      cells[static_cast<std::size_t>(r * cols + c)] =
          std::move(cells_[static_cast<std::size_t>(r * cols_ + c)]);
  cells_ = std::move(cells);
  colWidths_.resize(static_cast<std::size_t>(cols), kDefaultColWidth);
  colAlign_.resize(static_cast<std::size_t>(cols), Align::Left);
  rowHeights_.resize(static_cast<std::size_t>(rows), kDefaultRowHeight);
  rows_ = rows;
  cols_ = cols;
  row_ = std::min(row_, rows_ - 1);
  col_ = std::min(col_, cols_ - 1);
  topRow_ = std::clamp(topRow_, std::min(fixedRows_, rows_ - 1), rows_ - 1);
  leftCol_ = std::clamp(leftCol_, std::min(fixedCols_, cols_ - 1), cols_ - 1);
}

void Grid::setRows(int n) {
  if (n < 1 || n < fixedRows_) throw std::out_of_range("Invalid Rows value");
  if (n == rows_) return;
  resize(n, cols_);
  notify(Prop::GridLayout);
}

void Grid::setCols(int n) {
  if (n < 1 || n < fixedCols_) throw std::out_of_range("Invalid Cols value");
  if (n == cols_) return;
  resize(rows_, n);
  notify(Prop::GridLayout);
}

void Grid::setFixedRows(int n) {
  if (n < 0 || n >= rows_) throw std::out_of_range("Invalid FixedRows value");
  fixedRows_ = n;
  row_ = std::max(row_, std::min(n, rows_ - 1));
  topRow_ = n;
  notify(Prop::GridLayout);
}

void Grid::setFixedCols(int n) {
  if (n < 0 || n >= cols_) throw std::out_of_range("Invalid FixedCols value");
  fixedCols_ = n;
  col_ = std::max(col_, std::min(n, cols_ - 1));
  leftCol_ = n;
  notify(Prop::GridLayout);
}

void Grid::setFormatString(const std::string& f) {
  format_ = f;
  // Row headers after ";" are not used by this program.
  const std::string columns = f.substr(0, f.find(';'));
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = columns.find('|', start);
    parts.push_back(
        columns.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  const int n = static_cast<int>(parts.size());
  fixedCols_ = std::min(fixedCols_, n);
  resize(rows_, n);
  for (int c = 0; c < n; ++c) {
    std::string text = parts[static_cast<std::size_t>(c)];
    Align align = Align::Left;
    if (!text.empty() && (text[0] == '^' || text[0] == '<' || text[0] == '>')) {
      align = text[0] == '^' ? Align::Center : text[0] == '>' ? Align::Right : Align::Left;
      text.erase(0, 1);
    }
    colAlign_[static_cast<std::size_t>(c)] = align;
    colWidths_[static_cast<std::size_t>(c)] = platform().gridTextWidthTwips(text) + kCellPadding;
    if (fixedRows_ > 0) cells_[static_cast<std::size_t>(c)] = text;
  }
  notify(Prop::GridLayout);
}

Align Grid::colAlignment(int c) const {
  checkCell(0, c);
  return colAlign_[static_cast<std::size_t>(c)];
}

void Grid::checkCell(int r, int c) const {
  if (r < 0 || r >= rows_ || c < 0 || c >= cols_) throw std::out_of_range("Subscript out of range");
}

void Grid::setRow(int r) {
  checkCell(r, col_);
  if (r == row_) return;
  raise(LeaveCell);
  row_ = r;
  notify(Prop::GridCurrent);
  raise(EnterCell);
}

void Grid::setCol(int c) {
  checkCell(row_, c);
  if (c == col_) return;
  raise(LeaveCell);
  col_ = c;
  notify(Prop::GridCurrent);
  raise(EnterCell);
}

void Grid::moveTo(int r, int c) {
  if (r == row_ && c == col_) return;
  raise(LeaveCell);
  row_ = r;
  col_ = c;
  notify(Prop::GridCurrent);
  raise(EnterCell);
}

const std::string& Grid::textMatrix(int r, int c) const {
  checkCell(r, c);
  return cells_[static_cast<std::size_t>(r * cols_ + c)];
}

void Grid::setTextMatrix(int r, int c, const std::string& s) {
  checkCell(r, c);
  std::string& cell = cells_[static_cast<std::size_t>(r * cols_ + c)];
  if (cell == s) return;
  cell = s;
  notify(Prop::GridCell, r, c);
}

double Grid::colWidth(int c) const {
  checkCell(0, c);
  return colWidths_[static_cast<std::size_t>(c)];
}

void Grid::setColWidth(int c, double twips) {
  checkCell(0, c);
  colWidths_[static_cast<std::size_t>(c)] = std::max(0.0, twips);
  notify(Prop::GridLayout);
}

double Grid::rowHeight(int r) const {
  checkCell(r, 0);
  return rowHeights_[static_cast<std::size_t>(r)];
}

void Grid::setRowHeight(int r, double twips) {
  checkCell(r, 0);
  rowHeights_[static_cast<std::size_t>(r)] = std::max(0.0, twips);
  notify(Prop::GridLayout);
}

void Grid::setTopRow(int r) {
  r = std::clamp(r, std::min(fixedRows_, rows_ - 1), rows_ - 1);
  if (r == topRow_) return;
  topRow_ = r;
  scrolled();
}

void Grid::setLeftCol(int c) {
  c = std::clamp(c, std::min(fixedCols_, cols_ - 1), cols_ - 1);
  if (c == leftCol_) return;
  leftCol_ = c;
  scrolled();
}

void Grid::scrolled() {
  notify(Prop::GridScroll);
  // A copy: hiding an editor moves the focus, and a handler of that move may
  // place an editor.
  const std::vector<Control*> editors = editors_;
  for (Control* editor : editors) {
    if (editor == placing_ || !editor->visible()) continue;
    hideEditor(*editor);
    scrolledAway_.push_back(editor);
  }
  raise(Scroll);
}

bool Grid::rowsOverflow(double room) const {
  for (int r = 0; r < rows_; ++r) room -= rowHeights_[static_cast<std::size_t>(r)];
  return room < 0 && rows_ > fixedRows_;
}

bool Grid::colsOverflow(double room) const {
  for (int c = 0; c < cols_; ++c) room -= colWidths_[static_cast<std::size_t>(c)];
  return room < 0 && cols_ > fixedCols_;
}

bool Grid::showsVerticalBar() const {
  const double bar = platform().scrollBarTwips();
  const double h = height() - 2 * kBorder;
  return rowsOverflow(h) || (colsOverflow(width() - 2 * kBorder) && rowsOverflow(h - bar));
}

bool Grid::showsHorizontalBar() const {
  const double bar = platform().scrollBarTwips();
  return colsOverflow(width() - 2 * kBorder - (showsVerticalBar() ? bar : 0));
}

double Grid::roomWidth() const {
  return width() - 2 * kBorder - (showsVerticalBar() ? platform().scrollBarTwips() : 0);
}

double Grid::roomHeight() const {
  return height() - 2 * kBorder - (showsHorizontalBar() ? platform().scrollBarTwips() : 0);
}

int Grid::visibleRows() const {
  double room = roomHeight();
  for (int r = 0; r < fixedRows_; ++r) room -= rowHeights_[static_cast<std::size_t>(r)];
  int n = 0;
  for (int r = topRow_; r < rows_ && room >= rowHeights_[static_cast<std::size_t>(r)]; ++r) {
    room -= rowHeights_[static_cast<std::size_t>(r)];
    ++n;
  }
  return std::max(n, 1);
}

namespace {
// Offset of item i in a strip of fixed items followed by scrolled items
// that start at first.
double stripPos(const std::vector<double>& sizes, int fixed, int first, int i) {
  double pos = 0;
  if (i < fixed) {
    for (int k = 0; k < i; ++k) pos += sizes[static_cast<std::size_t>(k)];
    return pos;
  }
  for (int k = 0; k < fixed; ++k) pos += sizes[static_cast<std::size_t>(k)];
  for (int k = first; k < i; ++k) pos += sizes[static_cast<std::size_t>(k)];
  for (int k = i; k < first; ++k) pos -= sizes[static_cast<std::size_t>(k)];
  return pos;
}
}  // namespace

double Grid::colPos(int c) const {
  checkCell(0, c);
  return kBorder + stripPos(colWidths_, fixedCols_, leftCol_, c);
}

double Grid::rowPos(int r) const {
  checkCell(r, 0);
  return kBorder + stripPos(rowHeights_, fixedRows_, topRow_, r);
}

double Grid::cellLeft() const {
  return colPos(col_);
}
double Grid::cellTop() const {
  return rowPos(row_);
}

void Grid::scrollIntoView() {
  if (row_ >= fixedRows_) {
    if (row_ < topRow_) {
      setTopRow(row_);
    } else {
      const int shown = visibleRows();
      if (row_ >= topRow_ + shown) setTopRow(row_ - shown + 1);
    }
  }
  if (col_ >= fixedCols_ && col_ < leftCol_) {
    setLeftCol(col_);
  } else if (col_ >= fixedCols_) {
    // Scroll right until the column's right edge is inside the grid.
    while (leftCol_ < col_ && colPos(col_) + colWidth(col_) > kBorder + roomWidth())
      setLeftCol(leftCol_ + 1);
  }
}

void Grid::placeEditor(Control& editor, bool fullHeight) {
  if (std::find(editors_.begin(), editors_.end(), &editor) == editors_.end())
    editors_.push_back(&editor);
  Control* const outer = placing_;
  placing_ = &editor;
  std::erase(scrolledAway_, &editor);
  scrollIntoView();
  placing_ = outer;
  editor.move(left() + cellLeft(), top() + cellTop(), cellWidth(),
              fullHeight ? cellHeight() : editor.height());
}

void Grid::hideEditor(Control& editor) {
  std::erase(scrolledAway_, &editor);
  if (editor.hasFocus()) setFocus();
  editor.setVisible(false);
}

bool Grid::editorOpen(const Control& editor) const {
  auto holds = [&editor](const auto& list) {
    return std::find(list.begin(), list.end(), &editor) != list.end();
  };
  return holds(editors_) && (editor.visible() || holds(scrolledAway_));
}

bool Grid::userMouseMove(int r, int c) {
  if (r < 0 || r >= rows_ || c < 0 || c >= cols_) return false;
  mouseRow_ = r;
  mouseCol_ = c;
  return true;
}

void Grid::userClickCell(int r, int c) {
  if (!userMouseMove(r, c) || !userFocus()) return;
  if (r >= fixedRows_ && c >= fixedCols_) moveTo(r, c);
  raise(Click);
}

void Grid::userDoubleClickCell(int r, int c) {
  if (!userMouseMove(r, c) || !userFocus()) return;
  if (r >= fixedRows_ && c >= fixedCols_) moveTo(r, c);
  raise(Click);
  userDblClick(r, c);
}

void Grid::userDblClick(int r, int c) {
  if (!userMouseMove(r, c) || !hasFocus()) return;
  raise(DblClick);
}

void Grid::userArrow(Arrow dir) {
  if (!focusable()) return;
  int r = row_, c = col_;
  switch (dir) {
    case Arrow::Up:
      --r;
      break;
    case Arrow::Down:
      ++r;
      break;
    case Arrow::Left:
      --c;
      break;
    case Arrow::Right:
      ++c;
      break;
  }
  r = std::clamp(r, std::min(fixedRows_, rows_ - 1), rows_ - 1);
  c = std::clamp(c, std::min(fixedCols_, cols_ - 1), cols_ - 1);
  if (r == row_ && c == col_) return;
  // A move only: the windows place their editors on Click, and an editor
  // placed here would take the next arrow key as a pick from its list.
  moveTo(r, c);
  scrollIntoView();
}

void Grid::userScroll(int topRow) {
  setTopRow(topRow);
}

void Grid::userScrollLeft(int leftCol) {
  setLeftCol(leftCol);
}

}  // namespace kit
