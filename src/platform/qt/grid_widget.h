// The grid drawn by hand from the kit's own measures: every cell sits
// where the kit's colPos/rowPos say, so CellLeft and friends match the
// screen, and filling cells costs a repaint request each.
#pragma once

#include <QAbstractScrollArea>
#include <functional>

#include "platform/grid.h"

namespace kit::qt {

class GridWidget : public QAbstractScrollArea {
 public:
  struct Hooks {
    std::function<bool()> acceptsInput;  // the user's input may go to the grid now
    std::function<bool()> live;          // the grid's form is still loaded
    std::function<void()> afterInput;    // the widget shows the kit's state again
  };
  GridWidget(Grid& grid, Hooks hooks, QWidget* parent);

  // The kit changed rows, columns, sizes, the current cell or the scrolling.
  void layoutChanged();
  void cellChanged(int row, int col);

  // The cell at a point of the viewport, or false.
  bool cellAt(QPoint p, int& row, int& col) const;
  // The cell's rectangle in the viewport as drawn now.
  QRect cellRect(int row, int col) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  Grid& grid_;
  Hooks hooks_;
  bool syncing_ = false;
  bool acceptsInput() const { return hooks_.acceptsInput(); }
  void syncScrollBars();
  // Offsets of the columns and rows on screen: fixed ones first, then the
  // scrolled ones from LeftCol / TopRow, in pixels from the grid's edge.
  struct Strip {
    int index;
    int pos;
    int size;
  };
  std::vector<Strip> shownCols() const;
  std::vector<Strip> shownRows() const;
};

}  // namespace kit::qt
