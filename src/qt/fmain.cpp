#include "qt/fmain.h"

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
#include <QSocketNotifier>
#include <QTimer>

#include "qt/cldroppedpaths.h"
#include "qt/cljapanesefont.h"
#include "qt/cluihooks.h"
#include "settings/clusertexts.h"

TfrmMain* frmMain = nullptr;
TfrmVersionInfo* frmVersionInfo = nullptr;
TfrmOption* frmOption = nullptr;
TfrmEasyOpt* frmEasyOpt = nullptr;

namespace {

const char* const kInitialStatus = clUserTexts::kInitialStatus;
const int kClientWidth = 191;
const int kClientHeight = 52;

void QueuedQuit() {
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                            Qt::QueuedConnection);
}

}  // namespace

std::function<void()> TfrmMain::terminateApplication = QueuedQuit;

QString TfrmMain::FromBytes(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TfrmMain::TfrmMain(clFilePlatform& files, clProcessPlatform& process, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      control(clReadControl::Services{*this, files, process, clipboard, shell}) {
  CreateControls();
  frmMain = this;
  control.Guarded([this] { control.FormCreate(); });
}

TfrmMain::~TfrmMain() {
  control.FormDestroy();
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
  connect(timTimeout, &QTimer::timeout, this,
          [this] { control.Guarded([this] { control.timTimeoutTimer(); }); });

  // The client area keeps its size below the menu bar; the window cannot be resized.
  const int menuHeight = MainMenu1->heightForWidth(kClientWidth) > 0
                             ? MainMenu1->heightForWidth(kClientWidth)
                             : MainMenu1->sizeHint().height();
  setFixedSize(kClientWidth, kClientHeight + menuHeight);
  move(229, 215);
}

void TfrmMain::CreateMenu() {
  MainMenu1 = menuBar();
  auto add = [this](QMenu* menu, const char* caption, auto handler) {
    QAction* action = menu->addAction(FromBytes(caption));
    connect(action, &QAction::triggered, this,
            [this, handler] { control.Guarded([this, handler] { handler(*this); }); });
    return action;
  };
  auto read = [](TfrmMain& self) { self.control.mnuReadFolderClick(); };
  auto suspend = [](TfrmMain& self) { self.control.mnuSuspendClick(); };
  mnuMenu = MainMenu1->addMenu(FromBytes("メイン(&M)"));
  mnuReadFolder = add(mnuMenu, "ﾌｫﾙﾀﾞ構成読込(&R)", read);
  mnuSuspend = add(mnuMenu, "中断(&S)", suspend);
  mnuSuspend->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuSuspend->setEnabled(false);
  menuExit = add(mnuMenu, "終了(&X)", [](TfrmMain& self) { self.menuExitClick(); });
  mnuOption = MainMenu1->addMenu(FromBytes("設定(&O)"));
  mnuEasy = add(mnuOption, "簡単設定(&E)", [](TfrmMain& self) { self.mnuEasyClick(); });
  mnuSetting = add(mnuOption, "詳細設定(&P)", [](TfrmMain& self) { self.mnuSettingClick(); });
  mnuHelp = MainMenu1->addMenu(FromBytes("情報(&H)"));
  mnuAbout = add(mnuHelp, "ﾊﾞｰｼﾞｮﾝ情報(&V)", [](TfrmMain& self) { self.mnuAboutClick(); });
}

void TfrmMain::menuExitClick() { close(); }

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
  const clDroppedPaths dropped = clDroppedPaths::From(*event->mimeData());
  event->acceptProposedAction();
  control.Guarded([&] { control.WMDropFiles(dropped.paths, dropped.allLocal); });
}

void TfrmMain::ShowMessage(const std::string& text, const std::string& caption) {
  clUiHooks::messageBox(this, FromBytes(text), FromBytes(caption));
}

void TfrmMain::ShowErrorBox(const std::string& text) { clUiHooks::errorBox(this, FromBytes(text)); }

void TfrmMain::AcceptDrops() { setAcceptDrops(true); }

void TfrmMain::SetReadingState(bool reading) {
  mnuReadFolder->setEnabled(!reading);
  mnuOption->menuAction()->setEnabled(!reading);
  mnuEasy->setEnabled(!reading);
  mnuSetting->setEnabled(!reading);
  mnuSuspend->setEnabled(reading);
}

void TfrmMain::SetStatusText(const std::string& text) { lblStat->setText(FromBytes(text)); }

void TfrmMain::PostCompletion() {
  // From the worker's thread: queued to the window, dropped if the window has gone.
  QMetaObject::invokeMethod(
      this, [this] { control.Guarded([this] { control.ReadCompleted(); }); }, Qt::QueuedConnection);
}

void TfrmMain::StartTimeoutTimer(int milliseconds) {
  timTimeout->setInterval(milliseconds);
  timTimeout->start();
}

void TfrmMain::StopTimeoutTimer() { timTimeout->stop(); }

void TfrmMain::RunLater(int milliseconds, std::function<void()> call) {
  QTimer::singleShot(milliseconds, this, std::move(call));
}

void TfrmMain::WatchHandle(intptr_t handle, std::function<void()> onReadable) {
  if (handle < 0) return;
  auto* notifier = new QSocketNotifier(static_cast<qintptr>(handle), QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this,
          [this, onReadable = std::move(onReadable)] { control.Guarded(onReadable); });
}

void TfrmMain::QuitApplication() { terminateApplication(); }
