#include "app/fmain.h"

#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <exception>

#include "app/cldroppedpaths.h"
#include "app/cljapanesefont.h"
#include "app/clkdxapplication.h"
#include "app/cluihooks.h"
#include "scan/clsthread.h"
#include "settings/clsettingsfile.h"

TfrmMain* frmMain = nullptr;
TfrmVersionInfo* frmVersionInfo = nullptr;
TfrmOption* frmOption = nullptr;
TfrmEasyOpt* frmEasyOpt = nullptr;

namespace {

const char* const kInitialStatus = "ここに任意のフォルダをドラッグ＆ドロップしてください";
const char* const kSecondInstanceText = "複数起動は出来ません";
const int kClientWidth = 191;
const int kClientHeight = 52;

clFilePlatform& PlatformOf(const clAppEnvironment& environment) {
  return environment.platform != nullptr ? *environment.platform : DefaultFilePlatform();
}

void QueuedQuit() {
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                            Qt::QueuedConnection);
}

}  // namespace

std::function<void()> TfrmMain::terminateApplication = QueuedQuit;

QString TfrmMain::FromBytes(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TfrmMain::TfrmMain(clAppEnvironment environmentValue, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      findInFolders(PlatformOf(environmentValue)),
      environment(std::move(environmentValue)),
      platform(PlatformOf(environment)) {
  CreateControls();
  // The walker asks for a box only during a walk, on the worker thread: the box is
  // shown on the main thread while the walk waits.
  findInFolders.SetMessageBox([this](const std::string& text, const std::string& caption) {
    auto show = [this, &text, &caption] {
      clUiHooks::messageBox(this, FromBytes(text), FromBytes(caption));
    };
    if (readThread != nullptr) {
      readThread->Synchronize(show);
    } else {
      show();
    }
  });
  frmMain = this;
  Guarded([this] { FormCreate(); });
}

TfrmMain::~TfrmMain() {
  FormDestroy();
  if (frmMain == this) frmMain = nullptr;
}

void TfrmMain::CreateControls() {
  setWindowTitle(QStringLiteral("KDX"));
  setWindowIcon(QIcon(QStringLiteral(":/kdx/kdx.png")));
  setFont(clJapaneseFont::Standard());

  CreateMenu();

  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);
  lblStat = new QLabel(FromBytes(kInitialStatus), client);
  lblStat->setObjectName(QStringLiteral("lblStat"));
  lblStat->setGeometry(8, 8, 177, 33);
  lblStat->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  lblStat->setWordWrap(true);

  timTimeout = new QTimer(this);
  timTimeout->setSingleShot(true);
  connect(timTimeout, &QTimer::timeout, this, [this] { Guarded([this] { timTimeoutTimer(); }); });

  // The client area keeps its size below the menu bar; the window cannot be resized.
  const int menuHeight = MainMenu1->heightForWidth(kClientWidth) > 0
                             ? MainMenu1->heightForWidth(kClientWidth)
                             : MainMenu1->sizeHint().height();
  setFixedSize(kClientWidth, kClientHeight + menuHeight);
  move(229, 215);
}

void TfrmMain::CreateMenu() {
  MainMenu1 = menuBar();
  auto add = [this](QMenu* menu, const char* caption, void (TfrmMain::*handler)()) {
    QAction* action = menu->addAction(FromBytes(caption));
    connect(action, &QAction::triggered, this,
            [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    return action;
  };
  mnuMenu = MainMenu1->addMenu(FromBytes("メイン(&M)"));
  mnuReadFolder = add(mnuMenu, "ﾌｫﾙﾀﾞ構成読込(&R)", &TfrmMain::mnuReadFolderClick);
  mnuSuspend = add(mnuMenu, "中断(&S)", &TfrmMain::mnuSuspendClick);
  mnuSuspend->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuSuspend->setEnabled(false);
  menuExit = add(mnuMenu, "終了(&X)", &TfrmMain::menuExitClick);
  mnuOption = MainMenu1->addMenu(FromBytes("設定(&O)"));
  mnuEasy = add(mnuOption, "簡単設定(&E)", &TfrmMain::mnuEasyClick);
  mnuSetting = add(mnuOption, "詳細設定(&P)", &TfrmMain::mnuSettingClick);
  mnuHelp = MainMenu1->addMenu(FromBytes("情報(&H)"));
  mnuAbout = add(mnuHelp, "ﾊﾞｰｼﾞｮﾝ情報(&V)", &TfrmMain::mnuAboutClick);
}

void TfrmMain::FormCreate() {
  const std::string lockPath = clInstanceLock::PathFor(environment.lockFolder, environment.exeName);
  if (hMutex.Acquire(lockPath) == clInstanceLock::Result::HeldElsewhere) {
    secondInstance = true;
    clUiHooks::messageBox(this, FromBytes(kSecondInstanceText),
                          QCoreApplication::applicationName());
    terminateApplication();
    return;
  }

  LoadSetting();
  settingsLoaded = true;

  setAcceptDrops(true);

  if (!environment.argument.has_value() || environment.argument->empty()) return;
  std::string path = environment.argument->substr(0, 260);
  const clPathKind kind = platform.GetPathKind(path);
  if (kind == clPathKind::Missing) return;
  if (kind == clPathKind::File) path = FolderOfFile(path);
  StartReading(path);
  exitWhenDone = true;
}

void TfrmMain::FormDestroy() {
  if (formDestroyed) return;
  formDestroyed = true;
  // A failed save is shown; the lock is released and the read stopped all the same.
  Guarded([this] {
    if (settingsLoaded) SaveSetting();
  });
  hMutex.Release();
  // The worker uses this window's data until it has ended.
  Guarded([this] { StopReading(); });
  if (readThread != nullptr) RetireWorker();
  ReapRetiredWorkers(true);
}

void TfrmMain::LoadSetting() {
  const clSettingsLocation location = environment.SettingsLocation();
  clSettingsFile::Load(option, location.SettingPath(), location.OutputParent());
}

void TfrmMain::SaveSetting() {
  const clSettingsLocation location = environment.SettingsLocation();
  // An installed copy's folder is made when needed; a portable copy's is its own.
  if (!location.IsPortable()) platform.CreateFolders(location.SettingFolder());
  clSettingsFile::Save(option, location.SettingPath());
}

void TfrmMain::menuExitClick() { close(); }

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
  const clDroppedPaths dropped = clDroppedPaths::From(*event->mimeData());
  event->acceptProposedAction();
  Guarded([&] { WMDropFiles(dropped.paths, dropped.allLocal); });
}

void TfrmMain::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    clKdxApplication::ShowException(this, std::current_exception());
  }
}
