// The result grid: a Qt table seen as a grid whose row 0 is the header row.
// Row counts include the header; reading a cell outside the grid gives empty
// text. Each result row also keeps its file's native path, so that the
// export writes exactly the bytes of the name on disk.
#pragma once

#include <QTableWidget>
#include <filesystem>

namespace brevolt::app {

class TTrackGrid final : public QTableWidget {
 public:
  explicit TTrackGrid(QWidget* parent);

  [[nodiscard]] int RowCount() const { return rowCount() + 1; }
  // Lower: removes rows from `count` on; row 0 always stays. Higher: appends
  // empty rows.
  void SetRowCount(int count);

  [[nodiscard]] QString Cells(int column, int row) const;
  void SetCells(int column, int row, const QString& text);

  // The native path kept with result row `row` (1 or more).
  [[nodiscard]] std::filesystem::path NativePath(int row) const;
  void SetNativePath(int row, const std::filesystem::path& path);

 private:
  QTableWidgetItem* Cell(int column, int row) const;
};

}  // namespace brevolt::app
