#include "pages/appearance/cursor_page.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

#include "pages/appearance/path_expansion.h"
#include "pages/widgets/clickable_label.h"
#include "pages/widgets/double_click_die.h"
#include "platform/file_system.h"
#include "platform/system_settings.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kCursorsKey[] = "Control Panel\\Cursors";
constexpr char kSchemesKey[] = "Control Panel\\Cursors\\Schemes";
constexpr char kChange[] = "Zmień";
constexpr char kChangeFromSource[] = " Zmień ";
constexpr char kSave[] = "Zapisz schemat";
constexpr char kOk[] = "OK";
constexpr char kCursorFilter[] =
    "Wszystkie kursory (*.cur, *.ani)|*.ani;*.cur|Kursory (*.cur)|*.cur|Animowane Kursory (*.ani)|*.ani";
constexpr int kRowHeight = 38;

QString q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The picture of a role as Windows draws its default pointer, painted when
// shown rather than made at start-up.
class RolePicture : public ClickableLabel {
 public:
  RolePicture(std::size_t role, QWidget* parent) : ClickableLabel(QString(), parent), role_(role) {
    setFixedSize(32, 32);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    switch (role_) {
      case 0:
        arrow(p, 4, 2);
        break;
      case 1:
        arrow(p, 2, 2);
        text(p, QRectF(14, 2, 16, 20), "?");
        break;
      case 2:
        arrow(p, 2, 2);
        hourglass(p, QRectF(17, 14, 11, 15));
        break;
      case 3:
        hourglass(p, QRectF(8, 3, 16, 26));
        break;
      case 4:
        p.drawLine(QPointF(16, 3), QPointF(16, 29));
        p.drawLine(QPointF(3, 16), QPointF(29, 16));
        break;
      case 5:
        p.drawLine(QPointF(16, 5), QPointF(16, 27));
        p.drawLine(QPointF(12, 5), QPointF(20, 5));
        p.drawLine(QPointF(12, 27), QPointF(20, 27));
        break;
      case 6: {
        QPainterPath pen;
        pen.moveTo(5, 27);
        pen.lineTo(9, 18);
        pen.lineTo(24, 3);
        pen.lineTo(29, 8);
        pen.lineTo(14, 23);
        pen.closeSubpath();
        p.drawPath(pen);
        break;
      }
      case 7:
        p.setPen(QPen(Qt::black, 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 11, 11);
        p.drawLine(QPointF(8.5, 8.5), QPointF(23.5, 23.5));
        break;
      case 8:
      case 9:
      case 10:
      case 11:
        doubleArrow(p, role_ == 8 ? 90 : role_ == 9 ? 0 : role_ == 10 ? 45 : -45);
        break;
      case 12:
        doubleArrow(p, 0);
        doubleArrow(p, 90);
        break;
      case 13: {
        QPainterPath up;
        up.moveTo(16, 3);
        up.lineTo(25, 14);
        up.lineTo(19, 14);
        up.lineTo(19, 29);
        up.lineTo(13, 29);
        up.lineTo(13, 14);
        up.lineTo(7, 14);
        up.closeSubpath();
        p.drawPath(up);
        break;
      }
      default: {
        QPainterPath hand;
        hand.addRoundedRect(QRectF(9, 13, 16, 16), 4, 4);
        hand.addRoundedRect(QRectF(11, 2, 5, 16), 2.5, 2.5);
        p.drawPath(hand.simplified());
        break;
      }
    }
  }

 private:
  static void arrow(QPainter& p, qreal x, qreal y) {
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x, y + 20);
    path.lineTo(x + 5, y + 15);
    path.lineTo(x + 9, y + 24);
    path.lineTo(x + 12, y + 23);
    path.lineTo(x + 8, y + 14);
    path.lineTo(x + 14, y + 14);
    path.closeSubpath();
    p.drawPath(path);
  }
  static void hourglass(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.topRight());
    path.lineTo(r.center());
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.lineTo(r.center());
    path.closeSubpath();
    p.drawPath(path);
  }
  static void text(QPainter& p, const QRectF& r, const char* s) {
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(16);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, QString::fromLatin1(s));
  }
  static void doubleArrow(QPainter& p, qreal angle) {
    p.save();
    p.translate(16, 16);
    p.rotate(-angle);
    QPainterPath path;
    path.moveTo(-13, 0);
    path.lineTo(-7, -6);
    path.lineTo(-7, -2);
    path.lineTo(7, -2);
    path.lineTo(7, -6);
    path.lineTo(13, 0);
    path.lineTo(7, 6);
    path.lineTo(7, 2);
    path.lineTo(-7, 2);
    path.lineTo(-7, 6);
    path.closeSubpath();
    p.drawPath(path);
    p.restore();
  }

  std::size_t role_;
};

QLabel* endLabel(const char* text, QWidget* parent) { return new QLabel(QString::fromUtf8(text), parent); }

QSlider* slider(const char* name, const char* hint, int minimum, int maximum, int step, QWidget* parent) {
  auto* s = new QSlider(Qt::Horizontal, parent);
  s->setObjectName(name);
  s->setRange(minimum, maximum);
  s->setSingleStep(step);
  s->setPageStep(step);
  s->setTickPosition(QSlider::TicksBelow);
  s->setTickInterval(step);
  s->setToolTip(QString::fromUtf8(hint));
  s->setAccessibleName(QString::fromUtf8(hint));
  return s;
}

}  // namespace

CursorPage::CursorPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  buildPointers(area("TabSheet11"));
  buildSettings(area("TabSheet12"));
}

CursorPage::~CursorPage() = default;

void CursorPage::buildPointers(QWidget* area) {
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(6, 6, 6, 6);

  schemeLine_ = new QLabel(area);
  schemeLine_->setObjectName("cursorSchemeName");
  schemeLine_->setToolTip(QStringLiteral("Nazwa schematu kursorów."));
  schemeLine_->setFrameShape(QFrame::Panel);
  schemeLine_->setFrameShadow(QFrame::Sunken);
  schemeLine_->setMargin(3);
  layout->addWidget(schemeLine_);

  list_ = new QScrollArea(area);
  list_->setObjectName("kursoryList");
  list_->setAccessibleName(QStringLiteral("Wskaźniki"));
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list_->verticalScrollBar()->setToolTip(QStringLiteral("Przewiń góra/dół"));
  list_->verticalScrollBar()->setAccessibleName(QStringLiteral("Przewiń góra/dół"));
  rows_ = new QWidget;
  rows_->setObjectName("kursoryRows");
  auto* grid = new QGridLayout(rows_);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(6);
  // The third column keeps room for the edit panel beside the roles.
  grid->setColumnMinimumWidth(2, 200);
  grid->setColumnStretch(2, 1);
  for (std::size_t role = 0; role < kCursorRoleCount; ++role) {
    const CursorRole& r = kCursorRoles[role];
    const QString hint = q(cursorRoleHint(r));
    captions_[role] = new ClickableLabel(QString::fromUtf8(r.caption), rows_);
    captions_[role]->setObjectName(QStringLiteral("%1Caption").arg(r.valueName));
    captions_[role]->setToolTip(hint);
    captions_[role]->setMinimumHeight(kRowHeight);
    pictures_[role] = new RolePicture(role, rows_);
    pictures_[role]->setObjectName(QStringLiteral("%1Picture").arg(r.valueName));
    pictures_[role]->setToolTip(hint);
    pictures_[role]->setAccessibleName(QString::fromUtf8(r.caption));
    grid->addWidget(pictures_[role], static_cast<int>(role), 0);
    grid->addWidget(captions_[role], static_cast<int>(role), 1);
    for (ClickableLabel* l : {captions_[role], pictures_[role]})
      connect(l, &ClickableLabel::clicked, this, [this, role] { chooseRole(role); });
  }

  // The edit panel lies over the third column, beside the chosen role.
  editPanel_ = new QFrame(rows_);
  editPanel_->setObjectName("kursorEditPanel");
  editPanel_->setFrameShape(QFrame::StyledPanel);
  editPanel_->setAutoFillBackground(true);
  auto* panel = new QVBoxLayout(editPanel_);
  panel->setContentsMargins(6, 6, 6, 6);
  changeButton_ = new QPushButton(QString::fromUtf8(kChange), editPanel_);
  changeButton_->setObjectName("zmienKursor");
  changeButton_->setToolTip(QStringLiteral("Zmień aktualny kursor"));
  changeButton_->setMouseTracking(true);
  changeButton_->installEventFilter(this);
  panel->addWidget(changeButton_);
  sources_ = new QGroupBox(QStringLiteral("wybierając kursor z ..."), editPanel_);
  sources_->setObjectName("zrodloKursora");
  auto* sourceRows = new QVBoxLayout(sources_);
  ownCursors_ = new QRadioButton(QStringLiteral("przygotowanych przeze mnie"), sources_);
  ownCursors_->setObjectName("kursoryProgramu");
  ownCursors_->setToolTip(QStringLiteral("Kilka moich kursorów"));
  windowsCursors_ = new QRadioButton(QStringLiteral("folderu Kursory w Windowsie"), sources_);
  windowsCursors_->setObjectName("kursoryWindows");
  sourceRows->addWidget(ownCursors_);
  sourceRows->addWidget(windowsCursors_);
  sources_->hide();
  panel->addWidget(sources_);
  previewArea_ = new QGroupBox(QStringLiteral("Podgląd"), editPanel_);
  previewArea_->setObjectName("podgladKursora");
  previewArea_->setToolTip(QStringLiteral("Podgląd wybranego kursora"));
  previewArea_->setMouseTracking(true);
  previewArea_->installEventFilter(this);
  auto* previewRows = new QVBoxLayout(previewArea_);
  previewPicture_ = new QLabel(previewArea_);
  previewPicture_->setObjectName("widokKursora");
  previewPicture_->setToolTip(QStringLiteral("Widok wybranego kursora"));
  previewPicture_->setAccessibleName(QStringLiteral("Widok wybranego kursora"));
  previewPicture_->setFixedSize(40, 40);
  previewPicture_->setAlignment(Qt::AlignCenter);
  previewPicture_->setMouseTracking(true);
  previewPicture_->installEventFilter(this);
  previewRows->addWidget(previewPicture_, 0, Qt::AlignCenter);
  panel->addWidget(previewArea_);
  editPanel_->hide();
  animation_ = new QTimer(this);
  animation_->setSingleShot(true);
  connect(animation_, &QTimer::timeout, this, [this] {
    if (!chosen_) return;
    showStep(step_ + 1);
  });

  for (QRadioButton* source : {ownCursors_, windowsCursors_}) {
    connect(source, &QRadioButton::clicked, this,
            [this] { changeButton_->setText(QString::fromUtf8(kChangeFromSource)); });
  }
  connect(changeButton_, &QPushButton::clicked, this, [this] { changePressed(); });

  list_->setWidget(rows_);
  list_->setWidgetResizable(true);
  layout->addWidget(list_, 1);

  // One strip, so that the mouse on its way from the button to the name
  // field crosses no neutral area (which would take the name away).
  auto* strip = new QWidget(area);
  strip->setObjectName("zapiszSchematStrip");
  auto* bottom = new QHBoxLayout(strip);
  bottom->setContentsMargins(0, 0, 0, 0);
  saveButton_ = new QPushButton(QString::fromUtf8(kSave), strip);
  saveButton_->setObjectName("zapiszSchemat");
  saveButton_->setToolTip(QStringLiteral("Zapisz shemat ..."));
  save_ = &addApplyCommand(saveButton_, {.setsRestartNeeded = true, .consultedAtClose = true},
                           [this] { return save(); });
  namePanel_ = new QWidget(strip);
  namePanel_->setObjectName("nazwaSchematuPanel");
  auto* nameRow = new QHBoxLayout(namePanel_);
  nameRow->setContentsMargins(0, 0, 0, 0);
  auto* nameLabel = new QLabel(QStringLiteral("Podaj nazwę schametu:"), namePanel_);
  nameLabel->setObjectName("nazwaSchematuLabel");
  nameField_ = new QLineEdit(namePanel_);
  nameField_->setObjectName("nazwaSchematu");
  nameField_->setToolTip(QStringLiteral("Podaj nazwę schematu"));
  nameField_->setAccessibleName(QStringLiteral("Podaj nazwę schametu:"));
  nameLabel->setBuddy(nameField_);
  nameRow->addWidget(nameLabel);
  nameRow->addWidget(nameField_, 1);
  namePanel_->hide();
  connect(nameField_, &QLineEdit::textChanged, this, [this](const QString& text) {
    saveButton_->setText(QString::fromUtf8(text.isEmpty() ? kSave : kOk));
  });
  connect(nameField_, &QLineEdit::returnPressed, this, [this] {
    if (saveButton_->text() == QString::fromUtf8(kOk)) saveButton_->click();
  });
  bottom->addWidget(saveButton_);
  bottom->addWidget(namePanel_, 1);
  layout->addWidget(strip);
}

void CursorPage::buildSettings(QWidget* area) {
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(10, 8, 10, 8);

  auto* repeat = new QGroupBox(QStringLiteral("Powtarzanie znaku"), area);
  repeat->setObjectName("powtarzanieZnaku");
  auto* grid = new QGridLayout(repeat);
  auto* speedLabel = new QLabel(QStringLiteral("Częstotliwość powtarzania"), repeat);
  speed_ = slider("czestotliwosc", "Częstotliwość powtarzania znaku", 0, 255, 5, repeat);
  speed_->setAccessibleName(speedLabel->text());
  speed_->setValue(180);
  speedLabel->setBuddy(speed_);
  grid->addWidget(speedLabel, 0, 0, 1, 3);
  grid->addWidget(endLabel("wolno", repeat), 1, 0);
  grid->addWidget(speed_, 1, 1);
  grid->addWidget(endLabel("szybko", repeat), 1, 2);
  auto* delayLabel = new QLabel(QStringLiteral("Opóźnienie powtarzania"), repeat);
  delay_ = slider("opoznienie", "Opóźnienie powtarzania", 0, 3, 1, repeat);
  delay_->setValue(0);
  delayLabel->setBuddy(delay_);
  grid->addWidget(delayLabel, 2, 0, 1, 3);
  grid->addWidget(endLabel("małe", repeat), 3, 0);
  grid->addWidget(delay_, 3, 1);
  grid->addWidget(endLabel("duże", repeat), 3, 2);
  auto* testLabel =
      new QLabel(QStringLiteral("Kliknij tutaj i przytrzymaj, aby sprawdzisz powtarzanie"), repeat);
  testField_ = new QLineEdit(repeat);
  testField_->setObjectName("testPowtarzania");
  testField_->setToolTip(QStringLiteral("Testuj"));
  testField_->setAccessibleName(testLabel->text());
  testLabel->setBuddy(testField_);
  grid->addWidget(testLabel, 4, 0, 1, 3);
  grid->addWidget(testField_, 5, 0, 1, 3);
  layout->addWidget(repeat);

  auto* doubleClickGroup = new QGroupBox(QStringLiteral("Szybkość dwukrotnego kliknięcia"), area);
  doubleClickGroup->setObjectName("szybkoscDwukrotnegoKlikniecia");
  auto* row = new QGridLayout(doubleClickGroup);
  doubleClick_ = slider("RxSlider1", "Szybkość dwukrotnego kliknięcia", 99, 900, 5, doubleClickGroup);
  row->addWidget(endLabel("szybko", doubleClickGroup), 0, 0);
  row->addWidget(doubleClick_, 0, 1);
  row->addWidget(endLabel("wolno", doubleClickGroup), 0, 2);
  auto* dieLabel = new QLabel(QStringLiteral("Testuj:\r\nkliknij dwukrotnie"), doubleClickGroup);
  die_ = new DoubleClickDie(doubleClickGroup);
  die_->setObjectName("kostka");
  die_->setToolTip(QStringLiteral("Kliknij dwukrotnie na kostkę"));
  die_->setAccessibleName(QStringLiteral("Kliknij dwukrotnie na kostkę"));
  row->addWidget(dieLabel, 0, 3);
  row->addWidget(die_, 0, 4);
  row->setColumnStretch(1, 1);
  layout->addWidget(doubleClickGroup);
  layout->addStretch(1);

  // At once on the running system; the loader's own setting is not the user's.
  connect(speed_, &QSlider::valueChanged, this, [this](int v) {
    if (!loading()) this->app().systemSettings().setKeyboardSpeed(v);
  });
  connect(delay_, &QSlider::valueChanged, this, [this](int v) {
    if (!loading()) this->app().systemSettings().setKeyboardDelay(v);
  });
  connect(doubleClick_, &QSlider::valueChanged, this, [this](int v) {
    if (!loading()) this->app().systemSettings().setDoubleClickTime(v);
  });
}

void CursorPage::load() {
  doubleClick_->setValue(app().systemSettings().doubleClickTime());
  testField_->clear();

  RegistryHandle reg(app().registry());
  reg.setRoot(Root::CurrentUser);
  const bool open = openForRead(reg, kCursorsKey);
  std::optional<std::string> scheme;
  if (open && reg.valueExists("") && reg.valueKind("") == ValueKind::String) scheme = reg.readString("");
  schemeLine_->setText(q(cursorSchemeNameLine(scheme)));
  for (std::size_t role = 0; role < kCursorRoleCount; ++role) {
    const char* name = kCursorRoles[role].valueName;
    std::string path;
    if (open && reg.valueExists(name) &&
        (reg.valueKind(name) == ValueKind::String || reg.valueKind(name) == ValueKind::ExpandString)) {
      path = reg.readString(name);
    }
    paths_[role] = expandStoredPath(app(), path);
  }
  // The preview cursors are made from these paths when a role is chosen.
  previews_ = {};

  chosen_.reset();
  animation_->stop();
  editPanel_->hide();
  list_->verticalScrollBar()->setValue(0);
}

void CursorPage::resetTransient() {
  hideNameField();
  saveButton_->setText(QString::fromUtf8(kSave));
}

void CursorPage::hideNameField() {
  nameField_->clear();
  namePanel_->hide();
}

const CursorPage::Preview& CursorPage::preview(std::size_t role) {
  if (!previews_[role]) {
    Preview made{{}, QCursor(Qt::ArrowCursor)};
    if (const auto host = app().files().hostPath(paths_[role])) {
      try {
        made.animation = app().pictures().loadAnimation(*host);
      } catch (const PictureError&) {
        // Not a cursor we can draw: no picture, the default pointer.
      }
    }
    const Animation& a = made.animation;
    if (!a.steps.empty() && a.steps.front().frame >= 0 &&
        static_cast<std::size_t>(a.steps.front().frame) < a.frames.size()) {
      const QImage& first = a.frames[static_cast<std::size_t>(a.steps.front().frame)];
      made.cursor = QCursor(QPixmap::fromImage(first), a.hotspot.x(), a.hotspot.y());
    }
    previews_[role] = std::move(made);
  }
  return *previews_[role];
}

void CursorPage::chooseRole(std::size_t role) {
  chosen_ = role;
  showPreview();
  editPanel_->show();
  editPanel_->raise();
  placeEditPanel();
  list_->ensureWidgetVisible(editPanel_, 0, 0);
  // Onto the button, at the height the pointer is.
  const QPoint button = changeButton_->mapToGlobal(changeButton_->rect().center());
  QCursor::setPos(button.x(), QCursor::pos().y());
}

void CursorPage::placeEditPanel() {
  if (!chosen_) return;
  rows_->layout()->activate();
  editPanel_->adjustSize();
  const QRect cell = static_cast<QGridLayout*>(rows_->layout())->cellRect(static_cast<int>(*chosen_), 2);
  // Beside the role, as low as the list lets it lie.
  const int y = std::max(0, std::min(cell.top(), rows_->height() - editPanel_->height()));
  editPanel_->move(cell.left(), y);
}

void CursorPage::showPreview() {
  animation_->stop();
  const std::string& path = paths_[*chosen_];
  if (path.empty() || !app().files().fileExists(path)) {
    previewArea_->hide();
    placeEditPanel();
    return;
  }
  const Preview& shown = preview(*chosen_);
  previewArea_->setCursor(shown.cursor);
  previewPicture_->setCursor(shown.cursor);
  previewArea_->show();
  showStep(0);
  placeEditPanel();
}

void CursorPage::showStep(std::size_t step) {
  const Animation& a = preview(*chosen_).animation;
  if (a.steps.empty()) {
    previewPicture_->clear();
    return;
  }
  step_ = step % a.steps.size();
  const Animation::Step& s = a.steps[step_];
  if (s.frame >= 0 && static_cast<std::size_t>(s.frame) < a.frames.size()) {
    previewPicture_->setPixmap(QPixmap::fromImage(a.frames[static_cast<std::size_t>(s.frame)]));
  }
  if (a.steps.size() > 1) animation_->start(std::max(s.durationMs, 10));
}

void CursorPage::changePressed() {
  if (changeButton_->text() == QString::fromUtf8(kChange)) {
    sources_->show();
    placeEditPanel();
    return;
  }
  if (ownCursors_->isChecked()) {
    const std::string program = app().environment().programDirectory();
    const std::string folder = program + "\\Kursory";
    if (program.empty() || !app().files().directoryExists(folder)) {
      app().dialogs().message(
          "Nie znaleziono folderu \"Kursory\" z przygotowanymi kursorami.\rWybierz kursor z folderu "
          "Kursory w Windowsie.");
      return;
    }
    sources_->hide();
    placeEditPanel();
    openChooser(folder, "Wybierz kursor z przygotowanych przezemnie");
  } else if (windowsCursors_->isChecked()) {
    sources_->hide();
    placeEditPanel();
    openChooser(app().environment().windowsDirectory() + "\\Cursors", "Wybierz kursor z zasobów Windows");
  }
}

void CursorPage::openChooser(const std::string& folder, const std::string& title) {
  if (!chosen_) return;
  const std::optional<std::string> answer = app().dialogs().openFile({.title = title,
                                                                      .filter = kCursorFilter,
                                                                      .initialFolder = folder,
                                                                      .defaultExtension = {},
                                                                      .mustExist = true});
  if (!answer) return;
  const CursorChoice choice =
      checkChosenCursor(*answer, !answer->empty() && app().files().fileExists(*answer));
  if (choice != CursorChoice::Valid) {
    app().dialogs().message(cursorChoiceMessage(choice));
    return;
  }
  paths_[*chosen_] = *answer;
  previews_ = {};
  showPreview();
  save_->markPending();
  QCursor::setPos(previewArea_->mapToGlobal(previewArea_->rect().center()));
}

void CursorPage::clearSources() {
  for (QRadioButton* source : {ownCursors_, windowsCursors_}) {
    source->setAutoExclusive(false);
    source->setChecked(false);
    source->setAutoExclusive(true);
  }
}

bool CursorPage::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (watched == changeButton_) {
    if (type == QEvent::MouseMove) {
      const auto* move = static_cast<QMouseEvent*>(event);
      if ((move->modifiers() | QGuiApplication::keyboardModifiers()) & Qt::ControlModifier) {
        changeButton_->setText(QString::fromUtf8(kChange));
        clearSources();
      }
    } else if (type == QEvent::MouseButtonPress &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      QCursor::setPos(QCursor::pos() - QPoint(180, 0));
      return true;
    }
  } else if (watched == previewArea_ || watched == previewPicture_) {
    if (type == QEvent::MouseMove || type == QEvent::Enter) {
      namePanel_->hide();
    } else if (type == QEvent::MouseButtonPress &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      QCursor::setPos(QCursor::pos() - QPoint(460, 0));
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

WriteResult CursorPage::save() {
  if (saveButton_->text() != QString::fromUtf8(kOk)) {
    // The first step asks for the name; nothing is written yet.
    nameField_->clear();
    nameField_->setEnabled(true);
    namePanel_->show();
    nameField_->setFocus(Qt::OtherFocusReason);
    return WriteResult::KeepPending;
  }
  const std::string name = nameField_->text().toStdString();
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::CurrentUser);
  openForWrite(reg, kSchemesKey);
  reg.writeString(name, cursorSchemeString(paths_));
  reg.closeKey();
  openForWrite(reg, kCursorsKey);
  reg.writeString("", name);
  for (std::size_t role : kCursorWriteOrder) {
    if (!paths_[role].empty()) reg.writeString(kCursorRoles[role].valueName, paths_[role]);
  }
  reg.closeKey();
  hideNameField();
  reload();
  saveButton_->setText(QString::fromUtf8(kSave));
  return WriteResult::Done;
}

}  // namespace kelvaro
