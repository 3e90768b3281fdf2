// The window driven as a user would: clicks, drops and dialogs answered by
// a fake provider, with real folder trees on disk.
#include "app/mainform.h"

#include <unistd.h>

#include <QCheckBox>
#include <QDragMoveEvent>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <deque>
#include <fstream>
#include <optional>

#include "app/application.h"
#include "brevolt/errors.h"
#include "brevolt/folder_walker.h"
#include "support/temp_dir.h"
#include "support/wav_builder.h"

using namespace brevolt;
using namespace brevolt::app;

namespace {

class FakeDialogs final : public TDialogProvider {
 public:
  std::deque<std::optional<QString>> folderAnswers;  // empty optional: cancel
  std::deque<std::optional<QString>> saveAnswers;
  QStringList opened;
  QStringList messages;
  QStringList pickerStarts;

  bool PickFolder(const QString& caption, QString& directory) override {
    pickerStarts << caption + "|" + directory;
    const auto answer = Next(folderAnswers);
    if (!answer) return false;
    directory = *answer;
    return true;
  }
  bool PickSaveFile(QString& path) override {
    const auto answer = Next(saveAnswers);
    if (!answer) return false;
    path = *answer;
    return true;
  }
  void OpenUrl(const QString& address) override { opened << address; }
  void ShowMessage(const QString& text) override { messages << text; }

 private:
  static std::optional<QString> Next(
      std::deque<std::optional<QString>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

QString Q(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Paths the walker hands over for `root`, in its order.
std::vector<std::filesystem::path> WalkOrder(const std::filesystem::path& root,
                                             bool descend) {
  std::vector<std::filesystem::path> files;
  ScanFolder(root, ".WAV", descend,
             [&](const std::filesystem::path& p) { files.push_back(p); }, {},
             {});
  return files;
}

void MakeUnreadableTree(const std::filesystem::path& root);

std::string Broken() {
  std::string bytes = test::ValidWav();
  bytes.replace(8, 4, "wave");
  return bytes;
}

void MakeUnreadableTree(const std::filesystem::path& root) {
  for (int i = 0; i < 6; ++i) {
    std::ofstream(root / ("f" + std::to_string(i) + ".wav"), std::ios::binary)
        << Broken();
  }
  std::ofstream(root / "locked.wav", std::ios::binary) << test::ValidWav();
  std::filesystem::permissions(root / "locked.wav",
                               std::filesystem::perms::none);
}

}  // namespace

class MainformTest : public QObject {
  Q_OBJECT

 private:
  FakeDialogs dialogs_;
  std::unique_ptr<Tmainform> form_;
  QStringList errors_;

  template <typename T>
  T* Find(const char* name) {
    T* found = form_->findChild<T*>(name);
    if (found == nullptr) qFatal("no control %s", name);
    return found;
  }
  QString Text(const char* label) {
    return Find<QWidget>(label)->property("text").toString();
  }
  TTrackGrid* Grid() { return Find<TTrackGrid>("trackgrid"); }
  void Click(const char* button) {
    QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
  }

  void MakeForm(Tmainform::TInspector inspector = ReadAudioInfo) {
    form_ = std::make_unique<Tmainform>(
        dialogs_, Tmainform::TAddresses{"http://home.test/", ""},
        std::move(inspector));
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void ChooseRoot(const std::filesystem::path& root) {
    dialogs_.folderAnswers.push_back(Q(root));
    Click("selectfolderbutton");
  }
  QStringList Rows() {
    QStringList rows;
    for (int row = 1; row < Grid()->RowCount(); ++row) {
      rows << Grid()->Cells(0, row) + "|" + Grid()->Cells(1, row) + "|" +
                  Grid()->Cells(2, row);
    }
    return rows;
  }

 private slots:
  void init() {
    dialogs_ = FakeDialogs();
    errors_.clear();
    static_cast<TBrevoltApplication*>(qApp)->SetErrorBox(
        [this](const QString& text) { errors_ << text; });
  }
  void cleanup() { form_.reset(); }

  void startUpState() {
    MakeForm();
    QCOMPARE(form_->windowTitle(), QString("Brevolt : Version 2.1.1"));
    QCOMPARE(form_->size(), QSize(1000, 600));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(form_->palette().color(QPalette::Window).rgba(), 0xFF393939U);
    QCOMPARE(Grid()->RowCount(), 1);
    QCOMPARE(Grid()->Cells(0, 0), QString("Filename"));
    QCOMPARE(Grid()->Cells(1, 0), QString("Position"));
    QCOMPARE(Grid()->Cells(2, 0), QString("Fail reason"));
    QVERIFY(!Find<QPushButton>("scanbutton")->isEnabled());
    QVERIFY(!Find<QPushButton>("savebutton")->isEnabled());
    QVERIFY(Find<QPushButton>("cancelscanbutton")->isHidden());
    QVERIFY(Find<QCheckBox>("recursecheckbox")->isChecked());
    for (const char* label : {"folderlabel", "currentfolderlabel",
                              "currentfilelabel", "filescheckedlabel"}) {
      QCOMPARE(Text(label), QString());
    }
    QCOMPARE(Find<QPushButton>("versionbutton")->text(), QString());
    for (QWidget* child :
         form_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      QCOMPARE(child->focusPolicy(), Qt::NoFocus);
    }
  }

  void controlsInPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("selectfolderbutton")
        << "selectfolderbutton" << QRect(8, 10, 225, 26)
        << "Select folder to scan WAVs...";
    QTest::newRow("scanbutton")
        << "scanbutton" << QRect(8, 42, 225, 26) << "Start Scan";
    QTest::newRow("cancelscanbutton")
        << "cancelscanbutton" << QRect(8, 42, 225, 22) << "Cancel scan";
    QTest::newRow("savebutton") << "savebutton" << QRect(8, 74, 225, 26)
                                << "Save text list of corrupt WAV files...";
    QTest::newRow("recursecheckbox")
        << "recursecheckbox" << QRect(8, 108, 224, 19)
        << "Descend through sub-folders";
    QTest::newRow("folderlabel")
        << "folderlabel" << QRect(240, 12, 545, 17) << "";
    QTest::newRow("currentfolderlabel")
        << "currentfolderlabel" << QRect(240, 44, 545, 53) << "";
    QTest::newRow("currentfilelabel")
        << "currentfilelabel" << QRect(240, 111, 545, 17) << "";
    QTest::newRow("filescheckedlabel")
        << "filescheckedlabel" << QRect(240, 135, 137, 17) << "";
    QTest::newRow("trackgrid") << "trackgrid" << QRect(8, 160, 985, 406) << "";
    QTest::newRow("versionbutton")
        << "versionbutton" << QRect(8, 572, 265, 22) << "";
    QTest::newRow("Label6") << "Label6" << QRect(860, 574, 120, 17)
                            << QString::fromUtf8("\u00A9 2026 Brevolt");
  }
  void controlsInPlace() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    MakeForm();
    QWidget* control = form_->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), geometry);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
      QCOMPARE(button->text(), text);
    if (!qobject_cast<QAbstractButton*>(control) && name != "trackgrid") {
      QCOMPARE(control->property("text").toString(), text);
    }
  }

  void gridAdapter() {
    MakeForm();
    TTrackGrid* grid = Grid();
    grid->SetRowCount(3);
    grid->SetCells(0, 2, "b");
    QCOMPARE(grid->RowCount(), 3);
    QCOMPARE(grid->Cells(0, 2), QString("b"));
    QCOMPARE(grid->Cells(0, 1), QString());
    QCOMPARE(grid->Cells(0, 3), QString());  // beyond the last row
    QCOMPARE(grid->Cells(5, 1), QString());
    grid->SetRowCount(1);
    QCOMPARE(grid->RowCount(), 1);
    QCOMPARE(grid->Cells(0, 0), QString("Filename"));
    QCOMPARE(grid->columnWidth(1), 75);
    QCOMPARE(grid->columnWidth(2), 200);
    QCOMPARE(grid->columnWidth(0), grid->viewport()->width() - 275);
  }

  void pickerAnswers() {
    MakeForm();
    dialogs_.folderAnswers.push_back(std::nullopt);
    Click("selectfolderbutton");
    QVERIFY(!Find<QPushButton>("scanbutton")->isEnabled());
    QCOMPARE(dialogs_.pickerStarts.back(), QString("Select WAV folder|"));

    ChooseRoot("/some/root");
    QCOMPARE(Text("folderlabel"), QString("Root folder: /some/root"));
    QVERIFY(Find<QPushButton>("scanbutton")->isEnabled());

    dialogs_.folderAnswers.push_back(std::nullopt);
    Click("selectfolderbutton");
    QCOMPARE(dialogs_.pickerStarts.back(),
             QString("Select WAV folder|/some/root"));
    QCOMPARE(form_->Dir(), QString("/some/root"));
    QCOMPARE(Text("folderlabel"), QString("Root folder: /some/root"));
  }

  void scanOfATree() {
    test::TempDir dir;
    dir.Write("a.wav", test::ValidWav());
    dir.Write("b.WAV", Broken());
    dir.Write("sub/c.Wav", "tiny");
    dir.Write("sub/d.wave", "not looked at");
    dir.Write(".hidden.wav", "hidden");
    QStringList seen;  // label texts while each file is inspected
    MakeForm([&](TAudioInfo& info, const std::filesystem::path& path) {
      seen << Text("currentfolderlabel") + "|" + Text("currentfilelabel") +
                  "|" + Text("filescheckedlabel");
      ReadAudioInfo(info, path);
    });
    ChooseRoot(dir.path());
    Click("scanbutton");

    QStringList expectedRows;
    QStringList expectedSeen;
    int count = 0;
    for (const auto& file : WalkOrder(dir.path(), true)) {
      expectedSeen << "Examining folder: " + Q(file.parent_path()) +
                          "|Checked file: " + Q(file.filename()) +
                          "|Files Checked: " + QString::number(count++);
      if (file.filename() == "b.WAV")
        expectedRows << Q(file) + "|12|No \"WAVE\" ID";
      if (file.filename() == "c.Wav")
        expectedRows << Q(file) + "|0|File too small";
    }
    QCOMPARE(seen, expectedSeen);
    QCOMPARE(Rows(), expectedRows);
    QCOMPARE(Text("filescheckedlabel"), QString("Files Checked: 3"));
    QCOMPARE(Text("currentfolderlabel"), QString());
    QCOMPARE(Text("currentfilelabel"),
             QString("Finished scanning, any errors shown below"));
    QVERIFY(Find<QPushButton>("savebutton")->isEnabled());
    QVERIFY(Find<QPushButton>("scanbutton")->isVisible());
    QVERIFY(Find<QPushButton>("cancelscanbutton")->isHidden());
  }

  void scanWithNothingToReport() {
    test::TempDir dir;
    dir.Write("a.wav", test::ValidWav());
    dir.Write("notes.txt", "x");
    MakeForm();
    ChooseRoot(dir.path());
    Click("scanbutton");
    QCOMPARE(Grid()->RowCount(), 1);
    QCOMPARE(Text("filescheckedlabel"), QString("Files Checked: 1"));
    QVERIFY(!Find<QPushButton>("savebutton")->isEnabled());

    ChooseRoot(dir.path() / "vanished");
    Click("scanbutton");
    QCOMPARE(Text("filescheckedlabel"), QString("Files Checked: 0"));
    QCOMPARE(Text("currentfilelabel"),
             QString("Finished scanning, any errors shown below"));
  }

  void labelsForFoldersAndRoots() {
    MakeForm();
    form_->ShowCurrentFolder("/takes/");
    QCOMPARE(Text("currentfolderlabel"), QString("Examining folder: /takes/"));
    form_->CheckWavFile("/a.wav");
    QCOMPARE(Text("currentfolderlabel"), QString("Examining folder: /"));
    QCOMPARE(Text("currentfilelabel"), QString("Checked file: a.wav"));
    QCOMPARE(Rows(), QStringList{"/a.wav|0|File doesn't exist"});
  }

  void cancelDuringAScan() {
    test::TempDir dir;
    for (int i = 0; i < 6; ++i)
      dir.Write("f" + std::to_string(i) + ".wav", Broken());
    int inspected = 0;
    MakeForm([&](TAudioInfo& info, const std::filesystem::path& path) {
      if (++inspected == 2) {
        // A click that arrives while the file is inspected: queued, it is
        // handled in the message processing after this file.
        auto* cancel = Find<QPushButton>("cancelscanbutton");
        const QPoint centre = cancel->rect().center();
        for (const auto type :
             {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
          QCoreApplication::postEvent(
              cancel,
              new QMouseEvent(type, centre, cancel->mapToGlobal(centre),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        }
      }
      ReadAudioInfo(info, path);
    });
    ChooseRoot(dir.path());
    Click("scanbutton");
    QCOMPARE(inspected, 2);
    QCOMPARE(Grid()->RowCount(), 3);
    QCOMPARE(Text("currentfilelabel"),
             QString("Finished scanning, any errors shown below"));
    QVERIFY(Find<QPushButton>("savebutton")->isEnabled());

    // The next scan starts again from an empty list.
    Click("scanbutton");
    QCOMPARE(inspected, 8);
    QCOMPARE(Grid()->RowCount(), 7);
  }

  void folderWithTheExtension() {
    test::TempDir dir;
    dir.Write("Takes.WAV/in.wav", test::ValidWav());
    MakeForm();
    ChooseRoot(dir.path());
    Find<QCheckBox>("recursecheckbox")->setChecked(false);
    Click("scanbutton");
    QCOMPARE(Rows(), QStringList{Q(dir.path() / "Takes.WAV") +
                                 "|0|File doesn't exist"});
    QCOMPARE(Text("filescheckedlabel"), QString("Files Checked: 1"));

    Find<QCheckBox>("recursecheckbox")->setChecked(true);
    Click("scanbutton");
    QCOMPARE(Grid()->RowCount(), 1);
    QCOMPARE(Text("filescheckedlabel"), QString("Files Checked: 1"));
  }

  void openErrorEndsTheScan() {
    test::TempDir dir;
    for (int i = 0; i < 5; ++i)
      dir.Write("f" + std::to_string(i) + ".wav", Broken());
    const auto order = WalkOrder(dir.path(), true);
    MakeForm([&](TAudioInfo& info, const std::filesystem::path& path) {
      if (path == order[2]) {
        info.fileName = path;
        throw EFOpenError("Cannot open file \"" + path.string() +
                          "\". Permission denied");
      }
      ReadAudioInfo(info, path);
    });
    ChooseRoot(dir.path());
    Click("scanbutton");
    QCOMPARE(errors_, QStringList{"Cannot open file \"" + Q(order[2]) +
                                  "\". Permission denied."});
    QCOMPARE(Grid()->RowCount(), 3);
    QCOMPARE(Text("filescheckedlabel"), QString("Files Checked: 2"));
    QCOMPARE(Text("currentfilelabel"),
             QString("Finished scanning, any errors shown below"));
    QVERIFY(Find<QPushButton>("scanbutton")->isVisible());
    QVERIFY(Find<QPushButton>("scanbutton")->isEnabled());
    QVERIFY(Find<QPushButton>("cancelscanbutton")->isHidden());
    QVERIFY(Find<QPushButton>("savebutton")->isEnabled());
  }

  // A file the user may not read ends the scan with an error box, and the
  // rows found before it stay. Root reads everything, so as root the test
  // runs again as nobody, in a child process.
  void unreadableFileEndsTheScan() {
    const QByteArray childTree = qgetenv("BREVOLT_CHILD_TREE");
    if (childTree.isEmpty() && ::geteuid() == 0) {
      test::TempDir dir;
      std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
      MakeUnreadableTree(dir.path());
      QProcess child;
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert("BREVOLT_CHILD_TREE", Q(dir.path()));
      env.insert("QT_QPA_PLATFORM", "offscreen");
      child.setProcessEnvironment(env);
      child.start("setpriv",
                  {"--reuid=65534", "--regid=65534", "--clear-groups",
                   QCoreApplication::applicationFilePath(),
                   "unreadableFileEndsTheScan"});
      QVERIFY(child.waitForFinished(60000));
      if (child.exitCode() == 127 || child.error() == QProcess::FailedToStart) {
        QSKIP("cannot run the tests as an unprivileged user");
      }
      QVERIFY2(child.exitCode() == 0,
               child.readAllStandardOutput().constData());
      return;
    }
    test::TempDir own;
    const std::filesystem::path root =
        childTree.isEmpty() ? own.path()
                            : std::filesystem::path(childTree.toStdString());
    if (childTree.isEmpty()) MakeUnreadableTree(root);
    MakeForm();
    ChooseRoot(root);
    Click("scanbutton");
    const auto order = WalkOrder(root, true);
    const auto locked =
        std::find(order.begin(), order.end(), root / "locked.wav");
    QVERIFY(locked != order.end());
    const auto before = static_cast<int>(locked - order.begin());
    QCOMPARE(errors_,
             QStringList{"Cannot open file \"" + Q(root / "locked.wav") +
                         "\". Permission denied."});
    QCOMPARE(Grid()->RowCount(),
             1 + before);  // every file before it is damaged
    QCOMPARE(Text("filescheckedlabel"),
             "Files Checked: " + QString::number(before));
    QVERIFY(Find<QPushButton>("scanbutton")->isVisible());
  }

  void closingDuringAScanWaitsForIt() {
    test::TempDir dir;
    for (int i = 0; i < 3; ++i)
      dir.Write("f" + std::to_string(i) + ".wav", Broken());
    bool visibleAfterClose = false;
    MakeForm([&](TAudioInfo& info, const std::filesystem::path& path) {
      form_->close();
      visibleAfterClose = form_->isVisible();
      ReadAudioInfo(info, path);
    });
    ChooseRoot(dir.path());
    Click("scanbutton");
    QVERIFY(visibleAfterClose);
    QCOMPARE(Text("filescheckedlabel"), QString("Files Checked: 3"));
    QTRY_VERIFY(!form_->isVisible());
  }

  void dragAndDrop_data() {
    QTest::addColumn<int>(
        "kind");  // 0 folder, 1 two folders, 2 file, 3 text, 4 link to folder
    QTest::addColumn<bool>("accepted");
    QTest::newRow("one folder") << 0 << true;
    QTest::newRow("two folders") << 1 << false;
    QTest::newRow("one file") << 2 << false;
    QTest::newRow("no paths") << 3 << false;
    QTest::newRow("link to a folder") << 4 << true;
  }
  void dragAndDrop() {
    QFETCH(int, kind);
    QFETCH(bool, accepted);
    test::TempDir dir;
    const auto folder = dir.MakeDir("drop");
    const auto file = dir.Write("x.wav", "x");
    std::filesystem::create_directory_symlink(folder, dir.path() / "link");
    QMimeData data;
    const QList<QList<QUrl>> urls = {
        {QUrl::fromLocalFile(Q(folder))},
        {QUrl::fromLocalFile(Q(folder)), QUrl::fromLocalFile(Q(dir.path()))},
        {QUrl::fromLocalFile(Q(file))},
        {},
        {QUrl::fromLocalFile(Q(dir.path() / "link"))}};
    if (kind == 3)
      data.setText("/tmp");
    else
      data.setUrls(urls[kind]);
    MakeForm();
    QDragMoveEvent over(QPoint(10, 10), Qt::CopyAction | Qt::LinkAction, &data,
                        Qt::LeftButton, Qt::NoModifier);
    form_->trackgridDragOver(&over);
    QCOMPARE(over.isAccepted(), accepted);
    if (accepted) QCOMPARE(over.dropAction(), Qt::LinkAction);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::LinkAction, &data,
                    Qt::LeftButton, Qt::NoModifier);
    form_->trackgridDragDrop(&drop);
    QCOMPARE(Find<QPushButton>("scanbutton")->isEnabled(), accepted);
    if (accepted) {
      QCOMPARE(form_->Dir(), urls[kind].front().toLocalFile());
      QCOMPARE(Text("folderlabel"), "Root folder: " + form_->Dir());
    }
  }

  void exportWritesThePathsExactly() {
    test::TempDir dir;
    dir.Write("caf\xC3\xA9.wav", "bad");
    dir.Write("odd\xFF.wav", "bad");
    MakeForm();
    ChooseRoot(dir.path());
    Click("scanbutton");
    QCOMPARE(Grid()->RowCount(), 3);
    const auto target = dir.Write("list.txt", std::string(4000, 'x'));
    dialogs_.saveAnswers.push_back(Q(target));
    Click("savebutton");
    std::string expected;
    for (const auto& file : WalkOrder(dir.path(), true))
      expected += file.string() + "\r\n";
    QCOMPARE(ReadBytes(target), expected);
    QVERIFY(expected.find("caf\xC3\xA9.wav\r\n") != std::string::npos);
    QVERIFY(expected.find("odd\xFF.wav\r\n") != std::string::npos);
    QVERIFY(Find<QPushButton>("savebutton")->isEnabled());
    QCOMPARE(Grid()->RowCount(), 3);

    dialogs_.saveAnswers.push_back(std::nullopt);  // cancelled: nothing happens
    Click("savebutton");
    QCOMPARE(ReadBytes(target), expected);
    QVERIFY(errors_.isEmpty());
  }

  void exportCreateError() {
    test::TempDir dir;
    dir.Write("bad.wav", "bad");
    MakeForm();
    ChooseRoot(dir.path());
    Click("scanbutton");
    const QString target = Q(dir.path() / "missing" / "list.txt");
    dialogs_.saveAnswers.push_back(target);
    Click("savebutton");
    QCOMPARE(errors_, QStringList{"Cannot create file \"" + target +
                                  "\". No such file or directory."});
    QCOMPARE(Grid()->RowCount(), 2);
  }

  void versionButtonOpensTheHomePage() {
    MakeForm();
    Click("versionbutton");
    QCOMPARE(dialogs_.opened, QStringList{"http://home.test/"});
  }

  void keysActivateNothing() {
    test::TempDir dir;
    MakeForm();
    ChooseRoot(dir.path());
    for (const auto key :
         {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
      QTest::keyClick(form_.get(), key);
    }
    QCOMPARE(Text("filescheckedlabel"), QString());
    QCOMPARE(QApplication::focusWidget(), nullptr);
  }

  void fullStopRule_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    for (const char* plain : {"Access denied", "code 5", "C:/", "why?", "a:"}) {
      QTest::newRow(plain) << plain << QString(plain) + ".";
    }
    for (const char* kept : {"Done.", "a,", "a-", "(a)", "\"a\"", "a ", ""}) {
      QTest::newRow(kept) << kept << kept;
    }
  }
  void fullStopRule() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(WithFinalFullStop(message), shown);
  }

  void silentAbortShowsNothing() {
    MakeForm();
    auto* button = Find<QPushButton>("versionbutton");
    auto silent =
        QObject::connect(button, &QPushButton::clicked, [] { throw EAbort(); });
    Click("versionbutton");
    QVERIFY(errors_.isEmpty());
    QObject::disconnect(silent);
    QObject::connect(button, &QPushButton::clicked,
                     [] { throw std::runtime_error("boom"); });
    Click("versionbutton");
    QCOMPARE(errors_, QStringList{"boom."});
  }
};

int main(int argc, char** argv) {
  TBrevoltApplication app(argc, argv);
  ApplyStyleBook(app);
  MainformTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "mainform_test.moc"
