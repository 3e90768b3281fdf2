// The one window: its controls, the folder scan that ties the walker to the
// reader, and the export of the failure list.
#pragma once

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>

#include "app/dialog_provider.h"
#include "app/progress_label.h"
#include "app/track_grid.h"
#include "app/update_check.h"
#include "brevolt/audio_file.h"

class QDragMoveEvent;
class QNetworkAccessManager;
class QNetworkReply;
class QDropEvent;
class QMimeData;

namespace brevolt::app {

class Tmainform : public QWidget {
 public:
  // Inspects one file; ReadAudioInfo unless a test needs another.
  using TInspector =
      std::function<void(TAudioInfo&, const std::filesystem::path&)>;

  struct TAddresses {
    QString homePage;
    QString versionFile;
  };

  // The program's own addresses.
  static TAddresses DefaultAddresses();

  // The window and every control, then FormCreate. The dialogs are the
  // provider's; tests point `addresses` at loopback and give an `inspector`
  // in place of the reader.
  explicit Tmainform(TDialogProvider& dialogs,
                     TAddresses addresses = DefaultAddresses(),
                     TInspector inspector = ReadAudioInfo);

  Tmainform(const Tmainform&) = delete;
  Tmainform& operator=(const Tmainform&) = delete;
  // Aborts a version request still on its way, so that no handler runs
  // after the window is gone.
  ~Tmainform() override;

  // Event handlers.
  void FormCreate();
  void HTTPversionRequestCompleted(const THTTPResponse& AResponse);
  void HTTPversionRequestError(const QString& AError);
  void versionbuttonClick();
  void selectfolderbuttonClick();
  void scanbuttonClick();
  void cancelscanbuttonClick();
  void trackgridDragOver(QDragMoveEvent* event);
  void trackgridDragDrop(QDropEvent* event);
  void savebuttonClick();

  // The walker's callbacks.
  void CheckWavFile(const std::filesystem::path& FileName);
  void ShowCurrentFolder(const std::filesystem::path& Folder);
  void IsScanAborted(bool& Abort) const;

  [[nodiscard]] const QString& Dir() const { return FDir; }
  [[nodiscard]] bool Scanning() const { return scanning_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  // Starts the one version request of this run.
  void RequestVersion();
  void OnVersionReplyFinished();
  void SetRoot(const QString& folder);
  // The one folder a drag carries, or empty when it carries anything else.
  static QString DroppedFolder(const QMimeData* data);
  // Processes pending events after each file and folder of a scan, letting
  // the progress labels paint at most every few hundredths of a second.
  void ProcessMessages();
  // The controls whose painting a scan holds back between two paints.
  [[nodiscard]] std::array<QWidget*, 4> PaintedDuringScan() const;

  QPushButton* selectfolderbutton;
  QLabel* folderlabel;
  QLabel* Label6;
  QPushButton* versionbutton;
  QCheckBox* recursecheckbox;
  QPushButton* scanbutton;
  QPushButton* cancelscanbutton;
  TProgressLabel* filescheckedlabel;
  TTrackGrid* trackgrid;
  TProgressLabel* currentfilelabel;
  TProgressLabel* currentfolderlabel;
  QPushButton* savebutton;
  QNetworkAccessManager* HTTPClient1;
  QNetworkReply* HTTPversion = nullptr;
  QByteArray versionBody_;
  bool versionTooLarge_ = false;

  TDialogProvider& dialogs_;
  TAddresses addresses_;
  TInspector inspector_;

  QString FDir;
  bool FAbortScan = false;
  int filecheckcount = 0;

  bool scanning_ = false;
  bool closeRequested_ = false;
  QElapsedTimer sincePaint_;
};

// The program's one window, filled when it is created.
extern Tmainform* mainform;

}  // namespace brevolt::app
