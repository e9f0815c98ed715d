#include "platform/qt/grid_widget.h"

#include <qdrawutil.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include "platform/qt/qt_util.h"

namespace kit::qt {

GridWidget::GridWidget(Grid& grid, Hooks hooks, QWidget* parent)
    : QAbstractScrollArea(parent), grid_(grid), hooks_(std::move(hooks)) {
  setFrameStyle(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setFocusPolicy(Qt::NoFocus);
}

std::vector<GridWidget::Strip> GridWidget::shownCols() const {
  std::vector<Strip> out;
  const int limit = viewport()->width();
  double pos = Grid::kBorder;
  auto add = [&](int c) {
    const double w = grid_.colWidth(c);
    out.push_back({c, px(pos), px(pos + w) - px(pos)});
    pos += w;
  };
  for (int c = 0; c < grid_.fixedCols(); ++c) add(c);
  for (int c = grid_.leftCol(); c < grid_.cols() && px(pos) < limit; ++c) add(c);
  return out;
}

std::vector<GridWidget::Strip> GridWidget::shownRows() const {
  std::vector<Strip> out;
  const int limit = viewport()->height();
  double pos = Grid::kBorder;
  auto add = [&](int r) {
    const double h = grid_.rowHeight(r);
    out.push_back({r, px(pos), px(pos + h) - px(pos)});
    pos += h;
  };
  for (int r = 0; r < grid_.fixedRows(); ++r) add(r);
  for (int r = grid_.topRow(); r < grid_.rows() && px(pos) < limit; ++r) add(r);
  return out;
}

bool GridWidget::cellAt(QPoint p, int& row, int& col) const {
  row = col = -1;
  for (const Strip& s : shownRows())
    if (p.y() >= s.pos && p.y() < s.pos + s.size) row = s.index;
  for (const Strip& s : shownCols())
    if (p.x() >= s.pos && p.x() < s.pos + s.size) col = s.index;
  return row >= 0 && col >= 0;
}

QRect GridWidget::cellRect(int row, int col) const {
  QRect r;
  for (const Strip& s : shownRows())
    if (s.index == row) r.setRect(0, s.pos, 0, s.size);
  for (const Strip& s : shownCols())
    if (s.index == col && r.height() > 0) r.setRect(s.pos, r.y(), s.size, r.height());
  return r.width() > 0 ? r : QRect();
}

void GridWidget::layoutChanged() {
  syncScrollBars();
  viewport()->update();
}

void GridWidget::cellChanged(int, int) {
  viewport()->update();
}

void GridWidget::syncScrollBars() {
  syncing_ = true;
  // The kit decides which bars show, so the cells' room on screen is the room it scrolls for.
  setVerticalScrollBarPolicy(grid_.showsVerticalBar() ? Qt::ScrollBarAlwaysOn
                                                      : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(grid_.showsHorizontalBar() ? Qt::ScrollBarAlwaysOn
                                                          : Qt::ScrollBarAlwaysOff);
  // The last first-row that still shows every row below it.
  auto lastStart = [](int fixed, int count, int room, auto size) {
    int start = count, used = 0;
    while (start - 1 >= fixed && used + size(start - 1) <= room) used += size(--start);
    return std::max(fixed, start);
  };
  int fixedH = px(Grid::kBorder), fixedW = px(Grid::kBorder);
  for (int r = 0; r < grid_.fixedRows(); ++r) fixedH += px(grid_.rowHeight(r));
  for (int c = 0; c < grid_.fixedCols(); ++c) fixedW += px(grid_.colWidth(c));
  const int maxTop = lastStart(grid_.fixedRows(), grid_.rows(), viewport()->height() - fixedH,
                               [this](int r) { return px(grid_.rowHeight(r)); });
  const int maxLeft = lastStart(grid_.fixedCols(), grid_.cols(), viewport()->width() - fixedW,
                                [this](int c) { return px(grid_.colWidth(c)); });
  QScrollBar* v = verticalScrollBar();
  v->setRange(grid_.fixedRows(), std::max(maxTop, grid_.topRow()));
  v->setPageStep(std::max(1, grid_.visibleRows()));
  v->setValue(grid_.topRow());
  QScrollBar* h = horizontalScrollBar();
  h->setRange(grid_.fixedCols(), std::max(maxLeft, grid_.leftCol()));
  h->setPageStep(1);
  h->setValue(grid_.leftCol());
  syncing_ = false;
}

void GridWidget::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const QPalette& pal = palette();
  p.fillRect(viewport()->rect(), pal.color(QPalette::Dark));
  const auto rows = shownRows();
  const auto cols = shownCols();
  const QColor line(192, 192, 192);
  for (const Strip& r : rows) {
    for (const Strip& c : cols) {
      const QRect cell(c.pos, r.pos, c.size, r.size);
      const bool fixed = r.index < grid_.fixedRows() || c.index < grid_.fixedCols();
      if (fixed) {
        p.fillRect(cell, pal.color(QPalette::Button));
        p.setPen(pal.color(QPalette::Light));
        p.drawLine(cell.topLeft(), cell.topRight());
        p.drawLine(cell.topLeft(), cell.bottomLeft());
        p.setPen(pal.color(QPalette::Shadow));
        p.drawLine(cell.topRight(), cell.bottomRight());
        p.drawLine(cell.bottomLeft(), cell.bottomRight());
        p.setPen(pal.color(QPalette::ButtonText));
      } else {
        p.fillRect(cell, pal.color(QPalette::Base));
        p.setPen(line);
        p.drawLine(cell.topRight(), cell.bottomRight());
        p.drawLine(cell.bottomLeft(), cell.bottomRight());
        p.setPen(pal.color(QPalette::Text));
      }
      const std::string& text = grid_.textMatrix(r.index, c.index);
      if (!text.empty()) {
        const Align a = grid_.colAlignment(c.index);
        const int h = a == Align::Center  ? Qt::AlignHCenter
                      : a == Align::Right ? Qt::AlignRight
                                          : Qt::AlignLeft;
        // Columns are as wide as their headers; a cell text a little wider
        // (a band name under "  Band  ") shows whole in a smaller size.
        const QRect room = cell.adjusted(2, 0, -2, 0);
        const QString shown = qs(text);
        p.setFont(fittingFont(font(), shown, room.width()));
        p.drawText(room, h | Qt::AlignVCenter, shown);
      }
    }
  }
  if (hasFocus()) {
    const QRect cur = cellRect(grid_.row(), grid_.col());
    if (!cur.isEmpty()) {
      QStyleOptionFocusRect o;
      o.initFrom(this);
      o.rect = cur.adjusted(1, 1, -2, -2);
      o.backgroundColor = pal.color(QPalette::Base);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
    }
  }
  qDrawWinPanel(&p, viewport()->rect(), pal, true);
}

void GridWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !acceptsInput()) return;
  int r, c;
  if (cellAt(event->position().toPoint(), r, c)) {
    grid_.userClickCell(r, c);
  } else {
    grid_.userFocus();
  }
  hooks_.afterInput();
}

void GridWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !acceptsInput()) return;
  int r, c;
  if (cellAt(event->position().toPoint(), r, c)) {
    // The first press already clicked the cell.
    grid_.userDblClick(r, c);
    hooks_.afterInput();
  }
}

void GridWidget::mouseMoveEvent(QMouseEvent* event) {
  int r, c;
  if (acceptsInput() && cellAt(event->position().toPoint(), r, c)) grid_.userMouseMove(r, c);
}

void GridWidget::keyPressEvent(QKeyEvent* event) {
  if (!acceptsInput()) return;
  Arrow dir;
  switch (event->key()) {
    case Qt::Key_Up:
      dir = Arrow::Up;
      break;
    case Qt::Key_Down:
      dir = Arrow::Down;
      break;
    case Qt::Key_Left:
      dir = Arrow::Left;
      break;
    case Qt::Key_Right:
      dir = Arrow::Right;
      break;
    default:
      event->ignore();
      return;
  }
  grid_.userArrow(dir);
  hooks_.afterInput();
}

void GridWidget::wheelEvent(QWheelEvent* event) {
  if (!acceptsInput()) return;
  const int steps = event->angleDelta().y() / 120;
  if (steps == 0) return;
  grid_.userScroll(grid_.topRow() - 3 * steps);
  hooks_.afterInput();
}

void GridWidget::scrollContentsBy(int, int) {
  if (syncing_ || !acceptsInput()) return;
  const int top = verticalScrollBar()->value();
  if (top != grid_.topRow()) grid_.userScroll(top);
  if (!hooks_.live()) return;
  const int left = horizontalScrollBar()->value();
  if (left != grid_.leftCol()) grid_.userScrollLeft(left);
  hooks_.afterInput();
}

void GridWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  syncScrollBars();
}

void GridWidget::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void GridWidget::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

}  // namespace kit::qt
