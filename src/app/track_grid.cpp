#include "app/track_grid.h"

#include <QFont>
#include <QHeaderView>

#include "platform/platform.h"

namespace brevolt::app {
namespace {

constexpr int kColumns = 3;
// trackname (stretching), position, failreason.
constexpr int kColumnWidths[kColumns] = {708, 75, 200};
constexpr int kRowHeight = 24;
constexpr int kPathRole = Qt::UserRole;

// Columns 0 and 2 are drawn at 11.5 logical pixels; a point is 4/3 of one.
QFont SmallFont(QFont font) {
  font.setPointSizeF(11.5 * 0.75);
  return font;
}

bool IsSmallColumn(int column) { return column == 0 || column == 2; }

}  // namespace

TTrackGrid::TTrackGrid(QWidget* parent) : QTableWidget(0, kColumns, parent) {
  setObjectName("trackgrid");
  for (int column = 0; column < kColumns; ++column) {
    auto* header = new QTableWidgetItem;
    QFont font = IsSmallColumn(column) ? SmallFont(this->font()) : this->font();
    font.setBold(true);
    header->setFont(font);
    setHorizontalHeaderItem(column, header);
    setColumnWidth(column, kColumnWidths[column]);
  }
  QHeaderView* columns = horizontalHeader();
  columns->setSectionResizeMode(QHeaderView::Fixed);
  columns->setSectionResizeMode(0, QHeaderView::Stretch);
  columns->setSectionsClickable(false);
  columns->setHighlightSections(false);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  verticalHeader()->setVisible(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  setShowGrid(false);
  setAutoScroll(false);
  setWordWrap(false);
  setDragDropMode(QAbstractItemView::NoDragDrop);
  setFocusPolicy(Qt::NoFocus);
  setTabKeyNavigation(false);
  setContextMenuPolicy(Qt::NoContextMenu);
}

void TTrackGrid::SetRowCount(int count) { setRowCount(std::max(count, 1) - 1); }

QTableWidgetItem* TTrackGrid::Cell(int column, int row) const {
  if (column < 0 || column >= columnCount() || row < 0 || row >= RowCount()) {
    return nullptr;
  }
  return row == 0 ? horizontalHeaderItem(column) : item(row - 1, column);
}

QString TTrackGrid::Cells(int column, int row) const {
  const QTableWidgetItem* cell = Cell(column, row);
  return cell != nullptr ? cell->text() : QString();
}

void TTrackGrid::SetCells(int column, int row, const QString& text) {
  if (column < 0 || column >= columnCount() || row < 0 || row >= RowCount())
    return;
  QTableWidgetItem* cell = Cell(column, row);
  if (cell == nullptr) {
    cell = new QTableWidgetItem;
    cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (IsSmallColumn(column)) cell->setFont(SmallFont(font()));
    setItem(row - 1, column, cell);
  }
  cell->setText(text);
}

std::filesystem::path TTrackGrid::NativePath(int row) const {
  const QTableWidgetItem* cell = Cell(0, row);
  if (row == 0 || cell == nullptr) return {};
  const QByteArray bytes = cell->data(kPathRole).toByteArray();
  return platform::Utf8ToNative(
      std::string_view(bytes.constData(), bytes.size()));
}

void TTrackGrid::SetNativePath(int row, const std::filesystem::path& path) {
  if (row == 0) return;
  if (Cell(0, row) == nullptr) SetCells(0, row, QString());
  QTableWidgetItem* cell = Cell(0, row);
  if (cell == nullptr) return;
  const std::string bytes = platform::NativeToUtf8(path.native());
  cell->setData(kPathRole,
                QByteArray(bytes.data(), static_cast<int>(bytes.size())));
}

}  // namespace brevolt::app
