#include "app/mainform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>

#include "app/addresses.h"
#include "brevolt/folder_walker.h"
#include "brevolt/version.h"
#include "platform/platform.h"

namespace brevolt::app {

Tmainform* mainform = nullptr;

namespace {

constexpr int kPaintIntervalMs = 40;

QString ToQString(const std::filesystem::path& path) {
  return QString::fromStdString(platform::NativeToUtf8(path.native()));
}

std::filesystem::path ToPath(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return platform::Utf8ToNative(
      std::string_view(utf8.constData(), utf8.size()));
}

// The folder part of a file's path: up to its last separator, without it,
// except that a file directly in a root keeps the root's separator.
QString FolderOf(const std::filesystem::path& file) {
  const auto& native = file.native();
  const auto cut = native.rfind(platform::kPathSeparator);
  if (cut == std::filesystem::path::string_type::npos) return {};
  const bool inRoot = cut == 0 || (cut > 0 && native[cut - 1] == ':');
  return ToQString(native.substr(0, inRoot ? cut + 1 : cut));
}

QString NameOf(const std::filesystem::path& file) {
  const auto& native = file.native();
  const auto cut = native.rfind(platform::kPathSeparator);
  return ToQString(cut == std::filesystem::path::string_type::npos
                       ? native
                       : native.substr(cut + 1));
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text,
                    QRect geometry) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoDefault(false);
  return button;
}

QLabel* Label(QWidget* parent, const char* name, QRect geometry) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

// Takes no cookies from answers and so sends none.
class TNoCookies final : public QNetworkCookieJar {
 public:
  using QNetworkCookieJar::QNetworkCookieJar;
  bool setCookiesFromUrl(const QList<QNetworkCookie>& /*cookies*/,
                         const QUrl& /*url*/) override {
    return false;
  }
};

constexpr int kMaxRedirects = 5;
constexpr int kTimeoutMs = 60 * 1000;

// Errors of the transfer itself, as opposed to an answer whose status says
// no (4xx and 5xx, which Qt also reports as errors).
bool IsTransferError(QNetworkReply::NetworkError error) {
  const int code = static_cast<int>(error);
  const bool contentOrServer =
      (code >= 201 && code <= 299) || (code >= 401 && code <= 499);
  return error != QNetworkReply::NoError && !contentOrServer;
}

// RAII for the closing block of a scan: it runs however the scan ends.
class TScanGuard {
 public:
  explicit TScanGuard(std::function<void()> closing)
      : closing_(std::move(closing)) {}
  TScanGuard(const TScanGuard&) = delete;
  TScanGuard& operator=(const TScanGuard&) = delete;
  ~TScanGuard() { closing_(); }

 private:
  std::function<void()> closing_;
};

}  // namespace

Tmainform::TAddresses Tmainform::DefaultAddresses() {
  return {QString::fromLatin1(kHomePageAddress),
          QString::fromLatin1(kVersionFileAddress)};
}

Tmainform::Tmainform(TDialogProvider& dialogs, TAddresses addresses,
                     TInspector inspector)
    : dialogs_(dialogs),
      addresses_(std::move(addresses)),
      inspector_(std::move(inspector)) {
  mainform = this;
  CreateControls();
  FormCreate();
}

void Tmainform::CreateControls() {
  setObjectName("mainform");
  setWindowTitle("Brevolt");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(1000, 600);
  setAutoFillBackground(true);
  QPalette background = palette();
  background.setColor(QPalette::Window, QColor::fromRgba(0xFF393939));
  setPalette(background);
  setFocusPolicy(Qt::NoFocus);

  selectfolderbutton =
      Button(this, "selectfolderbutton", "Select folder to scan WAVs...",
             {8, 10, 225, 26});
  folderlabel = Label(this, "folderlabel", {240, 12, 545, 17});
  Label6 = Label(this, "Label6", {860, 574, 120, 17});
  Label6->setText(QString::fromUtf8("\u00A9 2026 Brevolt"));
  Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  versionbutton = Button(this, "versionbutton", QString(), {8, 572, 265, 22});
  recursecheckbox = new QCheckBox("Descend through sub-folders", this);
  recursecheckbox->setObjectName("recursecheckbox");
  recursecheckbox->setGeometry(8, 108, 224, 19);
  recursecheckbox->setChecked(true);
  recursecheckbox->setFocusPolicy(Qt::NoFocus);
  scanbutton = Button(this, "scanbutton", "Start Scan", {8, 42, 225, 26});
  scanbutton->setEnabled(false);
  cancelscanbutton =
      Button(this, "cancelscanbutton", "Cancel scan", {8, 42, 225, 22});
  QFont small = cancelscanbutton->font();
  small.setPointSizeF(11.5 * 0.75);  // 11.5 logical pixels
  cancelscanbutton->setFont(small);
  cancelscanbutton->hide();
  filescheckedlabel =
      new TProgressLabel("filescheckedlabel", {240, 135, 137, 17}, false, this);
  trackgrid = new TTrackGrid(this);
  trackgrid->setGeometry(8, 160, 985, 406);
  trackgrid->viewport()->setAcceptDrops(true);
  trackgrid->viewport()->installEventFilter(this);
  currentfilelabel =
      new TProgressLabel("currentfilelabel", {240, 111, 545, 17}, false, this);
  currentfolderlabel =
      new TProgressLabel("currentfolderlabel", {240, 44, 545, 53}, true, this);
  savebutton =
      Button(this, "savebutton", "Save text list of corrupt WAV files...",
             {8, 74, 225, 26});
  savebutton->setEnabled(false);

  HTTPClient1 = new QNetworkAccessManager(this);
  HTTPClient1->setObjectName("HTTPClient1");
  HTTPClient1->setCookieJar(new TNoCookies(HTTPClient1));
  HTTPClient1->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
  HTTPClient1->setTransferTimeout(kTimeoutMs);

  connect(versionbutton, &QPushButton::clicked, this,
          &Tmainform::versionbuttonClick);
  connect(selectfolderbutton, &QPushButton::clicked, this,
          &Tmainform::selectfolderbuttonClick);
  connect(scanbutton, &QPushButton::clicked, this, &Tmainform::scanbuttonClick);
  connect(cancelscanbutton, &QPushButton::clicked, this,
          &Tmainform::cancelscanbuttonClick);
  connect(savebutton, &QPushButton::clicked, this, &Tmainform::savebuttonClick);
}

Tmainform::~Tmainform() {
  if (HTTPversion != nullptr) {
    HTTPversion->disconnect(this);
    HTTPversion->abort();
  }
}

void Tmainform::FormCreate() {
  setWindowTitle(windowTitle() + " : Version " +
                 QString::fromStdString(GetAppVersion()));
  RequestVersion();
  trackgrid->SetCells(0, 0, "Filename");
  trackgrid->SetCells(1, 0, "Position");
  trackgrid->SetCells(2, 0, "Fail reason");
}

void Tmainform::RequestVersion() {
  if (addresses_.versionFile.isEmpty())
    return;  // tools and tests without a server
  QNetworkRequest request{QUrl(addresses_.versionFile)};
  request.setMaximumRedirectsAllowed(kMaxRedirects);
  HTTPversion = HTTPClient1->get(request);
  // Qt stops reading from the socket when this much is waiting, so a large
  // body never sits in memory whole.
  HTTPversion->setReadBufferSize(kMaxVersionFileBytes + 1);
  connect(HTTPversion, &QNetworkReply::readyRead, this, [this] {
    versionBody_ += HTTPversion->readAll();
    if (versionBody_.size() > kMaxVersionFileBytes) {
      versionTooLarge_ = true;
      HTTPversion->abort();
    }
  });
  connect(HTTPversion, &QNetworkReply::finished, this,
          &Tmainform::OnVersionReplyFinished);
}

void Tmainform::OnVersionReplyFinished() {
  QNetworkReply* reply = HTTPversion;
  HTTPversion = nullptr;
  reply->deleteLater();
  if (versionTooLarge_) {
    HTTPversionRequestError("The version file is larger than " +
                            QString::number(kMaxVersionFileBytes) + " bytes");
    return;
  }
  if (IsTransferError(reply->error())) {
    HTTPversionRequestError(reply->errorString());
    return;
  }
  THTTPResponse response;
  response.StatusCode =
      reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  response.ContentType = reply->rawHeader("Content-Type");
  response.Body = versionBody_ + reply->readAll();
  // An error inside the completion handler is reported like a failed
  // transfer; it never reaches the top-level error handler.
  try {
    HTTPversionRequestCompleted(response);
  } catch (const std::exception& error) {
    HTTPversionRequestError(QString::fromUtf8(error.what()));
  }
}

void Tmainform::HTTPversionRequestCompleted(const THTTPResponse& AResponse) {
  if (AResponse.StatusCode != 200) {
    versionbutton->setText("Couldn't Get Version Info");
    return;
  }
  const QString remote = RemoteVersionText(AResponse.ContentAsString());
  versionbutton->setText(VersionButtonText(remote, GetAppVersion()));
}

void Tmainform::HTTPversionRequestError(const QString& AError) {
  dialogs_.ShowMessage("Couldn't Get Version Info " + AError);
}

void Tmainform::versionbuttonClick() {
  OpenHomePage(dialogs_, addresses_.homePage);
}

void Tmainform::SetRoot(const QString& folder) {
  FDir = folder;
  folderlabel->setText("Root folder: " + FDir);
  scanbutton->setEnabled(true);
}

void Tmainform::selectfolderbuttonClick() {
  QString directory = FDir;
  if (BrowseForFolder(dialogs_, "Select WAV folder", directory))
    SetRoot(directory);
}

QString Tmainform::DroppedFolder(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
  const QString path = urls.front().toLocalFile();
  return QFileInfo(path).isDir() ? path : QString();
}

void Tmainform::trackgridDragOver(QDragMoveEvent* event) {
  if (DroppedFolder(event->mimeData()).isEmpty()) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::LinkAction);
  event->accept();
}

void Tmainform::trackgridDragDrop(QDropEvent* event) {
  const QString folder = DroppedFolder(event->mimeData());
  if (folder.isEmpty()) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::LinkAction);
  event->accept();
  SetRoot(folder);
}

bool Tmainform::eventFilter(QObject* watched, QEvent* event) {
  if (watched == trackgrid->viewport()) {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove:
        trackgridDragOver(static_cast<QDragMoveEvent*>(event));
        return true;
      case QEvent::Drop:
        trackgridDragDrop(static_cast<QDropEvent*>(event));
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Tmainform::scanbuttonClick() {
  FAbortScan = false;
  filecheckcount = 0;
  trackgrid->SetRowCount(1);
  filescheckedlabel->setText("Files Checked: 0");
  currentfolderlabel->setText("Examining Folder: ");
  currentfilelabel->setText("Checking file: ");
  const TScanGuard closing([this] {
    cancelscanbutton->hide();
    scanbutton->show();
    currentfolderlabel->setText("");
    currentfilelabel->setText("Finished scanning, any errors shown below");
    savebutton->setEnabled(trackgrid->RowCount() > 1);
    scanning_ = false;
    for (QWidget* control : PaintedDuringScan())
      control->setUpdatesEnabled(true);
    // A close asked for during the scan takes effect now it is over.
    if (closeRequested_) QTimer::singleShot(0, this, &QWidget::close);
  });
  savebutton->setEnabled(false);
  cancelscanbutton->show();
  scanbutton->hide();
  scanning_ = true;
  sincePaint_.start();
  ScanFolder(
      ToPath(FDir), ".WAV", recursecheckbox->isChecked(),
      [this](const std::filesystem::path& file) { CheckWavFile(file); },
      [this](const std::filesystem::path& folder) {
        ShowCurrentFolder(folder);
      },
      [this](bool& abort) { IsScanAborted(abort); },
      [this] { ProcessMessages(); });
}

void Tmainform::cancelscanbuttonClick() { FAbortScan = true; }

void Tmainform::CheckWavFile(const std::filesystem::path& FileName) {
  currentfolderlabel->setText("Examining folder: " + FolderOf(FileName));
  currentfilelabel->setText("Checked file: " + NameOf(FileName));
  TAudioInfo info;
  try {
    inspector_(info, FileName);
  } catch (const EWavFileError& error) {
    const int row = trackgrid->RowCount();
    trackgrid->SetRowCount(row + 1);
    trackgrid->SetCells(0, row, ToQString(info.fileName));
    trackgrid->SetNativePath(row, info.fileName);
    trackgrid->SetCells(1, row, QString::number(error.Pos()));
    trackgrid->SetCells(2, row, QString::fromUtf8(error.what()));
  }
  ++filecheckcount;
  filescheckedlabel->setText("Files Checked: " +
                             QString::number(filecheckcount));
}

void Tmainform::ShowCurrentFolder(const std::filesystem::path& Folder) {
  currentfolderlabel->setText("Examining folder: " + ToQString(Folder));
}

void Tmainform::IsScanAborted(bool& Abort) const { Abort = FAbortScan; }

void Tmainform::ProcessMessages() {
  // Repainting the labels and the grid for every file would cost more than
  // checking the file: their contents change each time, but they are
  // painted only when a few hundredths of a second have passed.
  const bool paint = sincePaint_.elapsed() >= kPaintIntervalMs;
  for (QWidget* control : PaintedDuringScan())
    control->setUpdatesEnabled(paint);
  if (paint) sincePaint_.restart();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

std::array<QWidget*, 4> Tmainform::PaintedDuringScan() const {
  return {currentfolderlabel, currentfilelabel, filescheckedlabel, trackgrid};
}

void Tmainform::closeEvent(QCloseEvent* event) {
  if (scanning_) {
    closeRequested_ = true;
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void Tmainform::savebuttonClick() {
  QString target;
  if (!dialogs_.PickSaveFile(target)) return;
  const auto file = platform::CreateWritableFile(ToPath(target));
  const int rows = trackgrid->RowCount();
  for (int row = 1; row < rows; ++row) {
    file->Write(platform::NativeToUtf8(trackgrid->NativePath(row).native()) +
                "\r\n");
  }
}

}  // namespace brevolt::app
