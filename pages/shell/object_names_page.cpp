#include "pages/shell/object_names_page.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

#include "pages/widgets/hinted_button.h"
#include "pages/widgets/icon_picture.h"
#include "pages/widgets/in_place_editor.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

struct ObjectSpec {
  const char* clsid;
  const char* word;      // in the label's hint
  const char* iconWord;  // in the icon's hint
  const char* defaultName;
  QStyle::StandardPixmap picture;
};

constexpr std::array<ObjectSpec, ObjectNamesPage::kObjects> kObjectTable{{
    {"{645FF040-5081-101B-9F08-00AA002F954E}", "Kosz", "Kosz", "Kosz", QStyle::SP_TrashIcon},
    {"{21EC2020-3AEA-1069-A2DD-08002B30309D}", "Panel Sterowania", "Panel Strowania", "Panel Sterowania",
     QStyle::SP_DesktopIcon},
    {"{2227A280-3AEA-1069-A2DE-08002B30309D}", "Drukarki", "Drukarki", "Drukarki",
     QStyle::SP_FileDialogListView},
    {"{992CFFA0-F557-101A-88EC-00DD010CCC48}", "Dial-Up Networking", "Dial-Up Networking",
     "Dial-Up NetWorking", QStyle::SP_DriveNetIcon},
    {"{D6277990-4C6A-11CF-8D87-00AA0060F5BF}", "Zaplanowane zadania", "Zaplanowane zadania",
     "Zaplanowane zadania", QStyle::SP_FileDialogDetailedView},
    {"{BDEADF00-C265-11d0-BCED-00A0C90AB50F}", "Web Folders", "Web Folders", "Web Folders",
     QStyle::SP_DirLinkIcon},
    {"{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "Mój komputer", "Mój komputer", "Mój komputer",
     QStyle::SP_ComputerIcon},
    {"{450D8FBA-AD25-11D0-98A8-0800361B1103}", "Moje Dokumenty", "Moje Dokumenty", "Moje dokumenty",
     QStyle::SP_DirHomeIcon},
}};

// The user's own copies are read and written in this order: My Computer, My
// Documents, Recycle Bin, Dial-Up Networking, Printers, Control Panel, Web
// Folders, Scheduled Tasks.
constexpr std::array<int, ObjectNamesPage::kObjects> kUserOrder{6, 7, 0, 3, 2, 1, 5, 4};

constexpr char kIdleNote[] =
    "Uwaga: Kliknij dwukrotnie na nazwę lub odpowiadającą jej ikonę, aby ją zmienić.";
constexpr char kEditingNote[] = "Uwaga: Zatwierdź zmianę ENTER-em";
constexpr int kEditorGrowLimit = 188;
const QPoint kOutOfView(-1000, -1000);

std::string classKey(int object) { return std::string("CLSID\\") + kObjectTable[object].clsid; }
std::string userClassKey(int object) {
  return std::string("SOFTWARE\\Classes\\CLSID\\") + kObjectTable[object].clsid;
}

// The key's default value when it is a text that is not empty.
std::optional<std::string> storedName(RegistryHandle& reg, const std::string& key) {
  reg.closeKey();
  if (!openForRead(reg, key)) return std::nullopt;
  const std::string name = guardedReadString(reg, "");
  if (name.empty()) return std::nullopt;
  return name;
}

QFrame* raisedFrame(QWidget* parent, const char* name) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setLineWidth(1);
  frame->setAttribute(Qt::WA_TransparentForMouseEvents);
  frame->move(kOutOfView);
  return frame;
}

}  // namespace

ObjectNamesPage::ObjectNamesPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  auto* heading = new QLabel(QStringLiteral("Zmień nazwę:"), this);
  heading->setObjectName("NazwyHeading");
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);

  area_ = new QWidget(this);
  area_->setObjectName("NazwyObiekty");
  area_->setFixedSize(560, 230);
  layout->addWidget(area_, 0, Qt::AlignHCenter);

  iconFrame_ = raisedFrame(area_, "NazwyRamkaIkony");
  nameFrame_ = raisedFrame(area_, "NazwyRamkaNazwy");

  for (int i = 0; i < kObjects; ++i) {
    const ObjectSpec& spec = kObjectTable[i];
    Object& o = objects_[i];
    o.icon = new IconPicture(area_);
    o.icon->setObjectName(QStringLiteral("NazwyIkona%1").arg(i + 1));
    o.icon->setIcon(QApplication::style()->standardIcon(spec.picture).pixmap(32, 32).toImage());
    const QString iconHint = QStringLiteral("Zmień nazwę \"%1\"").arg(QString::fromUtf8(spec.iconWord));
    o.icon->setToolTip(iconHint);
    o.icon->setAccessibleName(iconHint);
    o.icon->move(64 + (i % 4) * 130, 20 + (i / 4) * 110);
    o.label = new QLabel(QString::fromUtf8(spec.defaultName), area_);
    o.label->setObjectName(QStringLiteral("NazwyNazwa%1").arg(i + 1));
    o.label->setToolTip(
        QStringLiteral("Kliknij dwukrotnie, aby zmienić nazwę \"%1\"").arg(QString::fromUtf8(spec.word)));
    o.label->move(o.icon->x(), o.icon->y() + 40);
    for (QWidget* w : {static_cast<QWidget*>(o.icon), static_cast<QWidget*>(o.label)}) {
      w->setMouseTracking(true);
      w->installEventFilter(this);
    }
    connect(o.icon, &IconPicture::activated, this, [this, i] {
      if (idle()) startEdit(i);
    });
  }

  editor_ = new InPlaceEditor(area_, app.dialogs(), {});
  editor_->setBackgroundClickCommits(false);  // only Enter ends an edit here
  editor_->setTextGeometry({.offset = QPoint(-1, -1),
                            .extraWidth = 15,
                            .extraHeight = 5,
                            .growLimit = kEditorGrowLimit,
                            .highlight = false});
  editor_->textEditor()->setObjectName("NazwyEdycja");
  editor_->versionEditor()->setObjectName("NazwyEdycjaWersji");
  editor_->folderEditor()->setObjectName("NazwyEdycjaFolderu");
  editor_->browseButton()->setObjectName("NazwyEdycjaPrzegladaj");
  editor_->highlight()->setObjectName("NazwyRamkaEdycji");
  for (const Object& o : objects_) editor_->addField(o.label, EditorKind::Text, QString());

  change_ = new QPushButton(QStringLiteral("Zmień"), area_);
  change_->setObjectName("NazwyZmien");
  change_->setToolTip(QStringLiteral("Kliknij, aby zmienić nazwę"));
  change_->resize(change_->sizeHint());
  change_->hide();
  connect(change_, &QPushButton::clicked, this, &ObjectNamesPage::changeClicked);

  note_ = new QLabel(QString::fromUtf8(kIdleNote), this);
  note_->setObjectName("NazwyUwaga");
  layout->addWidget(note_);
  layout->addStretch(1);

  auto* applyButton = hintedButton(QStringLiteral("Zastosuj"), QStringLiteral("Zastosuj wprowadzone nazwy"),
                                   "NazwyZastosuj", this);
  layout->addWidget(applyButton, 0, Qt::AlignRight);
  apply_ = &addApplyCommand(applyButton, {.setsRestartNeeded = true}, [this] { return apply(); });

  connect(editor_, &InPlaceEditor::editStarted, this, [this] {
    nameFrame_->move(kOutOfView);
    note_->setText(QString::fromUtf8(kEditingNote));
    apply_->setPending(false);
  });
  connect(editor_, &InPlaceEditor::committed, this, [this] {
    centreAll();
    note_->setText(QString::fromUtf8(kIdleNote));
    apply_->markPending();
  });
}

bool ObjectNamesPage::idle() const { return !editor_->editing(); }

int ObjectNamesPage::objectOf(const QObject* widget) const {
  for (int i = 0; i < kObjects; ++i) {
    if (widget == objects_[i].icon || widget == objects_[i].label) return i;
  }
  return -1;
}

void ObjectNamesPage::centre(int object) {
  QLabel* label = objects_[object].label;
  label->adjustSize();
  label->move(objects_[object].icon->x() + 16 - label->width() / 2, label->y());
}

void ObjectNamesPage::centreAll() {
  for (int i = 0; i < kObjects; ++i) centre(i);
}

void ObjectNamesPage::load() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::ClassesRoot);
  for (int i = 0; i < kObjects; ++i) {
    const auto name = storedName(reg, classKey(i));
    objects_[i].label->setText(QString::fromStdString(name.value_or(kObjectTable[i].defaultName)));
  }
  reg.closeKey();
  reg.setRoot(Root::CurrentUser);
  for (int i : kUserOrder) {
    if (const auto name = storedName(reg, userClassKey(i)))
      objects_[i].label->setText(QString::fromStdString(*name));
  }
  editor_->reset();
  editor_->textEditor()->clear();
  centreAll();
  note_->setText(QString::fromUtf8(kIdleNote));
  change_->hide();
  iconFrame_->move(kOutOfView);
  nameFrame_->move(kOutOfView);
}

void ObjectNamesPage::resetTransient() {
  if (idle()) iconFrame_->move(kOutOfView);
  nameFrame_->move(kOutOfView);
  change_->hide();
}

void ObjectNamesPage::hover(int object) {
  const Object& o = objects_[object];
  iconFrame_->setGeometry(o.icon->geometry().adjusted(-2, -2, 2, 2));
  nameFrame_->setGeometry(o.label->geometry().adjusted(-2, -2, 2, 2));
  iconFrame_->lower();
  nameFrame_->lower();
  iconFrame_->show();
  nameFrame_->show();
}

void ObjectNamesPage::startEdit(int object) {
  change_->hide();
  editor_->startEdit(objects_[object].label);
}

void ObjectNamesPage::showChangeButton(int object) {
  const QLabel* label = objects_[object].label;
  changeFor_ = object;
  change_->move(label->x() + label->width() / 2, label->y() + label->height() - 2);
  change_->show();
  change_->raise();
}

void ObjectNamesPage::changeClicked() {
  change_->hide();
  if (idle() && changeFor_ >= 0) startEdit(changeFor_);
}

bool ObjectNamesPage::eventFilter(QObject* watched, QEvent* event) {
  const int object = objectOf(watched);
  if (object < 0) return Page::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
      if (idle()) hover(object);
      break;
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton && idle()) {
        showChangeButton(object);
        return true;
      }
      break;
    case QEvent::MouseButtonDblClick:
      // The editor's own filter opens the label's edit; the icon's double
      // click arrives as its activation.
      if (watched == objects_[object].label && idle()) change_->hide();
      break;
    default:
      break;
  }
  return Page::eventFilter(watched, event);
}

WriteResult ObjectNamesPage::apply() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::ClassesRoot);
  for (int i = 0; i < kObjects; ++i) {
    reg.closeKey();
    openForWrite(reg, classKey(i));
    reg.writeString("", objects_[i].label->text().toStdString());
  }
  reg.closeKey();
  reg.setRoot(Root::CurrentUser);
  for (int i : kUserOrder) {
    reg.closeKey();
    openForWrite(reg, userClassKey(i));
    reg.writeString("", objects_[i].label->text().toStdString());
  }
  return WriteResult::Done;
}

}  // namespace kelvaro
