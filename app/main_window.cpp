#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/multi_row_tabs.h"
#include "store/program_version.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kProgramKey[] = "Software\\Morvane\\Kelvaro";

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// A small tab icon of our own: a tinted tile with the page's initial.
QIcon pageIcon(int index, const char* caption) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor::fromHsv((index * 47) % 360, 140, 200));
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text(caption).left(1));
  return QIcon(pixmap);
}

// Gives every hint of one window the chosen duration, also for controls made
// after the duration was set.
class HintDurationFilter : public QObject {
 public:
  HintDurationFilter(QWidget* window, const int& duration)
      : QObject(window), window_(window), duration_(duration) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(watched);
      if (widget->window() == window_) widget->setToolTipDuration(duration_);
    }
    return false;
  }

 private:
  QWidget* window_;
  const int& duration_;
};

}  // namespace

QString TKelvaro::baseCaption() {
  return text(kProgramTitle) + "  v. " + QString::fromStdString(programVersionString());
}

TKelvaro::TKelvaro(AppContext& app, const PageFactory& factory, QWidget* parent)
    : QWidget(parent),
      app_(app),
      standardColour_(QApplication::palette().color(QPalette::Active, QPalette::Button)),
      applicationTitle_(text(kProgramTitle)) {
  app_.attachFrame(this);
  setObjectName("TKelvaro");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(baseCaption());
  setWindowIconText(applicationTitle_);
  setFixedSize(tabLayout_.windowSize);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);

  tabRows_ = new MultiRowTabs(this);
  stronki_ = new QTabWidget(tabRows_);
  stronki_->setObjectName("stronki");
  stronki_->setUsesScrollButtons(true);
  const auto catalog = pageCatalog();
  for (std::size_t i = 0; i < catalog.size(); ++i) {
    const PageInfo& info = catalog[i];
    Page* page = factory ? factory(app_, info, stronki_) : nullptr;
    if (!page) page = new Page(app_, info, stronki_);
    pages_.push_back(page);
    stronki_->addTab(page, pageIcon(static_cast<int>(i), info.caption), text(info.caption));
  }
  tabRows_->setPageControl(stronki_);
  tabRows_->setArrangement(tabLayout_.side, tabLayout_.severalRows, tabLayout_.oppositeRows);
  layout->addWidget(tabRows_, 1);

  auto* bar = new QWidget(this);
  bar->setObjectName("bottomBar");
  buildBottomBar(bar);
  layout->addWidget(bar);

  pageOrderMenu_ = new QMenu(this);
  pageOrderMenu_->setObjectName("pageOrderMenu");
  fillPageOrderMenu(pageOrderMenu_);
  alphabeticalMenu_ = new QMenu(this);
  alphabeticalMenu_->setObjectName("alphabeticalMenu");
  fillAlphabeticalMenu(alphabeticalMenu_);

  // Where a Windows program extends its title-bar menu: here the tab rows
  // offer the same page-order entries on a right click.
  stronki_->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(stronki_->tabBar(), &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { showWindowMenu(stronki_->tabBar()->mapToGlobal(pos)); });
  connect(tabRows_, &MultiRowTabs::tabContextMenuRequested, this, &TKelvaro::showWindowMenu);
  qApp->installEventFilter(new HintDurationFilter(this, hintDuration_));

  connect(stronki_, &QTabWidget::currentChanged, this, [this] { applyNavigationState(); });

  watchNeutralArea(this);
  watchNeutralArea(stronki_);
  watchNeutralArea(stronki_->tabBar());
  watchNeutralArea(tabRows_);
  for (RowTab* tab : tabRows_->tabs()) watchNeutralArea(tab);
  watchNeutralArea(bar);
  for (QWidget* w : {static_cast<QWidget*>(closeButton_), static_cast<QWidget*>(reReadButton_),
                     static_cast<QWidget*>(previousButton_), static_cast<QWidget*>(nextButton_),
                     static_cast<QWidget*>(menuButton_)}) {
    watchNeutralArea(w);
  }
  for (Page* page : pages_) {
    // Pages show the window's colour, as tab sheets of a coloured form do.
    page->setAutoFillBackground(true);
    watchNeutralArea(page);
    if (QTabWidget* subs = page->subPageControl()) {
      for (int i = 0; i < subs->count(); ++i) {
        subs->widget(i)->setAutoFillBackground(true);
        watchNeutralArea(subs->widget(i));
      }
    }
  }

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  applyNavigationState();
}

TKelvaro::~TKelvaro() {
  if (app_.frameAttached(this)) app_.attachFrame(nullptr);
}

void TKelvaro::setWindowColour(const QColor& colour) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, colour);
  setPalette(palette);
}

QColor TKelvaro::windowColour() const { return palette().color(QPalette::Window); }

void TKelvaro::setTabLayout(const TabLayout& layout) {
  tabLayout_ = layout;
  tabRows_->setArrangement(layout.side, layout.severalRows, layout.oppositeRows);
  setFixedSize(layout.windowSize);
  this->layout()->activate();
  // The window is centred when it first shows, in the size it has then.
  if (!shownOnce_) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      move(screen->availableGeometry().center() - rect().center());
    }
  }
}

void TKelvaro::setHintDuration(int milliseconds) {
  hintDuration_ = milliseconds;
  setToolTipDuration(milliseconds);
  for (QWidget* widget : findChildren<QWidget*>()) widget->setToolTipDuration(milliseconds);
}

void TKelvaro::setApplicationTitle(const QString& title) {
  applicationTitle_ = title;
  setWindowIconText(title);
}

bool TKelvaro::showPageAt(int index) {
  if (index < 0 || index >= stronki_->count()) return false;
  showPage(pages_[static_cast<std::size_t>(index)]->info().id);
  return true;
}

void TKelvaro::showWindowMenu(QPoint globalPos) {
  QMenu* menu = buildWindowMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(globalPos);
}

void TKelvaro::buildBottomBar(QWidget* bar) {
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  const auto button = [&](const char* name, const char* caption, const char* hint) {
    auto* b = new QPushButton(text(caption), bar);
    b->setObjectName(name);
    b->setToolTip(text(hint));
    row->addWidget(b);
    return b;
  };
  closeButton_ = button("closeButton", "&Zamknij", "Zakończ działanie programu");
  closeButton_->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  reReadButton_ =
      button("reReadButton", "&Odczytaj", "Odczytaj twoje ustawienia dotyczące powyższej zakładki");
  reReadButton_->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  reReadButton_->hide();
  row->addStretch(1);
  previousButton_ = button("previousButton", "&Poprzednia", "Poprzednia strona");
  previousButton_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
  nextButton_ = button("nextButton", "&Następna", "Następna Strona");
  nextButton_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  nextButton_->setLayoutDirection(Qt::RightToLeft);  // icon on the right of the text
  menuButton_ = new QToolButton(bar);
  menuButton_->setObjectName("menuButton");
  menuButton_->setToolTip(text("Wyświetl menu"));
  menuButton_->setAccessibleName(text("Wyświetl menu"));
  menuButton_->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
  row->addWidget(menuButton_);

  connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
  connect(reReadButton_, &QPushButton::clicked, this, &TKelvaro::reReadActivePage);
  connect(previousButton_, &QPushButton::clicked, this, &TKelvaro::showPreviousPage);
  connect(nextButton_, &QPushButton::clicked, this, &TKelvaro::showNextPage);
  connect(menuButton_, &QToolButton::clicked, this, &TKelvaro::showMenuAtCursor);
}

void TKelvaro::fillPageOrderMenu(QMenu* menu) {
  for (const PageInfo& info : pageCatalog()) {
    const QString caption = text(info.menuCaption ? info.menuCaption : info.caption);
    if (info.subPages.empty()) {
      const std::string id = info.id;
      menu->addAction(caption, this, [this, id] { showPage(id); });
      continue;
    }
    QMenu* sub = menu->addMenu(caption);
    for (const SubPageInfo& s : info.subPages) {
      const std::string id = info.id, subId = s.id;
      sub->addAction(text(s.menuCaption ? s.menuCaption : s.caption), this,
                     [this, id, subId] { showPage(id, subId); });
    }
  }
}

void TKelvaro::fillAlphabeticalMenu(QMenu* menu) {
  for (const AlphabeticalEntry& entry : kelvaro::alphabeticalMenu()) {
    const std::string id = entry.page;
    if (entry.subPages.empty()) {
      menu->addAction(text(entry.caption), this, [this, id] { showPage(id); });
      continue;
    }
    QMenu* sub = menu->addMenu(text(entry.caption));
    for (const SubPageInfo& s : entry.subPages) {
      const std::string subId = s.id;
      sub->addAction(text(s.caption), this, [this, id, subId] { showPage(id, subId); });
    }
  }
}

QMenu* TKelvaro::buildWindowMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName("windowMenu");
  fillPageOrderMenu(menu);
  return menu;
}

Page* TKelvaro::page(std::string_view id) const {
  const int index = pageIndex(id);
  return index < 0 ? nullptr : pages_[static_cast<std::size_t>(index)];
}

Page* TKelvaro::activePage() const {
  const int index = stronki_->currentIndex();
  return index < 0 ? nullptr : pages_[static_cast<std::size_t>(index)];
}

void TKelvaro::showPage(std::string_view pageId, std::string_view subPageId) {
  Page* target = page(pageId);
  if (!target) return;
  stronki_->setCurrentWidget(target);
  if (!subPageId.empty()) {
    if (QWidget* sheet = target->subPage(subPageId)) target->subPageControl()->setCurrentWidget(sheet);
  }
  applyNavigationState();
}

void TKelvaro::showPreviousPage() {
  const int index = stronki_->currentIndex();
  if (index > 0) stronki_->setCurrentIndex(index - 1);
  applyNavigationState();
}

void TKelvaro::showNextPage() {
  const int index = stronki_->currentIndex();
  if (index + 1 < stronki_->count()) stronki_->setCurrentIndex(index + 1);
  applyNavigationState();
}

void TKelvaro::applyNavigationState() {
  const int index = stronki_->currentIndex();
  const Page* active = activePage();
  previousButton_->setEnabled(index > 0);
  nextButton_->setEnabled(index + 1 < stronki_->count());
  reReadButton_->setVisible(active && active->info().reRead != ReRead::None);
}

void TKelvaro::reReadActivePage() {
  Page* active = activePage();
  if (!active) return;
  switch (active->info().reRead) {
    case ReRead::Loader:
      app_.run([active] { active->reload(); });
      return;
    case ReRead::Own:
      app_.run([active] { active->reRead(); });
      return;
    case ReRead::None:
      return;
  }
}

void TKelvaro::hoverReset() {
  for (const PageInfo* info : hoverResetOrder()) {
    if (Page* p = page(info->id)) p->resetTransient();
  }
}

void TKelvaro::watchNeutralArea(QWidget* widget) {
  widget->setMouseTracking(true);
  widget->setProperty("kelvaroNeutral", true);
  widget->installEventFilter(this);
}

bool TKelvaro::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    auto* widget = static_cast<QWidget*>(watched);
    // Only the area itself counts, not a control lying on it (a move over a
    // control that does not track the mouse is passed on to its parent).
    if (!widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint())) hoverReset();
  }
  return QWidget::eventFilter(watched, event);
}

void TKelvaro::showMenuAtCursor() {
  menuPosition_ = QCursor::pos();
  QMenu* menu = menuChoice_ == PageMenuChoice::PageOrder      ? pageOrderMenu_
                : menuChoice_ == PageMenuChoice::Alphabetical ? alphabeticalMenu_
                                                              : nullptr;
  if (menu) menu->popup(menuPosition_);
}

bool TKelvaro::confirmClose() {
  const bool remembered = app_.run([this] {
    RegistryHandle reg(app_.registry());
    openForWrite(reg, kProgramKey);
    reg.writeString("ActivePageName", std::to_string(stronki_->currentIndex()));
  });
  if (!remembered) return false;

  bool pending = false;
  for (const Page* p : pages_) pending = pending || p->hasPendingEdits();
  if (pending) {
    const BoxButton answer =
        app_.dialogs().messageBox({"Koniec", "Czy chcesz zamknąć program bez zapisania zmian ?",
                                   BoxIcon::Question, BoxButton::Yes | BoxButton::No});
    if (answer != BoxButton::Yes) return false;
  }
  if (app_.restartNeeded()) {
    app_.dialogs().messageBox(
        {kProgramTitle,
         "Wprowadzone przez ciebie zmiany będą widoczne dopiero po ponownym uruchomieniu "
         "komputera.",
         BoxIcon::None, BoxButton::Ok});
  }
  return true;
}

void TKelvaro::closeEvent(QCloseEvent* event) {
  if (confirmClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TKelvaro::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    showPage(helpPage().id);
    return;
  }
  QWidget::keyPressEvent(event);
}

void TKelvaro::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    emit firstShown();
  }
}

}  // namespace kelvaro
